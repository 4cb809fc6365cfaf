// Sampling: velocity profiles, vertical travel time and the smallest line spacings.
#include <gtest/gtest.h>

#include <cfloat>

#include "model/quasigrid.h"
#include "support/hand_grid.h"

namespace {

// Two cell columns whose H-lines slope; at x = 50 they lie at -280, -190, -80 and 0.
BCQuasiGrid Sloping() {
  BCQuasiGrid g = HandGrid({0, 100, 200}, {-300, -200, -100, 0});
  const float middle[] = {-260, -180, -60, 0};
  for (int r = 0; r < 4; ++r) g.ZZ[4 + r] = middle[r];
  g.VV[1] = 1000;
  g.VV[2] = 2000;
  g.VV[3] = 4000;
  return g;
}

}  // namespace

TEST(GetVertTime, SumsCellTimesAlongTheVertical) {
  BCQuasiGrid g = Sloping();
  // 60 m at 1000, 110 m at 2000, 60 m at 4000, summed in float in that order.
  float expected = 0.0f;
  expected += 60.0f / 1000.0f;
  expected += 110.0f / 2000.0f;
  expected += 60.0f / 4000.0f;
  EXPECT_EQ(g.GetVertTime(50, -250, -20), expected);
  EXPECT_EQ(g.GetVertTime(50, -20, -250), -expected);
  EXPECT_FLOAT_EQ(g.GetVertTime(50, -85, -185), -0.05f);  // within one cell
  // Outside the grid, its bottom line included: no time.
  for (float x : {50.0f, -1.0f, 200.0f}) EXPECT_EQ(g.GetVertTime(x, -280, -20), 0.0f) << x;
  EXPECT_EQ(g.GetVertTime(50, -250, 10), 0.0f);
}

TEST(Sampling, ProfilePointsAndSpacings) {
  BCQuasiGrid g = Sloping();
  BCFPoint p;
  ASSERT_TRUE(g.GetVelColPoint(2, 2, p));  // k = Nz - 2: the lowest cell of column 2
  EXPECT_TRUE(p.x == 1000 && p.z == -180);
  const int refused[][2] = {{1, 3}, {3, 0}, {0, 0}, {1, -1}};
  for (const auto& a : refused) EXPECT_FALSE(g.GetVelColPoint(a[0], a[1], p)) << a[0] << a[1];

  g.XX = {0, 100, 130, 200};
  g.ZZ.insert(g.ZZ.end(), {-300, -250, -249.5f, 0});
  EXPECT_EQ(g.GetMinDistanceX(), 30.0f);
  EXPECT_EQ(g.GetMinDistanceZ(), 0.5f);
  g.XX = {0};
  g.Nz = 1;
  EXPECT_EQ(g.GetMinDistanceX(), FLT_MAX);
  EXPECT_EQ(g.GetMinDistanceZ(), FLT_MAX);
}
