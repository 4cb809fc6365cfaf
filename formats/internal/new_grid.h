// Building a model from the node arrays an import computed.
#pragma once

#include <string>
#include <vector>

#include "editing/equasigrid.h"

// Most nodes an imported model may have: a model table holds fewer than 2,500,000 records.
inline constexpr long long kMaxImportNodes = 2499999;

// Empty text when nx V-lines of nz nodes fit a model table, else the reason.
std::string NodeCountProblem(long long nx, long long nz);

// Puts the grid into model, replacing everything it held: V-lines at xx (ascending), nz nodes
// each, elevations zz and velocities vv column-major with the bottom node first. The extent,
// resolutions and subgrids follow as the model loader sets them; the copy nodes are trimmed;
// no horizon, selection or fixed cell. The vectors are taken over (left empty).
void AdoptNewGrid(BCEQuasiGrid& model, std::vector<float>& xx, int nz, std::vector<float>& zz,
                  std::vector<float>& vv);
