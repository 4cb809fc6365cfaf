// Sampling the model: a cell column's velocity profile, vertical travel time through the
// cells, and the smallest V-line and node spacings.
#include "model/quasigrid.h"

#include <algorithm>
#include <cfloat>

bool BCQuasiGrid::GetVelColPoint(int col, int k, BCFPoint& p) {
  if (col < 1 || k < 0 || col >= GetNx()) return false;
  // k-th cell from the top of the column between V-lines col - 1 and col, at its top-left
  // node; it must stay above the bottom node of V-line col - 1.
  const int node = col * Nz - 1 - k;
  if (node <= (col - 1) * Nz) return false;
  p.x = VV[node];
  p.z = ZZ[node];
  return true;
}

float BCQuasiGrid::GetVertTime(float x, float zFrom, float zTo) const {
  const float zLo = std::min(zFrom, zTo);
  const float zHi = std::max(zFrom, zTo);
  BCCell lo{};
  BCCell hi{};
  // A point outside the grid, its bottom line included, has no cell: no time.
  if (!GetCell(x, zLo, lo, sgkWhole) || !GetCell(x, zHi, hi, sgkWhole)) return 0.0f;
  if (lo.Node == hi.Node) return (zTo - zFrom) / VV[lo.Node];

  // Up through the column: each cell from the previous crossing to its top edge at x.
  float time = 0.0f;
  float zPrev = zLo;
  for (int n = lo.Node; n < hi.Node; ++n) {
    const float zTop = GetHLineXZ(GetIH(n), x).z;
    time += (zTop - zPrev) / VV[n];
    zPrev = zTop;
  }
  time += (zHi - zPrev) / VV[hi.Node];
  return zFrom > zTo ? -time : time;
}

float BCQuasiGrid::GetMinDistanceX() const {
  float best = FLT_MAX;
  for (size_t i = 1; i < XX.size(); ++i) best = std::min(best, XX[i] - XX[i - 1]);
  return best;
}

float BCQuasiGrid::GetMinDistanceZ() const {
  float best = FLT_MAX;
  const int nx = GetNx();
  for (int col = 0; col < nx; ++col) {
    const int base = col * Nz;
    for (int j = base + 1; j < base + Nz; ++j) best = std::min(best, ZZ[j] - ZZ[j - 1]);
  }
  return best;
}
