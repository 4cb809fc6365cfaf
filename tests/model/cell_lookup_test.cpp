// Cell look-up on a grid whose H-lines slope: shared edges, the walk from the first guess, the
// edge tolerance of the whole-grid search, and the cell descriptions.
#include "model/quasigrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "support/hand_model.h"

namespace {

// V-lines at 0, 10, 20 with four nodes each; the two inner H-lines slope differently in the two
// columns: row 1 at 10, 16, 12 and row 2 at 20, 24, 22.
BCQuasiGrid SlopingGrid() {
  BCQuasiGrid g = HandModel({0, 10, 20}, {0, 10, 20, 30, 0, 16, 24, 30, 0, 12, 22, 30});
  for (int i = 0; i < 12; ++i) g.VV[i] = static_cast<float>(100 * i);
  return g;
}

using ColNode = std::pair<int, int>;
const ColNode kNoCell{-1, -1};

// The cell (V-line, top-left node) that holds the point, or kNoCell.
ColNode Find(const BCQuasiGrid& g, float x, float z, SubGridKind kind = sgkWhole) {
  BCCell cell{-1, -1};
  if (!g.GetCell(x, z, cell, kind)) return kNoCell;
  return {cell.Col, cell.Node};
}

}  // namespace

TEST(BelongsToCell, SharedEdgesBelongToTheCellRightAndBelow) {
  const BCQuasiGrid g = SlopingGrid();
  EXPECT_EQ(g.BelongsToCell(0, 5, {0, 1}), 1);   // on the left V-line
  EXPECT_EQ(g.BelongsToCell(10, 5, {0, 1}), 0);  // on the right V-line: next column
  EXPECT_EQ(g.BelongsToCell(-1, 5, {0, 1}), 0);
  EXPECT_EQ(g.BelongsToCell(5, 13, {0, 1}), 1);  // on the sloping H-line at x 5 (13)
  EXPECT_EQ(g.BelongsToCell(5, 13, {0, 2}), 3);  // so below the cell above it
  EXPECT_EQ(g.BelongsToCell(5, 17, {0, 1}), 2);  // above both top corners
  EXPECT_EQ(g.BelongsToCell(5, 14, {0, 1}), 2);  // between the corners, above the edge
  EXPECT_EQ(g.BelongsToCell(8, 14, {0, 1}), 1);  // same Z further right: under the edge (14.8)
  EXPECT_EQ(g.BelongsToCell(5, 0, {0, 1}), 3);   // on the bottom line
  EXPECT_EQ(g.BelongsToCell(std::numeric_limits<float>::quiet_NaN(), 5, {0, 1}), 0);
}

TEST(GetCell, FindsTheCellAcrossSharedEdges) {
  const BCQuasiGrid g = SlopingGrid();
  EXPECT_EQ(Find(g, 0, 5), ColNode(0, 1));
  EXPECT_EQ(Find(g, 10, 5), ColNode(1, 5));  // V-line 1 belongs to column 1
  EXPECT_EQ(Find(g, 5, 13), ColNode(0, 1));  // on H-line row 1: the cell below
  EXPECT_EQ(Find(g, 5, 30), ColNode(0, 3));  // the top line belongs to the top row
  EXPECT_EQ(Find(g, 5, 30.001f), kNoCell);
  EXPECT_EQ(Find(g, 5, 0), kNoCell);   // the bottom line to no cell
  EXPECT_EQ(Find(g, 20, 5), kNoCell);  // the last V-line to no cell without XRes
}

TEST(GetCell, WalksFromAGuessOneCellOff) {
  const BCQuasiGrid g = SlopingGrid();
  // The left V-line puts z 14 above row 1 (10), but at x 8 the rising edge is at 14.8.
  EXPECT_EQ(Find(g, 8, 14), ColNode(0, 1));
  // The left V-line puts z 14 below row 1 (16), but at x 18 the falling edge is at 12.8.
  EXPECT_EQ(Find(g, 18, 14), ColNode(1, 6));
  EXPECT_EQ(Find(g, 18, 23), ColNode(1, 7));  // falling row 2 edge is at 22.4
}

TEST(GetCell, WholeGridSearchDrawsInPointsWithinHalfXRes) {
  BCQuasiGrid g = SlopingGrid();
  g.XRes = 1;
  EXPECT_EQ(Find(g, -0.4f, 5), ColNode(0, 1));
  EXPECT_EQ(Find(g, -0.6f, 5), kNoCell);
  EXPECT_EQ(Find(g, 20, 5), ColNode(1, 5));  // moved to 19.5
  EXPECT_EQ(Find(g, 20.4f, 5), ColNode(1, 5));
  EXPECT_EQ(Find(g, 20.6f, 5), kNoCell);
  EXPECT_EQ(Find(g, 20, 5, sgkZoom), kNoCell);  // only the whole grid has a margin
  EXPECT_EQ(Find(g, -0.4f, 5, sgkZoom), kNoCell);
}

TEST(GetCell, StaysInsideTheChosenSubgrid) {
  BCQuasiGrid g = SlopingGrid();
  g.SelSubgrid = {1, 2, 6, 6};  // the middle cell of column 1
  EXPECT_EQ(Find(g, 15, 20, sgkSelection), ColNode(1, 6));
  EXPECT_EQ(Find(g, 15, 5, sgkSelection), kNoCell);   // below it
  EXPECT_EQ(Find(g, 15, 29, sgkSelection), kNoCell);  // above it
  EXPECT_EQ(Find(g, 5, 15, sgkSelection), kNoCell);   // left of it
  EXPECT_EQ(Find(g, 5, 15, static_cast<SubGridKind>(7)), kNoCell);
  g.SelSubgrid = {0, 9, 1, 3};  // stale: wider than the grid
  EXPECT_EQ(Find(g, 5, 15, sgkSelection), kNoCell);
  BCQuasiGrid empty;
  EXPECT_EQ(Find(empty, 0, 0), kNoCell);
}

TEST(GetCellInfo, FindsOnlyCellsInTheZoomWindow) {
  BCQuasiGrid g = SlopingGrid();
  g.ZoomSubgrid = {1, 2, 5, 7};
  BCCellInfo info{5, 10, -7, -7, -7, -7, -7};
  EXPECT_FALSE(g.GetCellInfo(info, true));
  EXPECT_EQ(info.Node, -7);  // unchanged
  info.X = 15;
  ASSERT_TRUE(g.GetCellInfo(info, true));
  EXPECT_EQ(info.Node, 5);
  EXPECT_EQ(info.Col, 2);
  EXPECT_EQ(info.HLine, 3);  // top of the lowest cell is H-line index 2
  EXPECT_EQ(info.V, 500);
  EXPECT_EQ(info.Fixed, 0);
}

TEST(CellDescription, DrawCellHasTheTrapezoidCorners) {
  BCQuasiGrid g = SlopingGrid();
  g.CellFlags[2] = 2 | 1;
  BCDrawCell dc{};
  dc.TopLeft.w = 7;
  g.GetDrawCell({0, 2}, dc);
  EXPECT_EQ(dc.TopLeft.x, 0);
  EXPECT_EQ(dc.TopLeft.z, 20);
  EXPECT_EQ(dc.TopLeft.w, 7);  // not written
  EXPECT_EQ(dc.TopRight.x, 10);
  EXPECT_EQ(dc.TopRight.z, 24);
  EXPECT_EQ(dc.BotRight.x, 10);
  EXPECT_EQ(dc.BotRight.z, 16);
  EXPECT_EQ(dc.BotLeft.x, 0);
  EXPECT_EQ(dc.BotLeft.z, 10);
  EXPECT_EQ(dc.V, 200);
  EXPECT_EQ(dc.Node, 2);
  EXPECT_TRUE(dc.Selected);
  EXPECT_FALSE(dc.Fixed);  // only the editable model reports fixed cells

  EXPECT_EQ(g.GetCellTopLeft(6).x, 10);
  EXPECT_EQ(g.GetCellTopLeft(6).z, 24);
  EXPECT_EQ(g.GetCellTopLeft(2, 2).z, 24);  // column 2, H-line 2 is node 6
}

TEST(CellDescription, InfoToDrawCellGoesThroughTheOverride) {
  struct Marking : BCQuasiGrid {
    void GetDrawCell(const BCCell& cell, BCDrawCell& dc) const override {
      BCQuasiGrid::GetDrawCell(cell, dc);
      dc.Fixed = true;
    }
  };
  Marking g;
  static_cast<BCQuasiGrid&>(g) = SlopingGrid();
  BCCellInfo info{15, 20, 6, 2, 2, 0, 0};
  BCDrawCell dc{};
  g.CellInfoToDrawCell(info, dc);
  EXPECT_TRUE(dc.Fixed);
  EXPECT_EQ(dc.Node, 6);
  EXPECT_EQ(dc.TopLeft.x, 10);
}

TEST(SelectCell, AccumulatesMarksAndKeepsOtherBits) {
  BCQuasiGrid g = SlopingGrid();
  g.SelSubgrid = {0, 1, 2, 2};
  g.CellFlags[5] = 2;
  EXPECT_FALSE(g.SelectCell(FPoint(25, 5)));
  EXPECT_FALSE(g.SelActive);
  EXPECT_TRUE(g.SelectCell(FPoint(15, 5)));
  EXPECT_TRUE(g.SelectCell(FPoint(5, 25)));
  EXPECT_TRUE(g.SelActive);
  EXPECT_EQ(g.CellFlags[5], 3);
  EXPECT_EQ(g.CellFlags[3], 1);
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{0, 1, 2, 2}));
  BCCellInfo info{};
  info.Node = 3;
  EXPECT_TRUE(g.GotInSelection(info));
  info.Node = 1;
  EXPECT_FALSE(g.GotInSelection(info));
}
