// Inserting V-lines and H-lines: spacing, interpolation, refusals, and the renumbering of
// flags, selection, zoom and horizons.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "editing/equasigrid.h"
#include "structure_checks.h"
#include "support/hand_grid.h"
#include "support/hand_model.h"

namespace {

using Floats = std::vector<float>;

BCEQuasiGrid Editable(const BCQuasiGrid& g) {
  BCEQuasiGrid e;
  static_cast<BCQuasiGrid&>(e) = g;
  return e;
}

// Two cell columns, the first from X 0 to `width`, three nodes per V-line; column 0 selected.
BCEQuasiGrid ColumnModel(float width) {
  BCEQuasiGrid g = Editable(HandGrid({0, width, width + 100}, {0, 10, 20}));
  Select(g, {0, 1, 1, 2});
  return g;
}

}  // namespace

TEST(InsertVLines, SpacingOfTheNewLines) {
  struct Case {
    float width;
    int n;
    float q;
    float minGap;
    int result;
    Floats newX;  // X of the V-lines between the column's edges
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const Case cases[] = {
      {100, 3, 1, 25, 3, {25, 50, 75}},  // equal intervals, exactly minGap wide
      {100, 3, 1, 26, 0, {}},            // too narrow
      {70, 2, 2, 10, 2, {10, 30}},       // growing: 10, 20, 40
      {70, 2, 0.5f, 10, 2, {40, 60}},    // shrinking: 40, 20, 10
      {70, 2, 0.5f, 10.5f, 0, {}},       // the last and smallest interval is below minGap
      {70, 2, 2, 10.5f, 0, {}},          // the first and smallest interval is below minGap
      {70, -1, 1, 1, 0, {}},
      {70, 2, 0.00009f, 1, 0, {}},
      {70, 2, 1, 0, 0, {}},
      {70, 2, nan, 1, 0, {}},
      {70, 2, 1, nan, 0, {}},
      {70, 2, 1, inf, 0, {}},
      {70, 2, inf, 1, 0, {}},
  };
  for (const Case& c : cases) {
    BCEQuasiGrid g = ColumnModel(c.width);
    const BCEQuasiGrid before = g;
    EXPECT_EQ(g.InsertVLines(c.n, c.q, c.minGap), c.result) << c.width << " " << c.q;
    if (c.result == 0) {
      EXPECT_TRUE(SameModel(g, before)) << c.q << " " << c.minGap;
      continue;
    }
    Floats x{0};
    x.insert(x.end(), c.newX.begin(), c.newX.end());
    x.insert(x.end(), {c.width, c.width + 100});
    EXPECT_EQ(g.XX, x);
    EXPECT_EQ(g.SelSubgrid, (BCSubgrid{0, c.n + 1, 1, 2}));
    EXPECT_EQ(BrokenRule(g), "");
  }
}

TEST(InsertVLines, RefusesOtherSelectionsAndTheNodeLimit) {
  // Two columns, a column not full height, a stale selection.
  for (const BCSubgrid s : {BCSubgrid{0, 2, 1, 2}, BCSubgrid{0, 1, 2, 2}, BCSubgrid{0, 1, 4, 5}}) {
    BCEQuasiGrid g = ColumnModel(100);
    g.SelSubgrid = s;
    const BCEQuasiGrid before = g;
    EXPECT_EQ(g.InsertVLines(1, 1, 1), 0);
    EXPECT_TRUE(SameModel(g, before));
  }
  // (Nx + n) x Nz must stay below 2,500,000: 3 x 833,333 is allowed, 3 x 833,334 is not.
  BCEQuasiGrid g = ColumnModel(100);
  EXPECT_EQ(g.InsertVLines(833331, 1, 1e-6f), 0);
  EXPECT_EQ(g.InsertVLines(833330, 1, 1e-6f), 833330);
  EXPECT_EQ(g.VV.size(), 2499999u);
}

TEST(InsertVLines, InterpolatesAndRenumbers) {
  BCEQuasiGrid g = ColumnModel(100);
  g.VV = {0, 2000, 0, 0, 3000, 3000, 0, 0, 0};
  g.CellFlags[1] = kCellFixed;
  g.ZZ[3] = 2;  // the right V-line's bottom node
  g.ZoomSubgrid = {1, 2, 4, 5};
  SetHorizons(g, {1});
  ASSERT_EQ(g.InsertVLines(1, 1, 1), 1);
  EXPECT_EQ(g.XX, (Floats{0, 50, 100, 200}));
  EXPECT_EQ((Floats(g.ZZ.begin() + 3, g.ZZ.begin() + 6)), (Floats{1, 10, 20}));
  // The mean of 2000 and 3000 at t = 0.5; a cell of velocity 0 is copied.
  EXPECT_EQ((Floats(g.VV.begin() + 3, g.VV.begin() + 6)), (Floats{0, 2500, 0}));
  // The fixed cell keeps its top-left node on V-line 0; the new cells are free.
  EXPECT_EQ(g.CellFlags, (std::vector<unsigned char>{0, 3, 1, 0, 1, 1, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(g.ZoomSubgrid, (BCSubgrid{2, 3, 7, 8}));
  EXPECT_EQ(g.Hors[0].IH, 1);
  EXPECT_EQ(BrokenRule(g), "");
  // Nothing to insert: nothing changes, but the selection is marked and active again.
  BCEQuasiGrid h = ColumnModel(100);
  h.UnselectCells();
  EXPECT_EQ(h.InsertVLines(0, 1, 1), 0);
  EXPECT_TRUE(h.SelActive);
  EXPECT_EQ(SelectedNodes(h), (std::vector<int>{1, 2}));
}

TEST(InsertHLines, SplitsTheRowOnEveryVLine) {
  // Row with top edge at izrel 2: elevations 10..20 on V-line 0, 10..80 on V-line 1.
  BCEQuasiGrid g = Editable(HandModel({0, 10}, {0, 10, 20, 30, 0, 10, 80, 90}));
  g.VV = {0, 3000, 2000, 0, 0, 0, 2000, 0};
  g.CellFlags[2] = kCellFixed;
  SetHorizons(g, {0, 1, 2});  // above, on the top edge, on the bottom edge
  Select(g, {0, 1, 2, 2});
  ASSERT_EQ(g.InsertHLines(1, 1, 5), 1);
  EXPECT_EQ(g.ZZ, (Floats{0, 10, 15, 20, 30, 0, 10, 45, 80, 90}));
  // Linear in elevation towards the cell below; a copy of the row's velocity where it is 0.
  EXPECT_EQ(g.VV[2], 2500);
  EXPECT_EQ(g.VV[7], 2000);
  EXPECT_EQ(g.CellFlags, (std::vector<unsigned char>{0, 0, 1, 3, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(HorizonLines(g), (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{0, 1, 2, 3}));
  EXPECT_EQ(BrokenRule(g), "");
  // Geometric spacing from the top edge, per V-line: intervals 10, 20, 40 on V-line 1, and
  // the thinnest V-line decides the refusal.
  BCEQuasiGrid h = Editable(HandModel({0, 10}, {0, 10, 80, 90, 0, 10, 80, 90}));
  Select(h, {0, 1, 2, 2});
  const BCEQuasiGrid before = h;
  EXPECT_EQ(h.InsertHLines(2, 2, 10.5f), 0);
  EXPECT_TRUE(SameModel(h, before));
  ASSERT_EQ(h.InsertHLines(2, 2, 9), 2);
  EXPECT_FLOAT_EQ(h.ZZ[3], 70);
  EXPECT_FLOAT_EQ(h.ZZ[2], 50);
}

TEST(InsertVLine, SplitsOneColumnAndLeavesTheBookkeeping) {
  BCEQuasiGrid g = Editable(SlopingGrid());
  const BCEQuasiGrid before = g;
  EXPECT_FALSE(g.InsertVLine(-1));
  EXPECT_FALSE(g.InsertVLine(2));
  EXPECT_TRUE(SameModel(g, before));
  ASSERT_TRUE(g.InsertVLine(1));  // the last column: the left velocities are copied
  ASSERT_TRUE(g.InsertVLine(0));  // elsewhere the mean of the two cells
  EXPECT_EQ(g.XX, (Floats{0, 5, 10, 15, 20}));
  EXPECT_EQ((Floats(g.ZZ.begin() + 4, g.ZZ.begin() + 8)), (Floats{0, 13, 22, 32}));
  EXPECT_EQ((Floats(g.VV.begin() + 4, g.VV.begin() + 8)), (Floats{200, 300, 400, 500}));
  EXPECT_EQ((Floats(g.VV.begin() + 12, g.VV.begin() + 16)), (Floats{400, 500, 600, 700}));
  EXPECT_EQ(g.WholeSubgrid, before.WholeSubgrid);
}

TEST(ReplaceHLine, WritesOneHLineOrNothing) {
  BCEQuasiGrid g = Editable(SlopingGrid());
  g.ReplaceHLine(0, {40, 41, 42});
  EXPECT_EQ(g.ZZ[3] + g.ZZ[7] + g.ZZ[11], 123);
  const BCEQuasiGrid before = g;
  g.ReplaceHLine(4, {1, 2, 3});
  g.ReplaceHLine(-1, {1, 2, 3});
  g.ReplaceHLine(1, {1, 2});
  EXPECT_TRUE(SameModel(g, before));
}
