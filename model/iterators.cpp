// The drawing iterators: cells, V-line segments, H-line vertices and horizons of a subgrid,
// handed out one per call. A point left of the first V-line restarts an iteration.
#include "model/quasigrid.h"

#include <algorithm>

namespace {

// The subgrid a cell walk covers: the zoom window unless whole grid or selection is named.
const BCSubgrid& CellWalkSubgrid(const BCQuasiGrid& g, SubGridKind kind) {
  switch (kind) {
    case sgkWhole:
      return g.WholeSubgrid;
    case sgkSelection:
      return g.SelSubgrid;
    default:
      return g.ZoomSubgrid;
  }
}

// The subgrid an H-line walk covers; there is none for the whole grid.
const BCSubgrid* HLineWalkSubgrid(const BCQuasiGrid& g, SubGridKind kind) {
  switch (kind) {
    case sgkZoom:
      return &g.ZoomSubgrid;
    case sgkSelection:
      return &g.SelSubgrid;
    default:
      return nullptr;
  }
}

bool IsStart(const std::vector<float>& xx, float x) {
  return x < xx[0];
}

}  // namespace

bool BCQuasiGrid::GetNextCell(BCDrawCell& dc, SubGridKind kind) {
  if (XX.empty()) return false;
  const BCSubgrid& sg = CellWalkSubgrid(*this, kind);
  BCIterCursors& c = Cursors;
  if (IsStart(XX, dc.TopLeft.x)) {
    if (sg.LeftCol == sg.RightCol) return false;
    c.cellCol = sg.LeftCol;
    c.cellNode = sg.TopNode;
    c.cellColsAdvanced = 0;
  } else if (c.cellNode == sg.BotNode + c.cellColsAdvanced * Nz) {
    // The lowest cell of the column went out last (same izrel as BotNode, same V-line):
    // move to the top cell of the next column. The end is sticky.
    if (c.cellCol + 1 >= sg.RightCol) {
      c.cellCol = sg.RightCol;
      return false;
    }
    ++c.cellCol;
    ++c.cellColsAdvanced;
    c.cellNode = c.cellColsAdvanced * Nz + sg.TopNode;
  } else {
    --c.cellNode;  // the next cell down
  }
  GetDrawCell({c.cellCol, c.cellNode}, dc);
  return true;
}

bool BCQuasiGrid::GetNextVertical(BCFPoint& bot, BCFPoint& top) const {
  if (XX.empty()) return false;
  const BCSubgrid& sg = ZoomSubgrid;
  BCIterCursors& c = Cursors;
  if (IsStart(XX, bot.x)) {
    // From the bottom H-line of the lowest zoom cells to the top of the highest.
    c.vertLine = sg.LeftCol;
    c.vertLowNode = sg.BotNode - 1;
    c.vertUpNode = sg.TopNode;
  } else {
    if (c.vertLine >= sg.RightCol) return false;
    ++c.vertLine;
    c.vertLowNode += Nz;
    c.vertUpNode += Nz;
  }
  const float x = XX[c.vertLine];
  bot.x = x;
  bot.z = ZZ[c.vertLowNode];
  top.x = x;
  top.z = ZZ[c.vertUpNode];
  return true;
}

bool BCQuasiGrid::GetNextHLinePoint(int ih, BCFPoint& p, SubGridKind kind) const {
  if (XX.empty()) return false;
  const BCSubgrid* sg = HLineWalkSubgrid(*this, kind);
  if (sg == nullptr) return false;
  BCIterCursors& c = Cursors;
  if (IsStart(XX, p.x)) {
    c.hlineLine = sg->LeftCol;
    c.hlineNode = (sg->LeftCol + 1) * Nz - 1 - ih;  // H-line ih on V-line LeftCol
    // The subgrid's rows are bounded by the H-lines through TopNode and BotNode - 1.
    if (c.hlineNode > sg->TopNode || c.hlineNode < sg->BotNode - 1) {
      c.hlineLine = sg->RightCol;  // later calls end at once
      return false;
    }
  } else {
    if (c.hlineLine >= sg->RightCol) return false;
    ++c.hlineLine;
    c.hlineNode += Nz;
  }
  p.x = XX[c.hlineLine];
  p.z = ZZ[c.hlineNode];
  return true;
}

int BCQuasiGrid::GetNextHLinePoint(BCFPoint& p) const {
  if (XX.empty()) return 2;
  const BCSubgrid& sg = ZoomSubgrid;
  BCIterCursors& c = Cursors;
  if (IsStart(XX, p.x)) {
    c.gridLine = sg.LeftCol;
    c.gridNode = sg.TopNode;
    c.gridLinesDone = 0;
  } else {
    ++c.gridLine;
    c.gridNode += Nz;
  }
  if (c.gridLine <= sg.RightCol) {
    p.x = XX[c.gridLine];
    p.z = ZZ[c.gridNode];
    return 0;
  }
  // The current H-line is complete; the bottom boundary line of the lowest cells is the last.
  if (GetIZrel(c.gridNode) == GetIZrel(sg.BotNode - 1)) return 2;
  // Step back to just left of LeftCol, one H-line lower, so the next call starts there.
  c.gridLine = sg.LeftCol - 1;
  ++c.gridLinesDone;
  c.gridNode = sg.TopNode - c.gridLinesDone - Nz;
  return 1;
}

bool BCQuasiGrid::GetNextHorizon(bool& first, BCHor& hor) {
  if (Hors.empty()) {
    first = false;
    return false;
  }
  BCIterCursors& c = Cursors;
  const int count = static_cast<int>(Hors.size());
  if (first) {
    first = false;
    // The H-lines that bound the zoom cells, top and bottom boundary lines included.
    c.horTop = GetIH(ZoomSubgrid.TopNode);
    c.horBot = GetIH(ZoomSubgrid.BotNode) + 1;
    const auto it = std::find_if(Hors.begin(), Hors.end(),
                                 [top = c.horTop](const BCHor& h) { return h.IH >= top; });
    c.horPos = static_cast<int>(it - Hors.begin());
    if (c.horPos == count || Hors[c.horPos].IH > c.horBot) return false;
  } else {
    if (c.horPos >= count) return false;
    ++c.horPos;
    if (c.horPos >= count) return false;
    const int ih = Hors[c.horPos].IH;
    if (ih <= c.horTop || ih > c.horBot) return false;
  }
  hor = Hors[c.horPos];
  return true;
}

void BCQuasiGrid::GetHorBounds(int n, BCFRect& r) {
  if (n < 1 || n > GetHors()) return;
  const int ih = Hors[n - 1].IH;
  if (ih < 0 || ih > Nz - 1) return;  // a horizon left off the grid by a smaller Nz
  const BCSubgrid& sg = ZoomSubgrid;
  int node = (sg.LeftCol + 1) * Nz - 1 - ih;  // H-line ih on V-line LeftCol
  float zMin = ZZ[node];
  float zMax = ZZ[node];
  for (int col = sg.LeftCol + 1; col <= sg.RightCol; ++col) {
    node += Nz;
    zMin = std::min(zMin, ZZ[node]);
    zMax = std::max(zMax, ZZ[node]);
  }
  r.left = XX[sg.LeftCol];
  r.right = XX[sg.RightCol];
  r.top = zMax;
  r.bottom = zMin;
}
