// Choosing round tick steps and writing tick labels.
#include "picture/ticks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

AxisTicks ChooseTicks(double lo, double hi, int maxCount) {
  AxisTicks ticks;
  maxCount = std::max(maxCount, 2);
  if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo)) return ticks;
  const double raw = (hi - lo) / maxCount;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
    ticks.step = factor * power;
    if (std::floor(hi / ticks.step) - std::ceil(lo / ticks.step) + 1 <= maxCount) break;
  }
  const double first = std::ceil(lo / ticks.step);
  const double last = std::floor(hi / ticks.step);
  for (double k = first; k <= last; k += 1) ticks.values.push_back(k * ticks.step);
  ticks.decimals = std::max(0, -static_cast<int>(std::floor(std::log10(ticks.step) + 1e-9)));
  return ticks;
}

std::string TickLabel(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string label = text;
  // A value that rounds to zero is "0", whatever its sign was.
  if (label.find_first_not_of("-0.") == std::string::npos)
    return decimals > 0 ? label.substr(label[0] == '-') : "0";
  return label;
}
