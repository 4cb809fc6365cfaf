// Axis ticks at round numbers.
#pragma once

#include <string>
#include <vector>

// Ticks of an axis from lo to hi: multiples of a round step (1, 2 or 5 times a power of ten), at
// most maxCount of them, so 0 is a tick whenever it lies in the range.
struct AxisTicks {
  double step = 0;
  std::vector<double> values;
  int decimals = 0;  // digits after the point that tell the ticks apart
};

// maxCount is at least 2; a range that is empty or not finite gives no ticks.
AxisTicks ChooseTicks(double lo, double hi, int maxCount);

// A tick value as its label: the tick's decimals, and "0" rather than "-0".
std::string TickLabel(double value, int decimals);
