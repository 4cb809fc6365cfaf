// Rubber-band selections: which cells a rectangle takes at its edges, and the row and column
// widenings.
#include <gtest/gtest.h>

#include "model/quasigrid.h"
#include "support/hand_grid.h"

namespace {

// V-lines at 0, 10, 20, 30; H-lines at -40 (bottom), -30, -20, -10, 0 on every V-line.
BCQuasiGrid Flat() {
  return HandGrid({0, 10, 20, 30}, {-40, -30, -20, -10, 0});
}

constexpr BCSubgrid kUnchanged{-7, -7, -7, -7};

// The subgrid a band selects, or kUnchanged when it selects nothing.
BCSubgrid Band(BCQuasiGrid& g, BCFRect r) {
  BCSubgrid sg = kUnchanged;
  const BCFRect asDrawn = r;
  const bool ok = g.GetSelSubgrid(r, sg);
  EXPECT_EQ(r, asDrawn) << "the band is handed back as drawn";
  EXPECT_EQ(ok, !(sg == kUnchanged));
  return sg;
}

}  // namespace

TEST(RubberBand, ColumnsTakenAtVLineEdges) {
  BCQuasiGrid g = Flat();
  // Left edge exactly on V-line 1 takes the column right of it; right edge on V-line 3
  // takes the column left of it.
  EXPECT_EQ(Band(g, {10, 5, 30, -45}), (BCSubgrid{1, 3, 6, 9}));
  // Just right of V-line 1 the column it starts in is lost; just left of V-line 3 too.
  EXPECT_EQ(Band(g, {10.5f, 5, 30, -45}), (BCSubgrid{2, 3, 11, 14}));
  EXPECT_EQ(Band(g, {10, 5, 29.9f, -45}), (BCSubgrid{1, 2, 6, 9}));
  // From left of the grid to right of it: everything.
  EXPECT_EQ(Band(g, {-5, 5, 35, -45}), g.WholeSubgrid);
}

TEST(RubberBand, RowsTakenAtHLineEdges) {
  BCQuasiGrid g = Flat();
  // Bottom exactly on the interior H-line -30 leaves the cells just above it out.
  EXPECT_EQ(Band(g, {0, 0, 30, -30}), (BCSubgrid{0, 3, 3, 4}));
  EXPECT_EQ(Band(g, {0, 0, 30, -30.5f}), (BCSubgrid{0, 3, 2, 4}));
  // Top exactly on H-line -10 takes the cell whose top edge it is; just below, not.
  EXPECT_EQ(Band(g, {0, -10, 30, -45}), (BCSubgrid{0, 3, 1, 3}));
  EXPECT_EQ(Band(g, {0, -10.5f, 30, -45}), (BCSubgrid{0, 3, 1, 2}));
  // The model's bottom line is reached from below it, exactly on it, or within ZRes above.
  EXPECT_EQ(Band(g, {0, 0, 30, -40}), g.WholeSubgrid);
  EXPECT_EQ(Band(g, {0, 0, 30, -39.99f}), (BCSubgrid{0, 3, 2, 4}));
  g.ZRes = 0.1f;
  EXPECT_EQ(Band(g, {0, 0, 30, -39.99f}), g.WholeSubgrid);
  // Rows are measured on the band's left V-line, whatever the others do.
  g.ZZ[5 + 1] = -35;   // H-line 3 on V-line 1: the band's bottom lies above it
  g.ZZ[10 + 1] = -25;  // H-line 3 on V-line 2: the band's bottom lies below it
  EXPECT_EQ(Band(g, {10, 0, 30, -30}), (BCSubgrid{1, 3, 8, 9}));
}

TEST(RubberBand, BandsThatSelectNothing) {
  BCQuasiGrid g = Flat();
  const BCFRect nothing[] = {
      {11, -12, 19, -18},  // inside one cell
      {12, -5, 28, -35},   // across one V-line only
      {0, -41, 30, -45},   // below the model
      {0, 5, 30, 1},       // above the model
      {-20, 0, -10, -40},  // left of the model
      {30, 0, 40, -40},    // from the last V-line on
      {0, -10, 30, -19},   // between two H-lines
      {30, 0, 0, -40},     // left and right swapped
      {0, -40, 30, 0},     // top and bottom swapped
  };
  for (const BCFRect& r : nothing) EXPECT_EQ(Band(g, r), kUnchanged) << r.left << " " << r.top;
}

TEST(RubberBand, SelectionGesturesAndFailures) {
  BCQuasiGrid g = Flat();
  g.CellFlags[1] = 2;  // a fixed cell
  BCFRect middle(10, -10, 20, -30.5f);
  ASSERT_TRUE(g.SelectRBsubgrids(middle, ssSubgrid));
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{1, 2, 7, 8}));
  ASSERT_TRUE(g.SelectRBsubgrids(middle, ssRows));
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{0, 3, 2, 3}));
  EXPECT_EQ(g.GetSelShape(), ssRows);
  ASSERT_TRUE(g.SelectRBsubgrids(middle, ssColumns));
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{1, 2, 6, 9}));
  EXPECT_EQ(g.GetSelShape(), ssColumn);
  for (int n = 0; n < 20; ++n) EXPECT_EQ(g.CellFlags[n] & 1, n >= 6 && n <= 9) << n;

  // Other shapes change nothing.
  EXPECT_FALSE(g.SelectRBsubgrids(middle, ssCell));
  EXPECT_FALSE(g.SelectRBsubgrids(middle, ssAll));
  EXPECT_TRUE(g.SelActive);
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{1, 2, 6, 9}));

  // A failed band leaves nothing selected, the fixed bit in place.
  BCFRect inOneCell(11, -12, 19, -18);
  EXPECT_FALSE(g.SelectRBsubgrids(inOneCell, ssRows));
  EXPECT_FALSE(g.SelActive);
  for (int n = 0; n < 20; ++n) EXPECT_EQ(g.CellFlags[n], n == 1 ? 2 : 0) << n;
}
