// Continuation of velocities from a source cell into neighbouring cells: down or up a column,
// and sideways along rows.
#include "editing/equasigrid.h"

#include "editing/internal/selection_in_use.h"

namespace {

// The walker of every continuation: for the V-lines col0..col1 and the rows row0..row1 of each
// (izrel), the node gets the velocity at node source(col, row) when that is a velocity (above
// the resolution m); otherwise the node is left as it is. Sources are never among the nodes
// written with another value, so the order of the walk does not matter; it runs down the
// arrays.
template <typename Source>
void SpreadVelocity(BCEQuasiGrid& g, int col0, int col1, int row0, int row1, float m,
                    Source source) {
  for (int col = col0; col <= col1; ++col) {
    for (int row = row0; row <= row1; ++row) {
      const float v = g.VV[source(col, row)];
      if (v > m) g.VV[g.NodeIndex(col, row)] = v;
    }
  }
}

}  // namespace

bool BCEQuasiGrid::ContinueVelDownward() {
  if (!SelectionInUse(*this)) return false;
  const float m = GetVelMinRes();
  const int bot = GetIZrel(SelSubgrid.BotNode);
  const int top = GetIZrel(SelSubgrid.TopNode);
  // A one-row selection continues down to the bottom node of each V-line.
  const int lowest = top == bot ? 0 : bot;
  SpreadVelocity(*this, SelSubgrid.LeftCol, SelSubgrid.RightCol - 1, lowest, top - 1, m,
                 [&](int col, int) { return NodeIndex(col, top); });
  return true;
}

bool BCEQuasiGrid::ContinueVelUpward() {
  if (!SelectionInUse(*this)) return false;
  const float m = GetVelMinRes();
  const int bot = GetIZrel(SelSubgrid.BotNode);
  const int top = GetIZrel(SelSubgrid.TopNode);
  // A one-row selection continues up to the top node of each V-line.
  const int highest = top == bot ? Nz - 1 : top;
  SpreadVelocity(*this, SelSubgrid.LeftCol, SelSubgrid.RightCol - 1, bot + 1, highest, m,
                 [&](int col, int) { return NodeIndex(col, bot); });
  return true;
}

bool BCEQuasiGrid::ContinueVelHorizontally(char dir) {
  if (!SelectionInUse(*this)) return false;
  if (dir != 'R' && dir != 'L' && dir != 'B') return false;
  const int left = SelSubgrid.LeftCol;
  const int right = SelSubgrid.RightCol;
  const bool oneColumn = right - left == 1;
  if (!oneColumn && dir == 'B') return false;
  const int lastCellCol = GetNx() - 2;  // left V-line of the rightmost cell column
  if (oneColumn && left == 0 && dir == 'L') return true;
  if (oneColumn && right == GetNx() - 1 && dir == 'R') return true;

  int source = left, first = 0, last = 0;  // V-lines: the source and the targets
  if (!oneColumn) {
    source = dir == 'R' ? left : right - 1;
    first = dir == 'R' ? left + 1 : left;
    last = dir == 'R' ? right - 1 : right - 2;
  } else {
    // 'B' rewrites the source column with its own values as well.
    first = dir == 'R' ? left + 1 : 0;
    last = dir == 'L' ? left - 1 : lastCellCol;
  }
  const float m = GetVelMinRes();
  SpreadVelocity(*this, first, last, GetIZrel(SelSubgrid.BotNode), GetIZrel(SelSubgrid.TopNode), m,
                 [&](int, int row) { return NodeIndex(source, row); });
  return true;
}
