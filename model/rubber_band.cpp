// Rubber-band selection: the cells a dragged rectangle encloses, taken as a subgrid, as whole
// rows or as whole columns.
#include "model/quasigrid.h"

#include "model/vline_search.h"

#include <algorithm>
#include <cmath>

namespace {

// Lowest elevation of the line below a subgrid's lowest cells and highest elevation of the
// line above its highest cells, over all its V-lines.
struct ZSpan {
  float bottom;
  float top;
};

ZSpan SubgridZSpan(const BCQuasiGrid& g, const BCSubgrid& sg) {
  ZSpan span{g.ZZ[sg.BotNode - 1], g.ZZ[sg.TopNode]};
  for (int k = 1; k <= sg.RightCol - sg.LeftCol; ++k) {
    const int shift = k * g.Nz;
    span.bottom = std::min(span.bottom, g.ZZ[sg.BotNode - 1 + shift]);
    span.top = std::max(span.top, g.ZZ[sg.TopNode + shift]);
  }
  return span;
}

}  // namespace

bool BCQuasiGrid::GetSelSubgrid(BCFRect& r, BCSubgrid& sg) {
  if (!(r.left < r.right && r.bottom < r.top)) return false;
  const int nx = GetNx();

  // c0: the first V-line at or right of the band's left edge.
  const int c0 = FirstVLineAtOrRight(XX, r.left);
  if (c0 < 0) return false;
  // c1: the last V-line at or left of the band's right edge.
  const int c1 = std::min(FindInterval(XX, r.right, c0, nx - 1), nx - 1);
  if (!(c0 < c1)) return false;

  // Rows are measured on V-line c0. kb is the lower boundary node: the band's bottom must lie
  // strictly below an H-line for the cells above it to count, except at the model's bottom
  // line, which a bottom within ZRes of it (or below it) reaches.
  const int base = c0 * Nz;
  const int top = base + Nz - 1;
  const int k = FindInterval(ZZ, r.bottom, base, top);
  if (k >= top || k == -2) return false;
  int kb = k + 1;
  if (k == -1) {
    kb = base;
  } else if (k == base) {
    kb = std::fabs(ZZ[base] - r.bottom) <= ZRes ? base : base + 1;
  }
  int kt = FindInterval(ZZ, r.top, kb, top);
  if (kt == top + 1) kt = top;
  if (!(kb < kt)) return false;

  sg = {c0, c1, kb + 1, kt};
  GetClip(r, sg);
  return true;
}

void BCQuasiGrid::GetClip(BCFRect& r, const BCSubgrid sg) {
  // The band goes back to the host as it was drawn; the selection's own elevation span is
  // computed but not imposed on it.
  static_cast<void>(r);
  static_cast<void>(SubgridZSpan(*this, sg));
}

bool BCQuasiGrid::SetSelSubgrid(BCFRect& r) {
  if (SelActive) UnselectCells();
  if (!GetSelSubgrid(r, SelSubgrid)) {
    // The old marks are gone already, so a failed band leaves nothing selected.
    SelActive = false;
    return false;
  }
  MarkSelSubGridCells(SelSubgrid);
  SelActive = true;
  return true;
}

bool BCQuasiGrid::SetSelectedRows(BCFRect& r) {
  if (!SetSelSubgrid(r)) return false;
  // Full width; on V-line 0 a row's node is its izrel.
  SelSubgrid.LeftCol = 0;
  SelSubgrid.RightCol = GetNx() - 1;
  SelSubgrid.BotNode = GetIZrel(SelSubgrid.BotNode);
  SelSubgrid.TopNode = GetIZrel(SelSubgrid.TopNode);
  MarkSelSubGridCells(SelSubgrid);
  return true;
}

bool BCQuasiGrid::SetSelectedColumns(BCFRect& r) {
  if (!SetSelSubgrid(r)) return false;
  // Every cell row of the banded columns: izrel 1..Nz-1 of V-line LeftCol.
  SelSubgrid.BotNode = SelSubgrid.LeftCol * Nz + 1;
  SelSubgrid.TopNode = (SelSubgrid.LeftCol + 1) * Nz - 1;
  MarkSelSubGridCells(SelSubgrid);
  return true;
}

bool BCQuasiGrid::SelectRBsubgrids(BCFRect& r, SubGridShape shape) {
  switch (shape) {
    case ssSubgrid:
      return SetSelSubgrid(r);
    case ssRows:
      return SetSelectedRows(r);
    case ssColumns:
      return SetSelectedColumns(r);
    default:
      return false;
  }
}
