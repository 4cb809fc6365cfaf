// Velocity edits of the selected cells (read the corners, set, scale and clamp), the downward
// continuation from one cell, and the selections of whole cell columns.
#include "editing/equasigrid.h"

#include "editing/internal/selection_in_use.h"

namespace {

// Calls f(VV[i]) for every selected cell, column by column from LeftCol and upward within a
// column; the selection must fit the grid.
template <typename F>
void ForEachSelectedVelocity(BCEQuasiGrid& g, F f) {
  const BCSubgrid& s = g.SelSubgrid;
  for (int col = s.LeftCol; col < s.RightCol; ++col) {
    const int shift = (col - s.LeftCol) * g.Nz;  // the same rows on V-line col
    for (int i = s.BotNode + shift; i <= s.TopNode + shift; ++i) f(g.VV[i]);
  }
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
  ForEachSelectedVelocity(*this, [v](float& cell) { cell = v; });
}

bool BCEQuasiGrid::ModVSelSubgrid(float dv, bool additive, float vMin, float vMax) {
  if (!SelectionInUse(*this)) return true;
  bool clamped = false;
  // The clamps are selects rather than branches, and the choice of formula is made once, so
  // that the loop over the cells stays short.
  const auto clampAll = [&](auto change) {
    ForEachSelectedVelocity(*this, [&](float& cell) {
      float v = static_cast<float>(change(double(cell)));
      const bool low = !(v >= vMin);  // also when v or vMin is NaN
      v = low ? vMin : v;
      const bool high = v > vMax;
      v = high ? vMax : v;
      clamped = clamped || low || high;
      cell = v;
    });
  };
  if (additive) {
    clampAll([dv](double old) { return old + dv; });
  } else {
    const double factor = 1.0 + 0.01 * dv;  // dv is a percentage
    clampAll([factor](double old) { return old * factor; });
  }
  return !clamped;
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
