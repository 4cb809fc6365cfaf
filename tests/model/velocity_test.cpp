// Velocity bounds and resolution, zero-cell search, copy-node completion, the corner-velocity
// fill of a selected block and the raising of the upper bound.
#include "model/quasigrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "support/hand_model.h"

namespace {

// Three V-lines at 0, 10, 20 with three nodes each at -20, -10, 0.
BCQuasiGrid ThreeByThree() {
  return HandModel({0, 10, 20}, {-20, -10, 0, -20, -10, 0, -20, -10, 0});
}

}  // namespace

TEST(VelocityQueries, BoundsAndResolution) {
  BCQuasiGrid g = ThreeByThree();
  g.VV = {5, 7, 3, 9, 5000, 2, 8, 8, 8};
  float vmin = -1, vmax = -1;
  g.GetVelocityBounds(vmin, vmax);
  EXPECT_EQ(vmin, 2);
  EXPECT_EQ(vmax, 5000);
  // The factor is the double 0.00001: in float arithmetic 5000 would give 0.049999997f.
  EXPECT_EQ(g.GetVelMinRes(), 0.05f);

  BCQuasiGrid empty;
  empty.GetVelocityBounds(vmin, vmax);
  EXPECT_EQ(vmin, 2);  // left as they were
  EXPECT_EQ(vmax, 5000);
  EXPECT_FALSE(empty.FindNullVelocity());
}

TEST(VelocityQueries, NullVelocityLooksAtCellNodesOnly) {
  BCQuasiGrid g = ThreeByThree();
  g.VV.assign(9, 1000);  // resolution 0.01
  g.VV[0] = 0;           // bottom node of V-line 0
  g.VV[3] = 0;           // bottom node of V-line 1
  g.VV[7] = 0;           // last V-line
  g.VV[4] = 0.01f;       // a cell exactly at the resolution is not zero
  EXPECT_FALSE(g.FindNullVelocity());
  g.VV[4] = 0.0099f;
  EXPECT_TRUE(g.FindNullVelocity());
  g.VV[4] = 1000;
  g.VV[2] = -1;  // top-left cell
  EXPECT_TRUE(g.FindNullVelocity());
}

TEST(VelocityQueries, RangeInSelection) {
  BCQuasiGrid g =
      HandModel({0, 10, 20, 30}, std::vector<float>{0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2});
  g.VV = {0, 50, 60, 0, 70, 10, 0, 90, 80, -5, -5, 99};
  float vmin = -1, vmax = -1;
  EXPECT_FALSE(g.GetVRangeInSel(vmin, vmax));
  EXPECT_EQ(vmin, -1);
  EXPECT_EQ(vmax, -1);
  g.SelActive = true;
  g.SelSubgrid = {1, 3, 4, 5};  // columns 1 and 2, both rows: nodes 4, 5, 7, 8
  EXPECT_TRUE(g.GetVRangeInSel(vmin, vmax));
  EXPECT_EQ(vmin, 10);
  EXPECT_EQ(vmax, 90);
  g.SelSubgrid = {2, 9, 7, 8};  // stale: reaches past the last V-line
  EXPECT_FALSE(g.GetVRangeInSel(vmin, vmax));
}

TEST(VelocityCorrections, TrimCompletesBottomNodesBeforeTheLastVLine) {
  BCQuasiGrid g = ThreeByThree();
  g.VV = {-1, 10, 20, -1, 30, 40, -1, -1, -1};
  g.TrimVelocity();
  // The last V-line's bottom node repeats the already corrected bottom node before it.
  EXPECT_EQ(g.VV, (std::vector<float>{10, 10, 20, 30, 30, 40, 30, 30, 40}));
}

TEST(VelocityCorrections, UpperBoundDoesNotAccumulate) {
  BCQuasiGrid g = HandModel({0, 10}, {-100, 0, -100, 0});
  g.CorrectUpperBound(0.1f);
  EXPECT_EQ(g.ModelRect.top, 10);
  g.CorrectUpperBound(0.1f);
  EXPECT_EQ(g.ModelRect.top, 10);
  EXPECT_EQ(g.IniRect.top, 0);
  EXPECT_EQ(g.ModelHeight, 100);
}

TEST(ApexVelocities, TwoByTwoCellsUseOnlyTheEdgeRows) {
  BCQuasiGrid g = ThreeByThree();
  g.VV.assign(9, -1);
  g.SelActive = true;
  g.SelSubgrid = g.WholeSubgrid;
  g.SetApexVels(1000, 2000, 3000, 4000);
  // Nodes 2, 5 top row; 1, 4 bottom row; the copy nodes and the last V-line are left alone.
  EXPECT_EQ(g.VV, (std::vector<float>{-1, 3000, 1000, -1, 4000, 2000, -1, -1, -1}));
}

TEST(ApexVelocities, NothingWithoutSelection) {
  BCQuasiGrid g = ThreeByThree();
  g.VV.assign(9, -1);
  g.SelSubgrid = g.WholeSubgrid;
  g.SetApexVels(1000, 2000, 3000, 4000);
  EXPECT_EQ(g.VV, std::vector<float>(9, -1));
  g.SelActive = true;
  g.SelSubgrid = {0, 2, 1, 9};  // stale: TopNode beyond V-line 0 and the arrays
  g.SetApexVels(1000, 2000, 3000, 4000);
  EXPECT_EQ(g.VV, std::vector<float>(9, -1));
}

TEST(ApexVelocities, OneCellColumnInterpolatesInElevation) {
  BCQuasiGrid g = HandModel({0, 10}, {0, 1, 4, 5, 0, 1, 4, 5});
  g.SelActive = true;
  g.SelSubgrid = {0, 1, 1, 3};
  g.SetApexVels(100, 999, 500, 999);  // the right apexes are not used
  EXPECT_EQ(g.VV[3], 100);
  EXPECT_EQ(g.VV[1], 500);
  EXPECT_EQ(g.VV[2], 200);  // three quarters of the way up from 500 to 100
  EXPECT_EQ(g.VV[4], 0);    // the second V-line is not written
}

// A 4 x 4-cell block inside a larger grid with uneven spacing, so that the vertical and the
// horizontal interpolation differ. The expected values are formed cell by cell from closed
// forms in long double, rounded to float wherever the fill stores a value.
TEST(ApexVelocities, FourByFourBlockBlendsBothInterpolations) {
  const std::vector<float> xx{0, 3, 7, 12, 20, 23, 30};
  const int nz = 7;
  const std::vector<float> column{-60, -47, -39, -25, -18, -6, 0};
  std::vector<float> zz;
  for (int c = 0; c < 7; ++c) {  // nodes shifted unevenly, so H-lines slope and bend
    for (int r = 0; r < nz; ++r)
      zz.push_back(column[r] + 0.9f * static_cast<float>((3 * r + 5 * c) % 4));
  }
  const int L = 1, R = 4, B = L * nz + 2, T = L * nz + 5;
  using Real = long double;
  const auto f = [](Real v) { return static_cast<float>(v); };
  const Real w = Real(xx[R]) - xx[L];
  const auto across = [&](int i, Real left, Real right) {
    return (left * (Real(xx[R]) - xx[i]) + right * (Real(xx[i]) - xx[L])) / w;
  };
  const auto node = [&](int i, int m) { return B + (i - L) * nz + m; };

  std::mt19937 rng(11);
  std::uniform_real_distribution<float> speed(1000, 6000);
  int blendedCells = 0;
  for (int trial = 0; trial < 20; ++trial) {  // several apex sets expose every rounding step
    BCQuasiGrid g = HandModel(xx, zz);
    g.VV.assign(zz.size(), -1);
    g.SelActive = true;
    g.SelSubgrid = {L, R + 1, B, T};
    const float vtl = speed(rng), vtr = speed(rng), vbl = speed(rng), vbr = speed(rng);
    g.SetApexVels(vtl, vtr, vbl, vbr);

    const auto vertical = [&](int i, int m) -> float {
      const float top = f(across(i, vtl, vtr));
      const float bot = f(across(i, vbl, vbr));
      if (m == 0) return bot;
      if (m == T - B) return top;
      const Real zb = zz[node(i, 0)], zt = zz[node(i, T - B)], zj = zz[node(i, m)];
      return f((bot * (zt - zj) + top * (zj - zb)) / (zt - zb));
    };
    for (int i = 0; i < 7; ++i) {
      for (int izrel = 0; izrel < nz; ++izrel) {
        const int m = izrel - 2;
        float expected = -1;  // outside the block
        if (i >= L && i <= R && m >= 0 && m <= T - B) {
          expected = vertical(i, m);
          if (i > L && i < R && m > 0 && m < T - B) {
            const float h = f(across(i, vertical(L, m), vertical(R, m)));
            expected = f((Real(expected) + h) * 0.5L);
            if (std::abs(expected - vertical(i, m)) > 1) ++blendedCells;
          }
        }
        ASSERT_EQ(g.VV[i * nz + izrel], expected) << "V-line " << i << " row " << izrel;
      }
    }
  }
  EXPECT_GT(blendedCells, 0);  // the blend is visible on this grid
}
