// Continuation of velocities from a source cell into neighbouring cells: down or up a column,
// and sideways along rows.
#include "editing/equasigrid.h"

#include "editing/internal/selection_in_use.h"

#include <algorithm>

namespace {

// How a continuation finds the velocity it spreads into a target node.
enum class SourceShape {
  kOneNode,  // one source node for all rows of a V-line (down or up a column)
  kRow,      // the node of the same row on the source V-line (sideways)
};

// The walker of every continuation: for the V-lines col0..col1 and the rows row0..row1 of each
// (izrel), the node takes the velocity of its source when that is a velocity (above the
// resolution m); otherwise it is left as it is. source(col) gives the source node of row0 on
// V-line col. Sources are never among the nodes written with another value, so the order of
// the walk does not matter; it runs down the arrays.
template <SourceShape kShape, typename Source>
void SpreadVelocity(BCEQuasiGrid& g, int col0, int col1, int row0, int row1, float m,
                    Source source) {
  const int n = row1 - row0 + 1;
  if (n <= 0) return;
  for (int col = col0; col <= col1; ++col) {
    float* to = &g.VV[g.NodeIndex(col, row0)];
    const float* from = &g.VV[source(col)];
    if constexpr (kShape == SourceShape::kOneNode) {
      if (*from > m) std::fill(to, to + n, *from);
    } else {
      for (int k = 0; k < n; ++k) {
        if (from[k] > m) to[k] = from[k];
      }
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
  SpreadVelocity<SourceShape::kOneNode>(*this, SelSubgrid.LeftCol, SelSubgrid.RightCol - 1, lowest,
                                        top - 1, m, [&](int col) { return NodeIndex(col, top); });
  return true;
}

bool BCEQuasiGrid::ContinueVelUpward() {
  if (!SelectionInUse(*this)) return false;
  const float m = GetVelMinRes();
  const int bot = GetIZrel(SelSubgrid.BotNode);
  const int top = GetIZrel(SelSubgrid.TopNode);
  // A one-row selection continues up to the top node of each V-line.
  const int highest = top == bot ? Nz - 1 : top;
  SpreadVelocity<SourceShape::kOneNode>(*this, SelSubgrid.LeftCol, SelSubgrid.RightCol - 1, bot + 1,
                                        highest, m, [&](int col) { return NodeIndex(col, bot); });
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
  const int bot = GetIZrel(SelSubgrid.BotNode);
  SpreadVelocity<SourceShape::kRow>(*this, first, last, bot, GetIZrel(SelSubgrid.TopNode), m,
                                    [&](int) { return NodeIndex(source, bot); });
  return true;
}
