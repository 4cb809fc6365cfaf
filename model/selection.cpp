// Selecting cells by click (cell, row, column, layer, two-cell span), the selected-bit marks,
// and the queries that classify or report the current selection.
#include "model/quasigrid.h"

#include <algorithm>
#include <vector>

namespace {

// Clearing the selected bit keeps the fixed bit and the unused bits 4 and 8.
constexpr unsigned char kKeepAllButSelected = 0x0E;

// The usual way a gesture replaces the selection: clear the old marks, record the new
// rectangle, mark its cells.
void ReplaceSelection(BCQuasiGrid& g, const BCSubgrid& sg) {
  if (g.SelActive) g.UnselectCells();
  g.SelSubgrid = sg;
  g.MarkSelSubGridCells(g.SelSubgrid);
  g.SelActive = true;
}

// The IH of every horizon that lies on an H-line of the grid, in list order; horizons left
// outside 0..Nz-1 by a smaller grid take no part in layering.
std::vector<int> HorizonLinesInGrid(const BCQuasiGrid& g) {
  std::vector<int> lines;
  lines.reserve(g.Hors.size());
  for (const BCHor& h : g.Hors) {
    if (h.IH >= 0 && h.IH <= g.Nz - 1) lines.push_back(h.IH);
  }
  return lines;
}

}  // namespace

void BCQuasiGrid::UnselectCells() {
  SelActive = false;
  for (unsigned char& f : CellFlags) f &= kKeepAllButSelected;
}

void BCQuasiGrid::MarkSelSubGridCells(const BCSubgrid sg) {
  // Column k of the subgrid holds the same rows as column 0, shifted by k whole V-lines.
  const int columns = sg.RightCol - sg.LeftCol;
  for (int k = 0; k < columns; ++k) {
    const int shift = k * Nz;
    for (int n = sg.BotNode + shift; n <= sg.TopNode + shift; ++n) CellFlags[n] |= kCellSelected;
  }
}

void BCQuasiGrid::SetSelectedAll() {
  // No unselecting first: every cell gets marked anyway.
  SelSubgrid = WholeSubgrid;
  MarkSelSubGridCells(SelSubgrid);
  SelActive = true;
}

void BCQuasiGrid::SetSelectedCell(BCCellInfo& info) {
  ReplaceSelection(*this, {info.Col - 1, info.Col, info.Node, info.Node});
}

void BCQuasiGrid::SetSelectedRow(BCCellInfo& info) {
  // On V-line 0 the node of a row is its izrel.
  const int row = GetIZrel(info.Node);
  ReplaceSelection(*this, {0, GetNx() - 1, row, row});
}

void BCQuasiGrid::SetSelectedColumn(BCCellInfo& info) {
  const int left = info.Col - 1;
  const int right = info.Col;
  ReplaceSelection(*this, {left, right, Nz * left + 1, Nz * right - 1});
}

void BCQuasiGrid::SelectSubgrid(BCCellInfo& a, BCCellInfo& b) {
  // Deliberately keeps earlier marks: a drag extends what the anchor click marked.
  SelSubgrid.LeftCol = std::min(a.Col, b.Col) - 1;
  SelSubgrid.RightCol = std::max(a.Col, b.Col);
  // n is the left cell's node; m is the node on the left column at the other cell's row
  // (H-line numbers grow downward, node indices upward).
  const bool aIsLeft = b.Col >= a.Col;
  const int n = aIsLeft ? a.Node : b.Node;
  const int m = aIsLeft ? a.Node + (a.HLine - b.HLine) : b.Node - (a.HLine - b.HLine);
  SelSubgrid.TopNode = std::max(n, m);
  SelSubgrid.BotNode = std::min(n, m);
  MarkSelSubGridCells(SelSubgrid);
  SelActive = true;
}

int BCQuasiGrid::SetSelectedLayer(const BCCellInfo& info) {
  const int ih = GetIH(info.Node);
  const std::vector<int> lines = HorizonLinesInGrid(*this);
  int topLine = 0;
  int botLine = Nz - 1;
  int layer = 1;
  if (!lines.empty()) {
    // A cell whose top edge lies on a horizon belongs to the layer below it (strict <).
    const auto below = std::find_if(lines.begin(), lines.end(), [ih](int l) { return ih < l; });
    if (below != lines.end()) {
      const int k = static_cast<int>(below - lines.begin());
      botLine = *below;
      topLine = k == 0 ? 0 : lines[k - 1];
      layer = k + 1;
    } else {
      topLine = lines.back();
      layer = static_cast<int>(lines.size()) + 1;
    }
  }
  // Rows whose top H-line lies between topLine and botLine - 1, over the whole width.
  ReplaceSelection(*this, {0, GetNx() - 1, Nz - botLine, Nz - 1 - topLine});
  return layer;
}

SubGridShape BCQuasiGrid::GetSelShape() {
  const int dc = SelSubgrid.RightCol - SelSubgrid.LeftCol;  // cell columns
  const int dn = SelSubgrid.TopNode - SelSubgrid.BotNode;   // cell rows - 1
  const int nx = GetNx();
  // The order of the tests decides the overlapping cases: on a one-row grid a single cell
  // is a column, on a one-column grid it is a row.
  if (SelSubgrid == WholeSubgrid) return ssAll;
  if (dn == Nz - 2) return dc != 1 ? ssColumns : ssColumn;
  if (dc != nx - 1 && dc == 1 && dn == 0) return ssCell;
  if (dc == nx - 1) return dn != 0 ? ssRows : ssRow;
  return ssSubgrid;
}

bool BCQuasiGrid::IsTopSelected() {
  return GetIZrel(SelSubgrid.TopNode) == Nz - 1;
}

bool BCQuasiGrid::IsBotSelected() {
  return GetIZrel(SelSubgrid.BotNode) == 1;
}

bool BCQuasiGrid::GetSelSubgridVertex(BCFPoint& p) {
  if (SelSubgrid.LeftCol == SelSubgrid.RightCol) return false;
  p = FPoint(XX[SelSubgrid.LeftCol], ZZ[SelSubgrid.TopNode]);
  return true;
}

bool BCQuasiGrid::GetSelSubgridColRow(TRect& r) {
  if (!SelActive) return false;
  // A row is numbered by the H-line at its top.
  r.Left = SelSubgrid.LeftCol + 1;
  r.Top = GetIH(SelSubgrid.TopNode) + 1;
  r.Right = SelSubgrid.RightCol;
  r.Bottom = GetIH(SelSubgrid.BotNode) + 1;
  return true;
}
