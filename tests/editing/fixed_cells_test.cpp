// Fixing and freeing cells by selection and rectangle, listing, replacing and walking them.
#include "editing/equasigrid.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/editable_grid.h"
#include "support/hand_grid.h"

using Nodes = std::vector<int>;
using Points = std::vector<TPoint>;

// Four V-lines at 0..30 with H-lines at 0, -10, .., -40; the cells of columns 1..3, rows 2..3
// (nodes 2, 3, 7, 8, 12, 13) selected.
TEST(FixedCells, FixAndFreeCountOnlyChangesAndKeepTheSelection) {
  BCEQuasiGrid g = Editable(HandGrid({0, 10, 20, 30}, {-40, -30, -20, -10, 0}));
  g.SelSubgrid = {0, 3, 2, 3};
  g.MarkSelSubGridCells(g.SelSubgrid);
  EXPECT_EQ(g.FixSelectedSubgrid(true, nullptr), 0) << "nothing selected";
  g.SelActive = true;
  EXPECT_EQ(g.FixSelectedSubgrid(true, nullptr), 6);
  EXPECT_EQ(g.FixSelectedSubgrid(true, nullptr), 0);
  // A band over columns 2..3 and every row: 8 cells, 4 of them fixed already.
  BCFRect band(10, 5, 30, -45), inOneCell(11, -12, 19, -18);
  EXPECT_EQ(g.FixSelectedSubgrid(true, &band), 4);
  EXPECT_EQ(g.FixSelectedSubgrid(true, &inOneCell), 0);
  EXPECT_EQ(g.GetNumOfFixes(), 10);
  EXPECT_EQ(g.FixSelectedSubgrid(false, nullptr), 6);
  EXPECT_EQ(SelectedNodes(g), (Nodes{2, 3, 7, 8, 12, 13}));
  EXPECT_EQ(g.FreeAllCells(), 4);
  g.SelSubgrid = {2, 4, 12, 13};
  EXPECT_EQ(g.FixSelectedSubgrid(true, nullptr), 0) << "a stale selection";
}

TEST(FixedCells, ListReplaceAndWalk) {
  BCEQuasiGrid g = Editable(NodeNumberedGrid(4, 5));
  g.VV = std::vector<float>(20, 1);
  g.VV[7] = 7;
  g.CellFlags[7] = g.CellFlags[3] = kCellFixed;
  Points pts{{9, 9}};
  ASSERT_TRUE(g.GetFixCells(pts));
  EXPECT_EQ(pts, (Points{{1, 2}, {2, 3}}));  // ascending node order
  int i = 3;
  float v = 0;
  ASSERT_TRUE(g.GetNextFix(i, v));
  EXPECT_EQ(i + v, 14);
  EXPECT_FALSE(g.GetNextFix(i, v));
  EXPECT_EQ(i, 7) << "left on the last fixed cell";
  i = -2;
  EXPECT_FALSE(g.GetNextFix(i, v));
  // Off-grid positions are skipped; a cell-less node (last V-line, bottom) is set.
  g.SetFixCells({{0, 1}, {5, 1}, {1, 6}, {4, 5}, {4, 5}});
  ASSERT_TRUE(g.GetFixCells(pts));
  EXPECT_EQ(pts, (Points{{4, 5}}));
  g.SetFixCells({});
  i = -1;
  EXPECT_FALSE(g.GetFixCells(pts) || g.GetNextFix(i, v));
  EXPECT_EQ(i, -1);
}
