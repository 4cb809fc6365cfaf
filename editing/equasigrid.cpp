// The editable model's assignment, its fixed-bit cell queries and the stale-selection guard.
#include "editing/equasigrid.h"

#include <utility>

BCEQuasiGrid& BCEQuasiGrid::operator=(const BCEQuasiGrid& other) {
  if (this == &other) return *this;
  BCEQuasiGrid copy(other);  // every allocation happens here
  return *this = std::move(copy);
}

bool BCEQuasiGrid::SelSubgridFitsGrid() const {
  const BCSubgrid& s = SelSubgrid;
  const int nx = GetNx();
  if (Nz < 2 || s.LeftCol < 0 || s.LeftCol >= s.RightCol || s.RightCol > nx - 1) return false;
  const int base = s.LeftCol * Nz;  // node of row 0 on V-line LeftCol
  const auto rowOnLeftCol = [&](int node) { return node > base && node < base + Nz; };
  return rowOnLeftCol(s.BotNode) && rowOnLeftCol(s.TopNode) && s.BotNode <= s.TopNode;
}

bool BCEQuasiGrid::GetCellInfo(BCCellInfo& info, bool withFix) const {
  if (!BCQuasiGrid::GetCellInfo(info, false)) return false;
  if (withFix) info.Fixed = (CellFlags[info.Node] & kCellFixed) ? 1.0f : 0.0f;
  return true;
}

void BCEQuasiGrid::GetDrawCell(const BCCell& cell, BCDrawCell& dc) const {
  BCQuasiGrid::GetDrawCell(cell, dc);
  dc.Fixed = (CellFlags[cell.Node] & kCellFixed) != 0;
}
