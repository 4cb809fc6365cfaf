// Sampling: velocity profiles, vertical travel time and the smallest line spacings.
#include <gtest/gtest.h>

#include <cfloat>

#include "model/quasigrid.h"
#include "support/hand_grid.h"

namespace {

// Two cell columns whose H-lines slope; the middle V-line is lower than the outer ones.
// At x = 50 the H-lines lie at -280, -190, -80 and 0.
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
  // Cells crossed at x = 50: 60 m at 1000, 110 m at 2000, 60 m at 4000, summed in float.
  float expected = 0.0f;
  expected += 60.0f / 1000.0f;
  expected += 110.0f / 2000.0f;
  expected += 60.0f / 4000.0f;
  EXPECT_EQ(g.GetVertTime(50, -250, -20), expected);
  EXPECT_EQ(g.GetVertTime(50, -20, -250), -expected);
  // Within one cell the signed difference over the velocity.
  EXPECT_FLOAT_EQ(g.GetVertTime(50, -185, -85), 0.05f);
  EXPECT_FLOAT_EQ(g.GetVertTime(50, -85, -185), -0.05f);
  EXPECT_EQ(g.GetVertTime(50, -30, -30), 0.0f);
  // Outside the grid, its bottom line included: no time.
  EXPECT_EQ(g.GetVertTime(50, -280, -20), 0.0f);
  EXPECT_EQ(g.GetVertTime(50, -250, 10), 0.0f);
  EXPECT_EQ(g.GetVertTime(-1, -250, -20), 0.0f);
  EXPECT_EQ(g.GetVertTime(200, -250, -20), 0.0f);
}

TEST(GetVelColPoint, ProfileOfACellColumnFromTheTop) {
  BCQuasiGrid g = Sloping();
  BCFPoint p(7, 7, 7);
  ASSERT_TRUE(g.GetVelColPoint(1, 0, p));
  EXPECT_EQ(p.x, 4000.0f);
  EXPECT_EQ(p.z, 0.0f);
  ASSERT_TRUE(g.GetVelColPoint(2, 2, p));  // k = Nz - 2: the lowest cell
  EXPECT_EQ(p.x, 1000.0f);
  EXPECT_EQ(p.z, -180.0f);
  const int refused[][2] = {{1, 3}, {3, 0}, {0, 0}, {1, -1}};
  for (const auto& a : refused) EXPECT_FALSE(g.GetVelColPoint(a[0], a[1], p)) << a[0] << a[1];
}

TEST(GetMinDistance, SmallestVLineAndNodeSpacing) {
  BCQuasiGrid g = Sloping();
  g.XX = {0, 100, 130, 200};
  g.ZZ.insert(g.ZZ.end(), {-300, -250, -249.5f, 0});
  EXPECT_EQ(g.GetMinDistanceX(), 30.0f);
  EXPECT_EQ(g.GetMinDistanceZ(), 0.5f);
  BCQuasiGrid empty = Sloping();
  empty.XX = {0};
  empty.Nz = 1;
  EXPECT_EQ(empty.GetMinDistanceX(), FLT_MAX);
  EXPECT_EQ(empty.GetMinDistanceZ(), FLT_MAX);
}
