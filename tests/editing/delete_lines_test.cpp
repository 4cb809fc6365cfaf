// Deleting the lines of selected columns and rows: result codes, what the remaining cells keep,
// and the renumbering of horizons and zoom.
#include <gtest/gtest.h>

#include <vector>

#include "structure_checks.h"
#include "support/editable_grid.h"
#include "support/hand_grid.h"
#include "support/hand_model.h"

TEST(DeleteSelectedLines, ResultCodes) {
  struct Case {
    BCSubgrid sel;  // on a 5 x 5 grid
    int horizon;    // IH, or -1 for none
    int result;
    int nodesAfter;
  };
  const Case cases[] = {
      {{1, 2, 7, 7}, -1, 0, 25},  // one cell: nothing done
      {{0, 4, 1, 4}, -1, 0, 25},  // the whole grid: nothing done
      {{1, 3, 2, 3}, -1, 0, 25},  // stale: the rows are not on V-line 1
      {{0, 2, 1, 4}, -1, 1, 25},  // columns from V-line 0
      {{0, 4, 3, 4}, -1, 2, 25},  // rows with the top row
      {{0, 4, 2, 3}, 1, 3, 25},   // a horizon on the highest deleted H-line
      {{0, 4, 2, 3}, 2, 3, 25},   // ... on the lowest
      {{0, 4, 2, 3}, 3, 0, 15},   // on the selection's lower edge, which stays
      {{1, 3, 6, 9}, 2, 0, 15},   // two columns
  };
  for (const Case& c : cases) {
    BCEQuasiGrid g = Editable(NodeNumberedGrid(5, 5));
    SetHorizons(g, c.horizon < 0 ? std::vector<int>{} : std::vector<int>{c.horizon});
    Select(g, c.sel);
    const BCEQuasiGrid before = g;
    EXPECT_EQ(g.DeleteSelectedLines(), c.result) << c.sel.LeftCol << " " << c.sel.BotNode;
    EXPECT_EQ(g.VV.size(), c.nodesAfter);
    if (c.nodesAfter == 25) {
      EXPECT_TRUE(SameModel(g, before));
    }
  }
}

TEST(DeleteVLines, TheColumnLeftOfTheGapWidensAndZoomEdgesFollow) {
  const BCSubgrid zoomBeforeAfter[][2] = {
      {{2, 4, 7, 8}, {0, 2, 1, 2}},    // a deleted left edge falls back left of the gap
      {{1, 2, 4, 5}, {0, 1, 1, 2}},    // a deleted right edge moves to the next surviving
      {{3, 4, 10, 11}, {1, 2, 4, 5}},  // right of the gap: shifted
  };
  for (const auto& zoom : zoomBeforeAfter) {
    BCEQuasiGrid g = Editable(NodeNumberedGrid(5, 3));
    g.ZoomSubgrid = zoom[0];
    Select(g, {1, 3, 4, 5});
    g.DeleteVLines();  // V-lines 1 and 2
    EXPECT_EQ(g.ZZ, (std::vector<float>{0, 1, 2, 9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(g.ZoomSubgrid, zoom[1]);
  }
  BCEQuasiGrid g = Editable(NodeNumberedGrid(5, 3));
  Select(g, {0, 2, 1, 2});
  g.DeleteVLines();  // the model's left edge stays
  EXPECT_EQ(g.GetNx(), 5);
}

TEST(DeleteHLines, FlagsGoWithTheirRowsAndHorizonsBelowMoveUp) {
  BCEQuasiGrid g = Editable(NodeNumberedGrid(2, 5));
  g.CellFlags[3] = kCellFixed;  // in a deleted row
  g.CellFlags[4] = kCellFixed;  // the top row, which absorbs the deleted ones
  SetHorizons(g, {0, 3, 4});
  Select(g, {0, 1, 2, 3});  // rows with top edges at IH 2 and 1
  ASSERT_EQ(g.DeleteSelectedLines(), 0);
  EXPECT_EQ(g.ZZ, (std::vector<float>{0, 1, 4, 5, 6, 9}));
  EXPECT_EQ(g.CellFlags, (std::vector<unsigned char>{0, 0, kCellFixed, 0, 0, 0}));
  EXPECT_EQ(HorizonLines(g), (std::vector<int>{0, 1, 2}));
  // The top H-line stays: a direct call on rows that reach it does nothing.
  Select(g, {0, 1, 1, 2});
  g.DeleteHLines();
  EXPECT_EQ(g.Nz, 3);
}
