// Reading and writing the column of cells along the selection's left V-line: its X, the
// elevations of its H-lines and the velocities of the cells to its right.
#include "editing/equasigrid.h"

#include <cmath>
#include <new>

namespace {

// Whether entries 0..count-1 of a column (top first) can be written onto a V-line whose bottom
// node lies at zBottom: every value finite, elevations strictly descending and above zBottom,
// no negative velocity.
bool ColumnIsWritable(const std::vector<float>& z, const std::vector<float>& v, int count,
                      float zBottom) {
  for (int k = 0; k < count; ++k) {
    if (!std::isfinite(z[k]) || !std::isfinite(v[k]) || v[k] < 0) return false;
    const float below = k + 1 < count ? z[k + 1] : zBottom;
    if (!(z[k] > below)) return false;
  }
  return true;
}

// The first positive velocity met going from entry `from` by `step` while inside 0..count-1,
// or 0 when there is none.
float FirstPositive(const std::vector<float>& v, int from, int step, int count) {
  for (int k = from; k >= 0 && k < count; k += step) {
    if (v[k] > 0) return v[k];
  }
  return 0;
}

}  // namespace

void BCEQuasiGrid::GetColumn(int& col, float& x, float& xPrev, float& xNext, std::vector<float>& z,
                             std::vector<float>& v) const {
  if (!SelSubgridFitsGrid()) return;
  try {
    z.reserve(Nz - 1);
    v.reserve(Nz - 1);
  } catch (const std::bad_alloc&) {
    return;  // out of memory: every output as it was
  }
  col = SelSubgrid.LeftCol;
  x = XX[col];
  xPrev = col > 0 ? XX[col - 1] : x;
  xNext = XX[col + 1];
  z.clear();
  v.clear();
  // Top first: entry k is H-line k; the bottom node carries no cell and is left out.
  for (int izrel = Nz - 1; izrel >= 1; --izrel) {
    z.push_back(ZZ[NodeIndex(col, izrel)]);
    v.push_back(VV[NodeIndex(col, izrel)]);
  }
}

bool BCEQuasiGrid::SetColumn(float x, std::vector<float>& z, std::vector<float>& v) {
  if (!SelSubgridFitsGrid()) return false;
  const int col = SelSubgrid.LeftCol;
  const int count = Nz - 1;  // entries 0..Nz-2, top first
  const bool keepsXOrder = (col == 0 || XX[col - 1] < x) && x < XX[col + 1];
  if (!std::isfinite(x) || !keepsXOrder) return false;
  if (static_cast<int>(z.size()) < count || static_cast<int>(v.size()) < count) return false;
  if (!ColumnIsWritable(z, v, count, ZZ[NodeIndex(col, 0)])) return false;

  XX[col] = x;  // kept even when the velocities are refused below
  if (v[0] == 0) v[0] = FirstPositive(v, 1, 1, count);
  if (v[0] == 0) return false;
  if (v[count - 1] == 0) v[count - 1] = FirstPositive(v, count - 2, -1, count);

  // From the bottom entry up: the entries with a positive velocity are the interpolation
  // pairs; both end entries are such pairs now, so every zero entry lies between two of them.
  int below = count - 1;  // the nearest pair at or under the current entry
  int above = count;      // the nearest pair over it, searched when a zero entry needs it
  for (int k = count - 1; k >= 0; --k) {
    float vNew = v[k];
    if (v[k] > 0) {
      below = k;
    } else {
      if (above >= k) {
        above = k - 1;
        while (!(v[above] > 0)) --above;
      }
      vNew = v[below] + (v[above] - v[below]) * (z[k] - z[below]) / (z[above] - z[below]);
    }
    const int n = NodeIndex(col, Nz - 1 - k);
    ZZ[n] = z[k];
    VV[n] = vNew;
  }
  return true;
}
