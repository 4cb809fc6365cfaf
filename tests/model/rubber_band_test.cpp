// Rubber bands and zoom windows: which cells a rectangle takes at its edges.
#include <gtest/gtest.h>

#include "model/quasigrid.h"
#include "support/hand_grid.h"

namespace {

// V-lines at 0, 10, 20, 30; H-lines at -40 (bottom), -30, -20, -10, 0 on every V-line.
BCQuasiGrid Flat() {
  return HandGrid({0, 10, 20, 30}, {-40, -30, -20, -10, 0});
}

constexpr BCSubgrid kNone{-7, -7, -7, -7};

// The subgrid a band selects, or kNone.
BCSubgrid Band(BCQuasiGrid& g, BCFRect r) {
  BCSubgrid sg = kNone;
  const BCFRect drawn = r;
  const bool ok = g.GetSelSubgrid(r, sg);
  EXPECT_EQ(ok, !(sg == kNone));
  EXPECT_EQ(r, drawn) << "the band goes back as drawn";
  return sg;
}

}  // namespace

TEST(RubberBand, EdgesOnAndNearGridLines) {
  BCQuasiGrid g = Flat();
  const std::pair<BCFRect, BCSubgrid> cases[] = {
      // Left edge on a V-line takes the column right of it, just right of it not.
      {{10, 5, 30, -45}, {1, 3, 6, 9}},
      {{10.5f, 5, 30, -45}, {2, 3, 11, 14}},
      {{10, 5, 29.9f, -45}, {1, 2, 6, 9}},
      // Bottom exactly on an interior H-line leaves the cells above it out.
      {{0, 0, 30, -30}, {0, 3, 3, 4}},
      {{0, 0, 30, -30.5f}, {0, 3, 2, 4}},
      // Top on an H-line takes the cell whose top edge it is.
      {{0, -10, 30, -45}, {0, 3, 1, 3}},
      {{0, -10.5f, 30, -45}, {0, 3, 1, 2}},
      // The model's bottom is reached from below or exactly, not from just above (ZRes 0).
      {{-5, 5, 35, -40}, {0, 3, 1, 4}},
      {{0, 0, 30, -39.99f}, {0, 3, 2, 4}},
      // Selecting nothing: inside one cell, across one V-line, below, above, left of the
      // model, from its last V-line, between two H-lines, not well formed.
      {{11, -12, 19, -18}, kNone},
      {{12, -5, 28, -35}, kNone},
      {{0, -41, 30, -45}, kNone},
      {{0, 5, 30, 1}, kNone},
      {{-20, 0, -10, -40}, kNone},
      {{30, 0, 40, -40}, kNone},
      {{0, -10, 30, -19}, kNone},
      {{30, 0, 0, -40}, kNone},
      {{0, -40, 30, 0}, kNone},
  };
  for (const auto& [r, sg] : cases) EXPECT_EQ(Band(g, r), sg) << r.left << " " << r.bottom;

  g.ZRes = 0.1f;
  EXPECT_EQ(Band(g, {0, 0, 30, -39.99f}), g.WholeSubgrid);
  // Rows are measured on the band's left V-line only.
  g.ZZ[5 + 1] = -35;
  g.ZZ[10 + 1] = -25;
  EXPECT_EQ(Band(g, {10, 0, 30, -30}), (BCSubgrid{1, 3, 8, 9}));
}

TEST(RubberBand, GesturesWidenAndAFailedBandSelectsNothing) {
  BCQuasiGrid g = Flat();
  g.CellFlags[1] = 2;  // a fixed cell
  BCFRect middle(10, -10, 20, -30.5f);
  ASSERT_TRUE(g.SelectRBsubgrids(middle, ssSubgrid));
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{1, 2, 7, 8}));
  ASSERT_TRUE(g.SelectRBsubgrids(middle, ssRows));
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{0, 3, 2, 3}));
  ASSERT_TRUE(g.SelectRBsubgrids(middle, ssColumns));
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{1, 2, 6, 9}));
  for (int n = 0; n < 20; ++n) EXPECT_EQ(g.CellFlags[n] & 1, n >= 6 && n <= 9) << n;
  EXPECT_FALSE(g.SelectRBsubgrids(middle, ssCell));
  EXPECT_TRUE(g.SelActive);

  BCFRect inOneCell(11, -12, 19, -18);
  EXPECT_FALSE(g.SelectRBsubgrids(inOneCell, ssRows));
  EXPECT_FALSE(g.SelActive);
  for (int n = 0; n < 20; ++n) EXPECT_EQ(g.CellFlags[n], n == 1 ? 2 : 0) << n;
}

TEST(Zoom, EveryColumnPartlyInViewWithAllRows) {
  BCQuasiGrid g = Flat();
  const std::pair<BCFRect, BCSubgrid> cases[] = {
      {{12, -21, 18, -22}, {1, 2, 6, 9}},  // narrower than its column
      {{5, 100, 15, -100}, {0, 2, 1, 4}},  // partly visible columns at both ends
      {{10, 0, 20, -40}, {1, 3, 6, 9}},    // right edge on a V-line takes the next one
      {{30, 0, 40, -40}, {1, 3, 6, 9}},    // refused: from the last V-line on
      {{-20, 0, -5, -40}, {1, 3, 6, 9}},   // refused: left of the grid
      {{20, 0, 10, -40}, {1, 3, 6, 9}},    // refused: not well formed
      {{-50, 0, 25, -40}, {0, 3, 1, 4}},
  };
  for (const auto& [r, sg] : cases) {
    g.SetZoomSubgrid(r);
    EXPECT_EQ(g.ZoomSubgrid, sg) << r.left;
  }
  g.ZoomSubgrid = {1, 2, 6, 9};
  ASSERT_TRUE(g.SetZoomSubgrid(g.ModelRect));
  EXPECT_EQ(g.ZoomSubgrid, g.WholeSubgrid);
}
