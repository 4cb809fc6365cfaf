// Cell look-up on a grid whose H-lines slope: shared edges, the walk from a first guess one cell
// off, the edge margin of the whole-grid search, subgrids, and the cell descriptions.
#include "model/quasigrid.h"

#include <gtest/gtest.h>

#include <utility>

#include "support/hand_model.h"

namespace {

// V-lines at 0, 10, 20; H-line row 1 at 10, 16, 12 and row 2 at 20, 24, 22; flat top at 30.
BCQuasiGrid SlopingGrid() {
  BCQuasiGrid g = HandModel({0, 10, 20}, {0, 10, 20, 30, 0, 16, 24, 30, 0, 12, 22, 30});
  for (int i = 0; i < 12; ++i) g.VV[i] = static_cast<float>(100 * i);
  return g;
}

using ColNode = std::pair<int, int>;
const ColNode kNoCell{-1, -1};

ColNode Find(const BCQuasiGrid& g, float x, float z, SubGridKind kind = sgkWhole) {
  BCCell cell{-1, -1};
  if (!g.GetCell(x, z, cell, kind)) return kNoCell;
  return {cell.Col, cell.Node};
}

}  // namespace

TEST(CellLookup, SharedEdgesBelongToTheCellRightAndBelow) {
  const BCQuasiGrid g = SlopingGrid();
  EXPECT_EQ(g.BelongsToCell(10, 5, {0, 1}), 0);  // the right V-line is the next column's
  EXPECT_EQ(g.BelongsToCell(5, 13, {0, 2}), 3);  // on the sloping H-line (13 at x 5): below
  EXPECT_EQ(g.BelongsToCell(5, 14, {0, 1}), 2);  // between the corners, above the edge
  EXPECT_EQ(Find(g, 0, 5), ColNode(0, 1));       // on the left V-line
  EXPECT_EQ(Find(g, 10, 5), ColNode(1, 5));
  EXPECT_EQ(Find(g, 5, 13), ColNode(0, 1));
  EXPECT_EQ(Find(g, 5, 30), ColNode(0, 3));  // the top line belongs to the top row
  EXPECT_EQ(Find(g, 5, 30.001f), kNoCell);
  EXPECT_EQ(Find(g, 5, 0), kNoCell);   // the bottom line to no cell
  EXPECT_EQ(Find(g, 20, 5), kNoCell);  // nor the last V-line without XRes
  // The left V-line suggests the cell above (rising edge at 14.8) or below (falling, 12.8).
  EXPECT_EQ(Find(g, 8, 14), ColNode(0, 1));
  EXPECT_EQ(Find(g, 18, 14), ColNode(1, 6));
}

TEST(CellLookup, WholeGridSearchDrawsInPointsWithinHalfXRes) {
  BCQuasiGrid g = SlopingGrid();
  g.XRes = 1;
  EXPECT_EQ(Find(g, -0.4f, 5), ColNode(0, 1));
  EXPECT_EQ(Find(g, -0.6f, 5), kNoCell);
  EXPECT_EQ(Find(g, 20, 5), ColNode(1, 5));  // moved to 19.5
  EXPECT_EQ(Find(g, 20.4f, 5), ColNode(1, 5));
  EXPECT_EQ(Find(g, 20.6f, 5), kNoCell);
  EXPECT_EQ(Find(g, 20, 5, sgkZoom), kNoCell);  // other subgrids have no margin
}

TEST(CellLookup, StaysInsideTheChosenSubgrid) {
  BCQuasiGrid g = SlopingGrid();
  g.SelSubgrid = {1, 2, 6, 6};  // the middle cell of column 1
  EXPECT_EQ(Find(g, 15, 20, sgkSelection), ColNode(1, 6));
  EXPECT_EQ(Find(g, 15, 5, sgkSelection), kNoCell);
  EXPECT_EQ(Find(g, 15, 29, sgkSelection), kNoCell);
  EXPECT_EQ(Find(g, 5, 15, sgkSelection), kNoCell);
  EXPECT_EQ(Find(g, 5, 15, static_cast<SubGridKind>(7)), kNoCell);
  g.SelSubgrid = {0, 9, 1, 3};  // stale: wider than the grid
  EXPECT_EQ(Find(g, 5, 15, sgkSelection), kNoCell);

  g.ZoomSubgrid = {1, 2, 5, 7};
  BCCellInfo info{5, 10, -7, -7, -7, -7, -7};
  EXPECT_FALSE(g.GetCellInfo(info, true));  // in the model, outside the zoom window
  EXPECT_EQ(info.Node, -7);
  info.X = 15;
  ASSERT_TRUE(g.GetCellInfo(info, true));
  EXPECT_EQ(std::make_pair(info.Node, info.Col), std::make_pair(5, 2));
  EXPECT_EQ(info.HLine, 3);
  EXPECT_EQ(info.V, 500);
}

TEST(CellLookup, DrawCellAndSelectCell) {
  BCQuasiGrid g = SlopingGrid();
  g.CellFlags[2] = 2;
  EXPECT_FALSE(g.SelectCell(FPoint(25, 5)));
  EXPECT_FALSE(g.SelActive);
  EXPECT_TRUE(g.SelectCell(FPoint(5, 15)));
  EXPECT_TRUE(g.SelActive);
  EXPECT_EQ(g.CellFlags[2], 3);  // the fixed bit stays
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{0, 0, 0, 0}));

  BCDrawCell dc{};
  dc.TopLeft.w = 7;
  g.CellInfoToDrawCell(BCCellInfo{5, 15, 2, 1, 2, 0, 0}, dc);
  EXPECT_EQ(std::make_pair(dc.TopLeft.x, dc.TopLeft.z), std::make_pair(0.0f, 20.0f));
  EXPECT_EQ(std::make_pair(dc.TopRight.x, dc.TopRight.z), std::make_pair(10.0f, 24.0f));
  EXPECT_EQ(std::make_pair(dc.BotRight.x, dc.BotRight.z), std::make_pair(10.0f, 16.0f));
  EXPECT_EQ(std::make_pair(dc.BotLeft.x, dc.BotLeft.z), std::make_pair(0.0f, 10.0f));
  EXPECT_EQ(dc.TopLeft.w, 7);  // not written
  EXPECT_EQ(dc.V, 200);
  EXPECT_TRUE(dc.Selected);
  EXPECT_FALSE(dc.Fixed);
  EXPECT_EQ(g.GetCellTopLeft(2, 2).z, 24);  // column 2, H-line 2 is node 6
}
