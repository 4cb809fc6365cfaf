// Small models built by hand for tests: V-line positions and node elevations given directly.
#pragma once

#include <vector>

#include "model/quasigrid.h"

// A grid with V-lines at xs, each carrying the elevations zs (bottom first), every velocity v,
// otherwise as HandModel makes it (whole-grid zoom, nothing selected, resolutions 0).
BCQuasiGrid HandGrid(const std::vector<float>& xs, const std::vector<float>& zs, float v = 1000);

// A grid of nx V-lines at X 0, 10, 20, ... whose node i lies at elevation i, so that every
// delivered elevation names its node.
BCQuasiGrid NodeNumberedGrid(int nx, int nz);

// Horizons on the given H-lines, in the given (ascending) order.
void SetHorizons(BCQuasiGrid& g, const std::vector<int>& lines);
