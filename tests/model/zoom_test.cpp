// The zoom window: visible columns, always with all rows.
#include <gtest/gtest.h>

#include "model/quasigrid.h"
#include "support/hand_grid.h"

TEST(Zoom, WindowTakesEveryColumnPartlyInView) {
  BCQuasiGrid g = HandGrid({0, 10, 20, 30}, {-40, -30, -20, -10, 0});
  // Narrower than one column and inside it; its height does not matter.
  ASSERT_TRUE(g.SetZoomSubgrid({12, -21, 18, -22}));
  EXPECT_EQ(g.ZoomSubgrid, (BCSubgrid{1, 2, 6, 9}));
  // Partly visible columns at both ends; a right edge on a V-line takes the next column.
  ASSERT_TRUE(g.SetZoomSubgrid({5, 100, 15, -100}));
  EXPECT_EQ(g.ZoomSubgrid, (BCSubgrid{0, 2, 1, 4}));
  ASSERT_TRUE(g.SetZoomSubgrid({10, 0, 20, -40}));
  EXPECT_EQ(g.ZoomSubgrid, (BCSubgrid{1, 3, 6, 9}));
  ASSERT_TRUE(g.SetZoomSubgrid({-50, 0, 25, -40}));
  EXPECT_EQ(g.ZoomSubgrid, (BCSubgrid{0, 3, 1, 4}));

  // Windows without a column keep the zoom.
  g.ZoomSubgrid = {1, 2, 6, 9};
  const BCFRect refused[] = {
      {30, 0, 40, -40},   // from the last V-line on
      {-20, 0, -5, -40},  // left of the grid
      {20, 0, 10, -40},   // not well formed
      {10, -40, 20, 0},
  };
  for (const BCFRect& r : refused) {
    EXPECT_FALSE(g.SetZoomSubgrid(r)) << r.left;
    EXPECT_EQ(g.ZoomSubgrid, (BCSubgrid{1, 2, 6, 9}));
  }
  ASSERT_TRUE(g.SetZoomSubgrid(g.ModelRect));
  EXPECT_EQ(g.ZoomSubgrid, g.WholeSubgrid);
}
