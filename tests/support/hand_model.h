// Small models built by hand for tests, and a field-by-field comparison of two models.
#pragma once

#include <vector>

#include "model/quasigrid.h"

// A model with the given V-line positions and node elevations (column-major, bottom node
// first), all velocities 0, no flags, ModelRect = IniRect spanning the nodes, WholeSubgrid and
// ZoomSubgrid covering every cell, no selection. nz is zz.size() / xx.size().
BCQuasiGrid HandModel(const std::vector<float>& xx, const std::vector<float>& zz);

// True when every data member of a and b is equal, floats compared bit for bit.
bool SameModel(const BCQuasiGrid& a, const BCQuasiGrid& b);
