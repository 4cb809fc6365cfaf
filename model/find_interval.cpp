// Location of a value among the ascending entries of a float vector.
#include "model/quasigrid.h"

#include <algorithm>

int FindInterval(const std::vector<float>& v, float value, int from, int to) {
  const int last = static_cast<int>(v.size()) - 1;
  if (to == 0) to = last;
  if (from < 0 || to <= from || to > last) return -2;
  if (v[from] > value) return -1;
  if (v[to] < value) return to + 1;
  if (v[to] == value) return to;
  // The first entry of [from, to) greater than the value is never v[from] here, so the
  // interval that holds the value starts one before it.
  const auto first = v.begin() + from;
  const auto upper = std::upper_bound(first, v.begin() + to, value);
  return from + static_cast<int>(upper - first) - 1;
}
