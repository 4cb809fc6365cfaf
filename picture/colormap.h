// Colour maps from a value in 0..1 to a colour.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using Rgb = std::array<uint8_t, 3>;

class ColorMap {
 public:
  // The map of that name: "viridis" (perceptually uniform, the default), "seismic" (slow red,
  // fast blue) or "grey"; reversed on request. False for an unknown name.
  static bool Find(const std::string& name, bool reverse, ColorMap& map);
  // The names Find knows, for help texts.
  static const char* Names() { return "viridis, seismic, grey"; }

  // The colour at t (clamped to 0..1); not a number gives the map's middle.
  Rgb At(double t) const;

 private:
  std::vector<Rgb> stops_;  // evenly spaced from t = 0 to t = 1
  bool reverse_ = false;
};
