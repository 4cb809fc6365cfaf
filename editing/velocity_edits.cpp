// Velocity edits of the selected cells (read the corners, set, scale and clamp), the downward
// continuation from one cell, and the selections of whole cell columns.
#include "editing/equasigrid.h"

#include "editing/internal/selection_in_use.h"

#include <algorithm>

namespace {

// Calls f(p, n) for every selected column, column by column from LeftCol: its n selected cells
// from the lowest upward lie at p. The selection must fit the grid.
template <typename F>
void ForEachSelectedRun(BCEQuasiGrid& g, F f) {
  const BCSubgrid& s = g.SelSubgrid;
  const int n = s.TopNode - s.BotNode + 1;
  for (int col = s.LeftCol; col < s.RightCol; ++col) {
    f(&g.VV[s.BotNode + (col - s.LeftCol) * g.Nz], n);  // the same rows on V-line col
  }
}

// Applies f to p[0] .. p[n - 1] and ORs its results. Blocks of a fixed length let the compiler
// use vector instructions for them.
template <typename F>
int ApplyInBlocks(float* p, int n, F f) {
  constexpr int kBlock = 8;
  int result = 0;
  int i = 0;
  for (; i + kBlock <= n; i += kBlock) {
    for (int k = 0; k < kBlock; ++k) result |= f(p[i + k]);
  }
  for (; i < n; ++i) result |= f(p[i]);
  return result;
}

}  // namespace

void BCEQuasiGrid::GetApexVels(float& VTopLeft, float& VTopRight, float& VBotLeft,
                               float& VBotRight) const {
  if (!SelectionInUse(*this)) return;
  const BCSubgrid& s = SelSubgrid;
  const int lastColShift = (s.RightCol - 1 - s.LeftCol) * Nz;  // to the rightmost cell column
  VTopLeft = VV[s.TopNode];
  VTopRight = VV[s.TopNode + lastColShift];
  VBotLeft = VV[s.BotNode];
  VBotRight = VV[s.BotNode + lastColShift];
}

void BCEQuasiGrid::SetVSelSubgrid(float v) {
  if (!SelectionInUse(*this)) return;
  ForEachSelectedRun(*this, [v](float* p, int n) { std::fill(p, p + n, v); });
}

bool BCEQuasiGrid::ModVSelSubgrid(float dv, bool additive, float vMin, float vMax) {
  if (!SelectionInUse(*this)) return true;
  int clamped = 0;
  // The formula is chosen once and the clamps are selects, so that the loop over the cells has
  // no branch.
  const auto clampAll = [&](auto change) {
    const auto clampOne = [&](float& cell) {
      float v = static_cast<float>(change(double(cell)));
      const bool low = !(v >= vMin);  // also when v or vMin is NaN
      v = low ? vMin : v;
      const bool high = v > vMax;
      cell = high ? vMax : v;
      return int(low) | int(high);
    };
    ForEachSelectedRun(*this, [&](float* p, int n) { clamped |= ApplyInBlocks(p, n, clampOne); });
  };
  if (additive) {
    clampAll([dv](double old) { return old + dv; });
  } else {
    const double factor = 1.0 + 0.01 * dv;  // dv is a percentage
    clampAll([factor](double old) { return old * factor; });
  }
  return clamped == 0;
}

bool BCEQuasiGrid::CellDnContinueV(BCFPoint& p) {
  BCCell cell;
  if (!GetCell(p.x, p.z, cell, sgkWhole)) return false;
  const float w = VV[cell.Node];
  // Every node of the cell's left V-line below its top-left node: the cells beneath it and the
  // bottom node.
  for (int i = NodeIndex(cell.Col, 0); i < cell.Node; ++i) VV[i] = w;
  return true;
}

void BCEQuasiGrid::SetColumnAsSelSubgrid(int col) {
  SetBetweenColumnsAsSelSubgrid(col, col);
}

void BCEQuasiGrid::SetBetweenColumnsAsSelSubgrid(int col1, int col2) {
  // Column number n has its left V-line at n - 1; the rows run from the lowest cell (izrel 1) to
  // the highest (izrel Nz - 1) of that V-line.
  SelSubgrid = {col1 - 1, col2, NodeIndex(col1 - 1, 1), NodeIndex(col1, 0) - 1};
}
