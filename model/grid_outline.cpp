// H-lines and the top surface sampled at any X, the point-in-model test, the nodes a rectangle
// holds on a V-line, and the change between column-major and row-major node numbering.
#include "model/quasigrid.h"

#include "model/vline_search.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

BCFPoint BCQuasiGrid::GetHLineXZ(int ih, float x) const {
  const int nx = GetNx();
  const int row = Nz - 1 - ih;
  const int c = FindInterval(XX, x, 0, 0);
  float z;
  if (c < 0) {
    z = ZZ[row];  // left of the grid: the first V-line's node
  } else if (c >= nx - 1) {
    z = ZZ[(nx - 1) * Nz + row];  // on or beyond the last V-line
  } else {
    const int a = c * Nz + row;
    const int b = a + Nz;
    z = ZZ[a] + (x - XX[c]) * (ZZ[b] - ZZ[a]) / (XX[c + 1] - XX[c]);
  }
  return FPoint(x, z);
}

float BCQuasiGrid::GetTopZ(float x) const {
  if (XX.empty() || Nz <= 0) return -FLT_MAX;  // no model, no surface
  return GetHLineXZ(0, std::clamp(x, XX.front(), XX.back())).z;
}

float BCQuasiGrid::GetTopMinZ() const {
  float zmin = FLT_MAX;
  const int nx = GetNx();
  for (int col = 0; col < nx; ++col) zmin = std::min(zmin, ZZ[col * Nz + Nz - 1]);
  return zmin;
}

// The model's outline here is the real top surface above, the flat ModelRect bottom below and
// its sides, each widened by half a resolution.
int BCQuasiGrid::InsideGrid(BCFPoint& p, bool snap) const {
  if (XX.empty()) return 0;
  const float tx = 0.5f * XRes;
  const float tz = 0.5f * ZRes;
  const float top = GetTopZ(p.x);
  const float left = ModelRect.left;
  const float right = ModelRect.right;
  const float bottom = ModelRect.bottom;
  // Written as the negation of "inside", so that a NaN coordinate is outside.
  const bool inside =
      p.x >= left - tx && p.x <= right + tx && p.z >= bottom - tz && p.z <= top + tz;
  if (!inside) return 0;
  // Each test sees the point as the previous ones may have moved it.
  bool nearEdge = false;
  const auto nearTo = [&](float& coord, float edge, float tol) {
    if (!(std::fabs(coord - edge) < tol)) return;
    nearEdge = true;
    if (snap) coord = edge;
  };
  nearTo(p.x, left, tx);
  nearTo(p.x, right, tx);
  nearTo(p.z, bottom, tz);
  nearTo(p.z, top, tz);
  return nearEdge ? 2 : 1;
}

// The nodes on the first V-line at or right of r.left whose elevations fall into r's Z range;
// a node exactly at r.bottom counts only when it is the V-line's top node.
bool BCQuasiGrid::GetNodesLVert(const BCFRect& r, BCPoint& nodes) const {
  if (!r.IsNormal()) return false;
  const int c = FirstVLineAtOrRight(XX, r.left);
  if (c < 0) return false;
  const int base = c * Nz;
  const int top = base + Nz - 1;
  const int k = FindInterval(ZZ, r.bottom, base, top);
  if (k == -2 || k > top) return false;
  int lo;
  if (k == -1) {
    lo = base;
  } else if (k < top) {
    lo = k + 1;
  } else {
    lo = top;
  }
  int hi = lo < top ? FindInterval(ZZ, r.top, lo, top) : lo;
  hi = std::min(hi, top);
  if (lo > hi) return false;  // also when r.top lies below node lo
  nodes = {lo, hi};
  return true;
}

int BCQuasiGrid::GetHLineIndex(const BCFRect& r) const {
  BCPoint nodes;
  if (!GetNodesLVert(r, nodes)) return -1;
  return GetIH(nodes.second);
}

// Row-major numbering counts rows from the bottom, each from left to right.
int BCQuasiGrid::MapCellAbsIndex(int i, bool toRows) {
  const int nx = GetNx();
  if (toRows) return (i % Nz) * nx + i / Nz;
  return (i % nx) * Nz + i / nx;
}
