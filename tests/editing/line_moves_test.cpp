// H-line moves and the three subgrid moves, each with its feasibility test.
#include "editing/equasigrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/editable_grid.h"
#include "support/hand_grid.h"
#include "support/hand_model.h"

namespace {

// Two V-lines with rows at zs (bottom first) and the single row 2 selected.
BCEQuasiGrid FiveRows(const std::vector<float>& zs = {0, 10, 20, 30, 40}) {
  BCEQuasiGrid g = Editable(HandGrid({0, 10}, zs));
  g.SelSubgrid = {0, 1, 2, 2};
  return g;
}

}  // namespace

TEST(SubgridMoves, RowsOfEachMoveAndTheWidenedZoom) {
  using Move = void (BCEQuasiGrid::*)(float);
  const Move moves[] = {&BCEQuasiGrid::MoveSelSubgrid, &BCEQuasiGrid::DeformSubBotFixed,
                        &BCEQuasiGrid::DeformSubTopFixed};
  const std::vector<float> rows[] = {
      {0, 12.5f, 25, 32.5f, 40}, {0, 10, 25, 32.5f, 40}, {0, 15, 20, 30, 40}};
  for (int m = 0; m < 3; ++m) {
    BCEQuasiGrid g = FiveRows();
    g.ZoomSubgrid = {0, 1, 2, 3};
    const BCEQuasiGrid before = g;
    (g.*moves[m])(0);  // dz 0 changes nothing, not even the zoom
    EXPECT_TRUE(SameModel(g, before));
    (g.*moves[m])(5);
    EXPECT_EQ(std::vector<float>(g.ZZ.begin() + 5, g.ZZ.end()), rows[m]);  // right V-line
    EXPECT_EQ(g.ZoomSubgrid, (BCSubgrid{0, 1, 1, 4}));
    BCEQuasiGrid whole = FiveRows();
    whole.SelSubgrid = whole.WholeSubgrid;  // the model's top and bottom lines never move
    (whole.*moves[m])(5);
    (whole.*moves[m])(-5);
    EXPECT_EQ(whole.ZZ, FiveRows().ZZ);
  }
}

TEST(SubgridMoves, TestsCheckOnlyTheCompressedRun) {
  using Can = bool (BCEQuasiGrid::*)(float, float) const;
  const Can block = &BCEQuasiGrid::CanMoveSelSubgrid, bot = &BCEQuasiGrid::CanDeformSubBotFixed,
            top = &BCEQuasiGrid::CanDeformSubTopFixed;
  struct Case {
    Can can;
    BCSubgrid sel;
    float dz, minGap;
    bool feasible;
  };
  // Rows 4..2 (up) or 2..0 (down) shrink from 20 to 15, the selected row from 10 to 5; equal
  // passes. An edge on the top or bottom line cannot go beyond it however small the step; up
  // from the bottom only the selection's compression counts. dz 0 passes, NaN and stale fail.
  const Case cases[] = {
      {block, {0, 1, 2, 2}, 5, 7.5f, true},   {block, {0, 1, 2, 2}, -5, 7.51f, false},
      {bot, {0, 1, 2, 2}, -5, 5, true},       {top, {0, 1, 2, 2}, 5, 5.01f, false},
      {block, {0, 1, 2, 4}, 0.01f, 0, false}, {block, {0, 1, 1, 2}, -0.01f, 0, false},
      {bot, {0, 1, 2, 4}, 0.01f, 0, false},   {top, {0, 1, 1, 2}, -0.01f, 0, false},
      {top, {0, 1, 1, 2}, 5, 7.5f, true},     {block, {0, 1, 1, 4}, 0, 100, true},
      {block, {0, 1, 2, 2}, 1, NAN, false},   {top, {0, 1, 2, 2}, NAN, 0, false},
      {bot, {0, 2, 2, 2}, 0, 0, false},
  };
  for (const Case& c : cases) {
    BCEQuasiGrid g = FiveRows();
    g.SelSubgrid = c.sel;
    EXPECT_EQ((g.*c.can)(c.dz, c.minGap), c.feasible) << c.dz << " " << c.minGap;
  }
  // The stretched run is not tested: rows 0 and 1 are 5 apart, below minGap.
  EXPECT_TRUE(FiveRows({0, 5, 20, 30, 40}).CanDeformSubTopFixed(0.5f, 9.5f));
}

TEST(SubgridMoves, MovingBackRestoresTheElevations) {
  const std::vector<float> rows{0, 3, 11, 14, 26, 31, 40};
  BCEQuasiGrid g = Editable(HandGrid({0, 10, 20}, rows));
  g.SelSubgrid = {0, 2, 3, 4};
  for (const float d : {3.7f, -2.9f}) {
    g.MoveSelSubgrid(d);
    g.MoveSelSubgrid(-d);
    for (size_t i = 0; i < g.ZZ.size(); ++i) EXPECT_NEAR(g.ZZ[i], rows[i % 7], 1e-5f) << i;
  }
}

TEST(MoveHLine, GapToTheNeighbourInTheDirectionOfTheMove) {
  BCEQuasiGrid g = Editable(HandModel({0, 10}, {0, 10, 20, 30, 0, 10, 24, 30}));
  // H-line 1 at 20 and 24: up 4 leaves 2 under the top on V-line 1, down 8 leaves 2 over row 1
  // on V-line 0. The top line may only go down, the bottom line not down; there is no line 4.
  EXPECT_TRUE(g.CanMoveHLine(1, 4, 2) && g.CanMoveHLine(1, -8, 2) && g.CanMoveHLine(0, -3, 2));
  EXPECT_FALSE(g.CanMoveHLine(1, 4, 2.01f) || g.CanMoveHLine(1, -8, 2.01f));
  EXPECT_FALSE(g.CanMoveHLine(0, 0.01f, 0) || g.CanMoveHLine(3, -0.01f, 0) ||
               g.CanMoveHLine(4, 0, 0) || g.CanMoveHLine(1, NAN, 0));
  g.MoveHLine(1, -8);
  g.MoveHLine(4, 1);
  EXPECT_EQ(g.ZZ, (std::vector<float>{0, 10, 12, 30, 0, 10, 16, 30}));
}
