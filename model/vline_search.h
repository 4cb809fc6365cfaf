// Searches for V-lines shared by the rectangle-based queries of the model.
#pragma once

#include <vector>

#include "model/quasigrid.h"

// The first V-line at or right of x, for a rectangle whose left edge is x: -1 when x lies at
// or right of the last V-line (or xx is too short to search), so that no cell column starts
// there.
inline int FirstVLineAtOrRight(const std::vector<float>& xx, float x) {
  const int c = FindInterval(xx, x, 0, 0);
  if (c == -2 || c >= static_cast<int>(xx.size()) - 1) return -1;
  if (c == -1) return 0;
  return xx[c] < x ? c + 1 : c;
}
