// Small models built by hand for tests: the same elevations on every V-line, numbered nodes and a
// grid whose H-lines slope.
#pragma once

#include <vector>

#include "model/quasigrid.h"

// A grid with V-lines at xs, each carrying the elevations zs (bottom first), every velocity v,
// otherwise as HandModel makes it (whole-grid zoom, nothing selected, resolutions 0).
BCQuasiGrid HandGrid(const std::vector<float>& xs, const std::vector<float>& zs, float v = 1000);

// A grid of nx V-lines at X 0, 10, 20, ... whose node i lies at elevation i, so that every
// delivered elevation names its node.
BCQuasiGrid NodeNumberedGrid(int nx, int nz);

// V-lines at 0, 10, 20 over a flat bottom at 0; H-line rows at 10, 16, 12 and 20, 24, 22 and a
// top at 30, 34, 32. Node i has velocity 100 * i.
BCQuasiGrid SlopingGrid();

// Horizons on the given H-lines, in the given (ascending) order.
void SetHorizons(BCQuasiGrid& g, const std::vector<int>& lines);

// The nodes whose selected bit is set, ascending.
std::vector<int> SelectedNodes(const BCQuasiGrid& g);
