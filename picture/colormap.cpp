// The colour maps: piecewise linear between evenly spaced stops.
#include "picture/colormap.h"

#include <algorithm>
#include <cmath>

namespace {

// Dark blue through green to yellow, even in lightness: readable in grey print and by readers
// with a red-green colour deficiency.
const std::vector<Rgb> kViridis = {{68, 1, 84},    {72, 40, 120},  {62, 73, 137},  {49, 104, 142},
                                   {38, 130, 142}, {31, 158, 137}, {53, 183, 121}, {109, 205, 89},
                                   {180, 222, 44}, {253, 231, 37}};
// Slow rock red, fast rock blue.
const std::vector<Rgb> kSeismic = {
    {165, 0, 38}, {244, 109, 67}, {254, 224, 144}, {116, 173, 209}, {49, 54, 149}};
const std::vector<Rgb> kGrey = {{20, 20, 20}, {235, 235, 235}};

}  // namespace

bool ColorMap::Find(const std::string& name, bool reverse, ColorMap& map) {
  if (name == "viridis") {
    map.stops_ = kViridis;
  } else if (name == "seismic") {
    map.stops_ = kSeismic;
  } else if (name == "grey" || name == "gray") {
    map.stops_ = kGrey;
  } else {
    return false;
  }
  map.reverse_ = reverse;
  return true;
}

Rgb ColorMap::At(double t) const {
  if (!std::isfinite(t)) t = 0.5;
  t = std::clamp(t, 0.0, 1.0);
  if (reverse_) t = 1.0 - t;
  const double at = t * static_cast<double>(stops_.size() - 1);
  const size_t i = std::min(static_cast<size_t>(at), stops_.size() - 2);
  const double f = at - static_cast<double>(i);
  Rgb c{};
  for (size_t k = 0; k < 3; ++k) {
    c[k] = static_cast<uint8_t>(std::lround(stops_[i][k] + f * (stops_[i + 1][k] - stops_[i][k])));
  }
  return c;
}
