// H-line moves and the three subgrid moves, each with its feasibility test.
#include "editing/equasigrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/editable_grid.h"
#include "support/hand_grid.h"
#include "support/hand_model.h"

namespace {

using Can = bool (BCEQuasiGrid::*)(float, float) const;
using Move = void (BCEQuasiGrid::*)(float);

// Two V-lines with rows at 0, 10, 20, 30, 40 and the single row 2 (between 10 and 20) selected.
BCEQuasiGrid FiveRows(const std::vector<float>& zs = {0, 10, 20, 30, 40}) {
  BCEQuasiGrid g = Editable(HandGrid({0, 10}, zs));
  g.SelSubgrid = {0, 1, 2, 2};
  g.SelActive = true;
  return g;
}

}  // namespace

TEST(SubgridMoves, RowsOfEachMoveAndTheWidenedZoom) {
  struct Case {
    Move move;
    std::vector<float> rows;
  } cases[] = {
      {&BCEQuasiGrid::MoveSelSubgrid, {0, 12.5f, 25, 32.5f, 40}},
      {&BCEQuasiGrid::DeformSubBotFixed, {0, 10, 25, 32.5f, 40}},
      {&BCEQuasiGrid::DeformSubTopFixed, {0, 15, 20, 30, 40}},
  };
  for (const Case& c : cases) {
    BCEQuasiGrid g = FiveRows();
    g.ZoomSubgrid = {0, 1, 2, 3};
    const BCEQuasiGrid before = g;
    (g.*c.move)(0);  // dz 0 changes nothing, not even the zoom
    EXPECT_TRUE(SameModel(g, before));
    (g.*c.move)(5);
    std::vector<float> both = c.rows;
    both.insert(both.end(), c.rows.begin(), c.rows.end());
    EXPECT_EQ(g.ZZ, both);  // the right V-line of the selection moves too
    EXPECT_EQ(g.ZoomSubgrid, (BCSubgrid{0, 1, 1, 4}));
  }
}

TEST(SubgridMoves, TestsCheckOnlyTheCompressedRun) {
  const Can block = &BCEQuasiGrid::CanMoveSelSubgrid,
            botFixed = &BCEQuasiGrid::CanDeformSubBotFixed,
            topFixed = &BCEQuasiGrid::CanDeformSubTopFixed;
  struct Case {
    Can can;
    BCSubgrid sel;
    float dz, minGap;
    bool feasible;
  } cases[] = {
      // Rows 4..2 shrink from 20 to 15 (spacings 7.5); rows 2..0 likewise going down.
      {block, {0, 1, 2, 2}, 5, 7.5f, true},
      {block, {0, 1, 2, 2}, 5, 7.51f, false},
      {block, {0, 1, 2, 2}, -5, 7.5f, true},
      {block, {0, 1, 2, 2}, -5, 7.51f, false},
      // The selected row itself shrinks from 10 to 5.
      {botFixed, {0, 1, 2, 2}, -5, 5, true},
      {botFixed, {0, 1, 2, 2}, -5, 5.01f, false},
      {topFixed, {0, 1, 2, 2}, 5, 5, true},
      {topFixed, {0, 1, 2, 2}, 5, 5.01f, false},
      // Edges on the model's top or bottom line cannot move, however small the step.
      {block, {0, 1, 2, 4}, 0.01f, 0, false},
      {block, {0, 1, 1, 2}, -0.01f, 0, false},
      {block, {0, 1, 1, 2}, 0.01f, 0, false},
      {block, {0, 1, 2, 4}, -0.01f, 0, false},
      {botFixed, {0, 1, 2, 4}, 0.01f, 0, false},
      {topFixed, {0, 1, 1, 2}, -0.01f, 0, false},
      // dz 0 is always feasible; NaN, infinity and a stale selection never are.
      {block, {0, 1, 1, 4}, 0, 100, true},
      {block, {0, 1, 2, 2}, 1, NAN, false},
      {topFixed, {0, 1, 2, 2}, INFINITY, 0, false},
      {botFixed, {0, 2, 2, 2}, 0, 0, false},
  };
  for (const Case& c : cases) {
    BCEQuasiGrid g = FiveRows();
    g.SelSubgrid = c.sel;
    EXPECT_EQ((g.*c.can)(c.dz, c.minGap), c.feasible) << c.dz << " " << c.minGap;
  }
  // A run the move stretches is not tested: rows 0..1 are 5 apart, below minGap.
  EXPECT_TRUE(FiveRows({0, 5, 20, 30, 40}).CanDeformSubTopFixed(0.5f, 9.5f));
}

TEST(SubgridMoves, MovingBackRestoresAndLinesStayOrdered) {
  // Seven V-lines of nine rows with uneven spacings; rows 3..5 of columns 1..4 selected.
  std::vector<float> xx, zz;
  for (int c = 0; c < 7; ++c) {
    xx.push_back(10.0f * static_cast<float>(c));
    for (int k = 0; k < 9; ++k) zz.push_back(static_cast<float>(k * 10 + (k * 7 + c * 3) % 5));
  }
  BCEQuasiGrid g = Editable(HandModel(xx, zz));
  g.SelSubgrid = {1, 5, 9 + 3, 9 + 5};
  for (const float d : {3.7f, -2.9f, 0.3f}) {
    ASSERT_TRUE(g.CanMoveSelSubgrid(d, 0.1f));
    g.MoveSelSubgrid(d);
    for (size_t i = 1; i < zz.size(); ++i) {
      if (i % 9 != 0) {
        EXPECT_LT(g.ZZ[i - 1], g.ZZ[i]) << i;
      }
    }
    g.MoveSelSubgrid(-d);
    for (size_t i = 0; i < zz.size(); ++i) EXPECT_NEAR(g.ZZ[i], zz[i], 1e-4f) << i;
  }
  for (int i : {0, 8, 6 * 9, 6 * 9 + 5}) EXPECT_EQ(g.ZZ[i], zz[i]) << "untouched";
}

TEST(MoveHLine, GapToTheNeighbourInTheDirectionOfTheMove) {
  // Line 1 (izrel 2) lies at 20 on the first V-line and 24 on the second.
  BCEQuasiGrid g = Editable(HandModel({0, 10}, {0, 10, 20, 30, 0, 10, 24, 30}));
  struct Case {
    int ih;
    float dz, minGap;
    bool feasible;
  } cases[] = {
      // Up: 2 left under the line above on V-line 1; down: 2 over the line below on V-line 0.
      {1, 4, 2, true},
      {1, 4.01f, 2, false},
      {1, -8, 2, true},
      {1, -8.01f, 2, false},
      // The top line may go down, not up; the bottom line not down; no line 4 or -1.
      {0, -3, 2, true},
      {0, 0.01f, 0, false},
      {3, -0.01f, 0, false},
      {4, 0, 0, false},
      {-1, 0, 0, false},
      {1, NAN, 0, false},
      {1, 1, -INFINITY, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(g.CanMoveHLine(c.ih, c.dz, c.minGap), c.feasible) << c.ih << " " << c.dz;
  }
  g.MoveHLine(1, -8);
  g.MoveHLine(4, 1);  // no such line
  EXPECT_EQ(g.ZZ, (std::vector<float>{0, 10, 12, 30, 0, 10, 16, 30}));
}
