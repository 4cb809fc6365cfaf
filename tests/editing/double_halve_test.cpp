// Doubling and halving columns and rows: halving undoes doubling bit for bit; the values, flags,
// horizons and limits of each.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "structure_checks.h"
#include "support/editable_grid.h"
#include "support/hand_grid.h"
#include "support/hand_model.h"

namespace {

using Floats = std::vector<float>;

// Five uneven V-lines of five nodes, sloping H-lines, velocities (some 0), fixed cells, horizons
// on the top and bottom lines and a zoom.
BCEQuasiGrid UnevenModel() {
  Floats zz;
  for (int i = 0; i < 25; ++i) {
    const int c = i / 5, k = i % 5;
    zz.push_back(10.0f * k + 1.5f * c + static_cast<float>(k * c % 3));
  }
  BCEQuasiGrid g = Editable(HandModel({0, 10, 25, 45, 70}, zz));
  for (size_t i = 0; i < g.VV.size(); ++i) g.VV[i] = i % 7 == 3 ? 0 : 1000 + 37.3f * i;
  for (int i : {2, 8, 13, 19}) g.CellFlags[i] = kCellFixed;
  SetHorizons(g, {0, 4});
  g.ZoomSubgrid = {1, 3, 6, 9};
  return g;
}

}  // namespace

TEST(DoubleThenHalve, GivesTheModelBackBitForBit) {
  // Columns: one, a subgrid, one cell of the last column, all. Rows: the bottom one, two, all,
  // and rows of a selection that does not start at V-line 0.
  for (const BCSubgrid sel : {BCSubgrid{0, 1, 1, 4}, {1, 4, 6, 7}, {3, 4, 16, 16}, {0, 4, 1, 4}}) {
    BCEQuasiGrid g = UnevenModel();
    Select(g, sel);
    const BCEQuasiGrid before = g;
    ASSERT_EQ(g.DoubleColumns(0.1f), 0);
    g.HalveColumns();
    EXPECT_TRUE(SameModel(g, before)) << sel.LeftCol << ".." << sel.RightCol;
  }
  for (const BCSubgrid sel : {BCSubgrid{0, 4, 1, 1}, {0, 4, 2, 3}, {0, 4, 1, 4}, {2, 3, 12, 13}}) {
    BCEQuasiGrid g = UnevenModel();
    Select(g, sel);
    const BCEQuasiGrid before = g;
    ASSERT_EQ(g.DoubleRows(0.1f), 0);
    ASSERT_TRUE(g.HalveRows());
    EXPECT_TRUE(SameModel(g, before)) << sel.BotNode << ".." << sel.TopNode;
  }
}

TEST(DoubleColumns, WidthFlagsAndVelocities) {
  BCEQuasiGrid g = Editable(HandGrid({0, 10, 20}, {0, 10, 20}));
  g.CellFlags[1] = kCellFixed;
  g.VV[4] = 3000;
  Select(g, {0, 1, 1, 2});
  EXPECT_EQ(g.DoubleColumns(5), 1);  // not wider than 2 x minGap
  EXPECT_EQ(g.DoubleColumns(NAN), 1);
  ASSERT_EQ(g.DoubleColumns(4.9f), 0);
  EXPECT_EQ(g.XX, (Floats{0, 5, 10, 20}));
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{0, 2, 1, 2}));
  // The left half keeps the fixed top-left node; the new right half is free and takes the mean
  // velocity of the cell and its right neighbour.
  EXPECT_EQ(g.CellFlags[1], kCellFixed | kCellSelected);
  EXPECT_EQ(g.CellFlags[4], kCellSelected);
  EXPECT_EQ(g.VV[4], 2000);
  // Next to the last V-line the cell's own velocity is copied.
  Select(g, {2, 3, 7, 8});
  ASSERT_EQ(g.DoubleColumns(1), 0);
  EXPECT_EQ(g.VV[10], 3000);
}

TEST(DoubleRows, HalfCellVelocitiesHorizonsAndNodeLimit) {
  BCEQuasiGrid g = Editable(HandGrid({0, 10}, {0, 10, 20, 30}));
  g.VV = {1500, 2000, 3000, 4000, 0, 0, 0, 0};
  Select(g, {0, 1, 1, 2});  // the bottom row and the one above it
  ASSERT_EQ(g.DoubleRows(1), 0);
  EXPECT_EQ((Floats(g.ZZ.begin(), g.ZZ.begin() + 6)), (Floats{0, 5, 10, 15, 20, 30}));
  // Bottom row: its own velocity; above: the mean with the cell below.
  EXPECT_EQ((Floats(g.VV.begin(), g.VV.begin() + 6)), (Floats{1500, 2000, 2000, 2500, 3000, 4000}));
  // Rows with top edges at IH 2, 3, 4: horizons at 2, 3, 4, 5 spread to 2, 4, 6, 8.
  BCEQuasiGrid h = Editable(NodeNumberedGrid(2, 7));
  SetHorizons(h, {2, 3, 4, 5});
  Select(h, {0, 1, 2, 4});
  ASSERT_EQ(h.DoubleRows(0.1f), 0);
  EXPECT_EQ(HorizonLines(h), (std::vector<int>{2, 4, 6, 8}));
  // Nx x (Nz + 2 x (T - B)) may reach 2,500,000 but not pass it.
  TIniModel m{BCFRect(0, 1e6f, 100, 0), 2, 1249998, 1000, 2000, 3000, 4000, true};
  BCEQuasiGrid big;
  ASSERT_TRUE(big.Init(m));
  big.SelSubgrid = {0, 1, 1, 3};
  EXPECT_EQ(big.DoubleRows(0.1f), 3);
  big.SelSubgrid = {0, 1, 1, 2};
  EXPECT_EQ(big.DoubleRows(0.1f), 0);
}

TEST(HalveRows, MergesPairsFromTheTopUnlessAHorizonIsInTheWay) {
  struct Case {
    int bot, top;  // selected rows of a 2 x 6 grid
    std::vector<int> horizons, horizonsAfter;
    Floats zz;  // V-line 0 afterwards; unchanged when refused
  };
  const Floats same{0, 1, 2, 3, 4, 5};
  const Case cases[] = {
      {2, 4, {1, 3}, {1, 2}, {0, 1, 2, 4, 5}},  // odd: the lowest row stays
      {1, 4, {1}, {1}, {0, 2, 4, 5}},           // even: two pairs
      {3, 3, {}, {}, same},                     // one row
      {1, 4, {3}, {3}, same},                   // a horizon inside the selection
      {1, 4, {4}, {4}, same},                   // on the lowest row's top edge, which goes
  };
  for (const Case& c : cases) {
    BCEQuasiGrid g = Editable(NodeNumberedGrid(2, 6));
    SetHorizons(g, c.horizons);
    Select(g, {0, 1, c.bot, c.top});
    EXPECT_EQ(g.HalveRows(), c.zz != same) << c.bot << ".." << c.top;
    EXPECT_EQ(Floats(g.ZZ.begin(), g.ZZ.begin() + g.Nz), c.zz);
    EXPECT_EQ(HorizonLines(g), c.horizonsAfter);
  }
}
