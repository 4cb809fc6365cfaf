// Halving the selected cell columns or rows: neighbours merge in pairs from the right or the top.
#include "editing/equasigrid.h"

#include <algorithm>

#include "editing/internal/array_rebuild.h"

namespace {

// Whether a horizon lies on an H-line that the halving of the rows with top edges ihT..ihB
// removes: ihT + 1, ihT + 3, .. up to ihB (the top edge of every other row from the second).
bool HorizonOnRemovedLine(const HorVect& hors, int ihT, int ihB) {
  return std::any_of(hors.begin(), hors.end(), [&](const BCHor& h) {
    return h.IH > ihT && h.IH <= ihB && (h.IH - ihT) % 2 == 1;
  });
}

}  // namespace

void BCEQuasiGrid::HalveColumns() {
  if (!SelSubgridFitsGrid()) return;
  const int nx = GetNx();
  const int left = SelSubgrid.LeftCol;
  const int right = SelSubgrid.RightCol;
  if (right - left <= 1) return;
  // V-lines right-1, right-3, .. down to above left go; with an odd number of columns the
  // leftmost stays as it is. A merged cell keeps the values of its left half.
  const int lowest = right - 1 - (right - left - 2) / 2 * 2;
  const LineRemoval rm{lowest, right - 1, 2};
  const BCSubgrid zoom = ZoomAfterVLineEdit(ZoomSubgrid, nx, Nz, rm);
  UnselectCells();
  RemoveVLines(*this, rm);
  BCSubgrid sel = SelSubgrid;
  sel.RightCol -= rm.Removed();
  Reselect(*this, sel);
  ZoomSubgrid = zoom;
}

bool BCEQuasiGrid::HalveRows() {
  if (!SelSubgridFitsGrid()) return false;
  // The rows of the selection, taken over the full width whatever its columns.
  const int bot = GetIZrel(SelSubgrid.BotNode);
  const int top = GetIZrel(SelSubgrid.TopNode);
  if (top == bot) return false;
  const int ihT = GetIH(top);
  const int ihB = GetIH(bot);
  if (!Hors.empty() && !Hors.IsBandEmpty(ihT, ihB - 1, false)) return false;
  if (HorizonOnRemovedLine(Hors, ihT, ihB)) return false;

  // Rows top-1, top-3, .. down to bot go: each is the lower half of a merged pair, which keeps
  // the values of its upper half. With an odd number of rows the lowest stays as it is.
  const int lowest = top - 1 - (top - 1 - bot) / 2 * 2;
  const LineRemoval rm{lowest, top - 1, 2};
  const int oldNz = Nz;
  const int count = rm.Removed();
  UnselectCells();
  RemoveRows(*this, rm);
  ShiftHorizonsBelow(Hors, ihB - 1, -count);
  Reselect(*this, RowsRebased(SelSubgrid, oldNz, Nz, -count));
  SetZoomOrWhole(*this, RowsRebased(ZoomSubgrid, oldNz, Nz, -count));
  return true;
}
