// Deleting the lines of selected columns and rows: result codes, what the remaining cells keep,
// and the renumbering of horizons and zoom.
#include <gtest/gtest.h>

#include <vector>

#include "editing/equasigrid.h"
#include "structure_checks.h"
#include "support/hand_grid.h"
#include "support/hand_model.h"

namespace {

BCEQuasiGrid Numbered(int nx, int nz) {
  BCEQuasiGrid g;
  static_cast<BCQuasiGrid&>(g) = NodeNumberedGrid(nx, nz);
  return g;
}

}  // namespace

TEST(DeleteSelectedLines, ResultCodes) {
  struct Case {
    BCSubgrid sel;  // on a 5 x 5 grid
    std::vector<int> horizons;
    int result;
    int nx, nz;  // afterwards
  };
  const Case cases[] = {
      {{1, 2, 7, 7}, {}, 0, 5, 5},   // one cell: nothing done
      {{0, 4, 1, 4}, {}, 0, 5, 5},   // the whole grid: nothing done
      {{1, 3, 2, 3}, {}, 0, 5, 5},   // stale: the rows are not on V-line 1
      {{0, 2, 1, 4}, {}, 1, 5, 5},   // columns from V-line 0
      {{0, 4, 3, 4}, {}, 2, 5, 5},   // rows with the top row
      {{0, 4, 2, 3}, {1}, 3, 5, 5},  // a horizon on the highest deleted H-line
      {{0, 4, 2, 3}, {2}, 3, 5, 5},  // ... on the lowest
      {{0, 4, 2, 3}, {3}, 0, 5, 3},  // on the selection's lower edge, which stays
      {{1, 3, 6, 9}, {2}, 0, 3, 5},  // two columns
  };
  for (const Case& c : cases) {
    BCEQuasiGrid g = Numbered(5, 5);
    SetHorizons(g, c.horizons);
    Select(g, c.sel);
    const BCEQuasiGrid before = g;
    EXPECT_EQ(g.DeleteSelectedLines(), c.result) << c.sel.LeftCol << " " << c.sel.BotNode;
    EXPECT_EQ(g.GetNx() * 10 + g.Nz, c.nx * 10 + c.nz);
    if (g.Nz * g.GetNx() == 25) {
      EXPECT_TRUE(SameModel(g, before));
    } else {
      EXPECT_FALSE(g.SelActive);
      EXPECT_TRUE(SelectedNodes(g).empty());
    }
  }
}

TEST(DeleteVLines, TheColumnLeftOfTheGapWidensAndZoomEdgesFollow) {
  struct Case {
    BCSubgrid zoomBefore, zoomAfter;
  };
  const Case cases[] = {
      {{2, 4, 7, 8}, {0, 2, 1, 2}},    // a deleted left edge falls back to V-line 0
      {{1, 2, 4, 5}, {0, 1, 1, 2}},    // a deleted right edge moves to the next surviving
      {{3, 4, 10, 11}, {1, 2, 4, 5}},  // right of the gap: shifted
      {{0, 1, 1, 2}, {0, 1, 1, 2}},    // left of the gap: kept
  };
  for (const Case& c : cases) {
    BCEQuasiGrid g = Numbered(5, 3);
    g.ZoomSubgrid = c.zoomBefore;
    Select(g, {1, 3, 4, 5});
    g.DeleteVLines();  // V-lines 1 and 2
    EXPECT_EQ(g.XX, (std::vector<float>{0, 30, 40}));
    EXPECT_EQ(g.ZZ, (std::vector<float>{0, 1, 2, 9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(g.ZoomSubgrid, c.zoomAfter);
  }
  // The model's left edge stays.
  BCEQuasiGrid g = Numbered(5, 3);
  Select(g, {0, 2, 1, 2});
  const BCEQuasiGrid before = g;
  g.DeleteVLines();
  EXPECT_TRUE(SameModel(g, before));
}

TEST(DeleteHLines, FlagsGoWithTheirRowsAndHorizonsBelowMoveUp) {
  BCEQuasiGrid g = Numbered(2, 5);
  g.CellFlags[3] = kCellFixed;  // in a deleted row
  g.CellFlags[4] = kCellFixed;  // the top row, which absorbs the deleted ones
  SetHorizons(g, {0, 3, 4});
  Select(g, {0, 1, 2, 3});  // rows with top edges at IH 2 and 1
  ASSERT_EQ(g.DeleteSelectedLines(), 0);
  EXPECT_EQ(g.ZZ, (std::vector<float>{0, 1, 4, 5, 6, 9}));
  EXPECT_EQ(g.CellFlags, (std::vector<unsigned char>{0, 0, kCellFixed, 0, 0, 0}));
  EXPECT_EQ(HorizonLines(g), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(g.ZoomSubgrid, (BCSubgrid{0, 1, 1, 2}));
  // The top H-line stays: a direct call on rows that reach it does nothing.
  Select(g, {0, 1, 1, 2});
  const BCEQuasiGrid before = g;
  g.DeleteHLines();
  EXPECT_TRUE(SameModel(g, before));
}
