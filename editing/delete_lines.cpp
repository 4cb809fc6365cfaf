// Deleting the V-lines of the selected columns or the H-lines of the selected rows, closing the
// arrays up in place.
#include "editing/equasigrid.h"

#include "editing/internal/array_rebuild.h"

namespace {

// Result codes of DeleteSelectedLines.
constexpr int kDeleted = 0;  // also: not a column or row selection, nothing done
constexpr int kLeftEdgeSelected = 1;
constexpr int kTopRowSelected = 2;
constexpr int kHorizonInTheWay = 3;

bool IsColumns(SubGridShape shape) {
  return shape == ssColumn || shape == ssColumns;
}
bool IsRows(SubGridShape shape) {
  return shape == ssRow || shape == ssRows;
}

}  // namespace

int BCEQuasiGrid::DeleteSelectedLines() {
  if (!SelSubgridFitsGrid()) return kDeleted;
  const SubGridShape shape = GetSelShape();
  if (IsColumns(shape)) {
    if (SelSubgrid.LeftCol == 0) return kLeftEdgeSelected;
    UnselectCells();
    DeleteVLines();
  } else if (IsRows(shape)) {
    if (IsTopSelected()) return kTopRowSelected;
    if (!Hors.IsBandEmpty(GetIH(SelSubgrid.TopNode), GetIH(SelSubgrid.BotNode), true)) {
      return kHorizonInTheWay;
    }
    UnselectCells();
    DeleteHLines();
  }
  return kDeleted;
}

void BCEQuasiGrid::DeleteVLines() {
  // V-line 0 holds the model's left edge and stays.
  if (!SelSubgridFitsGrid() || SelSubgrid.LeftCol == 0) return;
  const int nx = GetNx();
  const int left = SelSubgrid.LeftCol;
  const int right = SelSubgrid.RightCol;
  // V-lines left..right-1 go; V-line right takes the place of V-line left, so the cell column
  // left of the gap reaches it and keeps its velocities and flags.
  const LineRemoval rm{left, right - 1, 1};
  const BCSubgrid zoom = ZoomAfterVLineEdit(ZoomSubgrid, nx, Nz, rm);
  RemoveVLines(*this, rm);
  ZoomSubgrid = zoom;
}

void BCEQuasiGrid::DeleteHLines() {
  if (!SelSubgridFitsGrid()) return;
  // Rows of the selection's top edges; on V-line 0 (a row selection) these are the nodes.
  const int bot = GetIZrel(SelSubgrid.BotNode);
  const int top = GetIZrel(SelSubgrid.TopNode);
  // The top H-line is the model's upper edge and stays.
  if (top == Nz - 1) return;
  const int oldNz = Nz;
  const int ihB = GetIH(bot);
  const int count = ihB - GetIH(top) + 1;
  const int izZT = ZoomSubgrid.TopNode % oldNz;
  // The cell above the selection now reaches down to its lower edge and keeps its values.
  RemoveRows(*this, LineRemoval{bot, top, 1});
  ShiftHorizonsBelow(Hors, ihB, -count);
  const int topShift = (izZT == top ? 1 : 0) - count;
  SetZoomOrWhole(*this, RowsRebased(ZoomSubgrid, oldNz, Nz, topShift));
}
