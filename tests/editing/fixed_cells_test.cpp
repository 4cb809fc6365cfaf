// Fixing and freeing cells by selection and rectangle, listing, replacing and walking them.
#include "editing/equasigrid.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/editable_grid.h"
#include "support/hand_grid.h"

using Nodes = std::vector<int>;
using Points = std::vector<TPoint>;

namespace {

// Four V-lines at 0..30 with H-lines at 0, -10, .., -40; cells of columns 1..3, rows 2..3
// (nodes 2, 3, 7, 8, 12, 13) selected.
BCEQuasiGrid SelectedBlock() {
  BCEQuasiGrid g = Editable(HandGrid({0, 10, 20, 30}, {-40, -30, -20, -10, 0}));
  g.SelSubgrid = {0, 3, 2, 3};
  g.MarkSelSubGridCells(g.SelSubgrid);
  g.SelActive = true;
  return g;
}

}  // namespace

TEST(FixedCells, FixAndFreeCountOnlyChangesAndKeepTheSelection) {
  BCEQuasiGrid g = SelectedBlock();
  EXPECT_EQ(g.GetNumOfFixes(), 0);
  EXPECT_EQ(g.FixSelectedSubgrid(true, nullptr), 6);
  EXPECT_EQ(g.FixSelectedSubgrid(true, nullptr), 0);
  EXPECT_EQ(g.GetNumOfFixes(), 6);
  // A rectangle over columns 2..3, every row: 8 cells, 4 of them already fixed.
  BCFRect band(10, 5, 30, -45), inOneCell(11, -12, 19, -18);
  EXPECT_EQ(g.FixSelectedSubgrid(true, &band), 4);
  EXPECT_EQ(g.FixSelectedSubgrid(true, &inOneCell), 0);
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{0, 3, 2, 3})) << "a rectangle leaves the selection";
  EXPECT_EQ(g.FixSelectedSubgrid(false, nullptr), 6);
  EXPECT_EQ(SelectedNodes(g), (Nodes{2, 3, 7, 8, 12, 13}));
  EXPECT_EQ(g.FreeAllCells(), 4);
  EXPECT_EQ(g.FreeAllCells(), 0);
  g.SelActive = false;
  EXPECT_EQ(g.FixSelectedSubgrid(true, nullptr), 0) << "nothing selected";
  g.SelActive = true;
  g.SelSubgrid = {2, 4, 12, 13};
  EXPECT_EQ(g.FixSelectedSubgrid(true, nullptr), 0) << "a stale selection";
}

TEST(FixedCells, ListReplaceAndWalk) {
  BCEQuasiGrid g = SelectedBlock();
  g.VV[3] = 3;
  g.VV[7] = 7;
  g.CellFlags[7] |= kCellFixed;
  g.CellFlags[3] |= kCellFixed;
  Points pts{{9, 9}};
  ASSERT_TRUE(g.GetFixCells(pts));
  EXPECT_EQ(pts, (Points{{1, 2}, {2, 3}}));  // ascending node order
  // The walk: node 3, node 7, then false with i left on the last one.
  int i = -1;
  float v = 0;
  ASSERT_TRUE(g.GetNextFix(i, v));
  EXPECT_EQ(i * 100 + v, 303);
  ASSERT_TRUE(g.GetNextFix(i, v));
  EXPECT_EQ(i * 100 + v, 707);
  EXPECT_FALSE(g.GetNextFix(i, v));
  EXPECT_EQ(i, 7);
  i = -2;
  EXPECT_FALSE(g.GetNextFix(i, v));
  // Off-grid positions are skipped; a cell-less node (last V-line, bottom) is set. The fixed
  // bits are replaced, the selected ones kept.
  g.SetFixCells({{0, 1}, {5, 1}, {1, 6}, {4, 5}, {4, 5}});
  ASSERT_TRUE(g.GetFixCells(pts));
  EXPECT_EQ(pts, (Points{{4, 5}}));
  EXPECT_EQ(g.CellFlags[15], kCellFixed);
  EXPECT_EQ(SelectedNodes(g), (Nodes{2, 3, 7, 8, 12, 13}));
  g.SetFixCells({});
  EXPECT_FALSE(g.GetFixCells(pts));
  EXPECT_TRUE(pts.empty());
  i = -1;
  EXPECT_FALSE(g.GetNextFix(i, v));
  EXPECT_EQ(i, -1);
}
