// Velocity bounds and resolution, zero-cell search, copy-node completion, the corner-velocity
// fill of a selected block and the raising of the upper bound.
#include "model/quasigrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "support/hand_model.h"

namespace {

// Three V-lines at 0, 10, 20 with nodes at -20, -10, 0.
BCQuasiGrid ThreeByThree() {
  return HandModel({0, 10, 20}, {-20, -10, 0, -20, -10, 0, -20, -10, 0});
}

}  // namespace

TEST(VelocityQueries, BoundsResolutionAndZeroCells) {
  BCQuasiGrid g = ThreeByThree();
  g.VV = {0, 7, 3, 0, 5000, 2, 0, 0, 0};  // zeros on bottom nodes and the last V-line only
  float vmin = -1, vmax = -1;
  g.GetVelocityBounds(vmin, vmax);
  EXPECT_EQ(vmin, 0);
  EXPECT_EQ(vmax, 5000);
  // The factor is the double 0.00001: float arithmetic would give 0.049999997f.
  EXPECT_EQ(g.GetVelMinRes(), 0.05f);
  EXPECT_FALSE(g.FindNullVelocity());
  g.VV[2] = 0.05f;  // at the resolution: not zero
  EXPECT_FALSE(g.FindNullVelocity());
  g.VV[2] = 0.0499f;
  EXPECT_TRUE(g.FindNullVelocity());
  BCQuasiGrid().GetVelocityBounds(vmin, vmax);
  EXPECT_EQ(vmax, 5000);  // an empty model leaves them
}

TEST(VelocityQueries, RangeInSelection) {
  BCQuasiGrid g = HandModel({0, 10, 20, 30}, std::vector<float>(12, 0));
  g.VV = {0, 50, 60, 0, 70, 10, 0, 90, 80, -5, -5, 99};
  float vmin = -1, vmax = -1;
  EXPECT_FALSE(g.GetVRangeInSel(vmin, vmax));
  EXPECT_EQ(vmin, -1);
  g.SelActive = true;
  g.SelSubgrid = {1, 3, 4, 5};  // nodes 4, 5, 7, 8
  EXPECT_TRUE(g.GetVRangeInSel(vmin, vmax));
  EXPECT_EQ(vmin, 10);
  EXPECT_EQ(vmax, 90);
  g.SelSubgrid = {2, 9, 7, 8};  // stale, past the last V-line
  EXPECT_FALSE(g.GetVRangeInSel(vmin, vmax));
}

TEST(VelocityCorrections, TrimAndUpperBound) {
  BCQuasiGrid g = ThreeByThree();
  g.VV = {-1, 10, 20, -1, 30, 40, -1, -1, -1};
  g.TrimVelocity();
  // The last V-line's bottom node repeats the already corrected bottom node before it.
  EXPECT_EQ(g.VV, (std::vector<float>{10, 10, 20, 30, 30, 40, 30, 30, 40}));

  g.ModelHeight = 100;
  g.ModelRect.bottom = -100;
  g.CorrectUpperBound(0.1f);
  g.CorrectUpperBound(0.1f);
  EXPECT_EQ(g.ModelRect.top, 10);  // not accumulated
  EXPECT_EQ(g.IniRect.top, 0);
}

TEST(ApexVelocities, EdgeRowsOnlyAndNothingWithoutSelection) {
  BCQuasiGrid g = ThreeByThree();
  g.VV.assign(9, -1);
  g.SelSubgrid = g.WholeSubgrid;
  g.SetApexVels(1000, 2000, 3000, 4000);
  EXPECT_EQ(g.VV, std::vector<float>(9, -1));
  g.SelActive = true;
  g.SetApexVels(1000, 2000, 3000, 4000);
  // Two cell rows: nodes 2, 5 take the top apexes, 1, 4 the bottom ones; copy nodes stay.
  EXPECT_EQ(g.VV, (std::vector<float>{-1, 3000, 1000, -1, 4000, 2000, -1, -1, -1}));
}

// A 4 x 4-cell block inside a larger grid whose H-lines slope and bend, so that the vertical and
// horizontal interpolations differ. Expected values come from closed forms in long double,
// rounded to float wherever the fill stores a value, over several apex sets.
TEST(ApexVelocities, FourByFourBlockBlendsBothInterpolations) {
  const std::vector<float> xx{0, 3, 7, 12, 20, 23, 30}, column{-60, -47, -39, -25, -18, -6, 0};
  const int nz = 7, L = 1, R = 4, B = L * nz + 2, T = L * nz + 5;
  std::vector<float> zz;
  for (int i = 0; i < 49; ++i) {  // nodes shifted unevenly up to 2.7 from a common column
    zz.push_back(column[i % nz] + 0.9f * float((3 * i + 2 * (i / nz)) % 4));
  }
  using Real = long double;
  const auto f = [](Real v) { return static_cast<float>(v); };
  const auto across = [&](int i, Real left, Real right) {
    return (left * (Real(xx[R]) - xx[i]) + right * (Real(xx[i]) - xx[L])) / (Real(xx[R]) - xx[L]);
  };
  std::mt19937 rng(11);
  std::uniform_real_distribution<float> speed(1000, 6000);
  for (int trial = 0; trial < 20; ++trial) {
    BCQuasiGrid g = HandModel(xx, zz);
    g.VV.assign(zz.size(), -1);
    g.SelActive = true;
    g.SelSubgrid = {L, R + 1, B, T};
    const float vtl = speed(rng), vtr = speed(rng), vbl = speed(rng), vbr = speed(rng);
    g.SetApexVels(vtl, vtr, vbl, vbr);
    const auto vertical = [&](int i, int m) {  // m: selected row above the lowest one
      const float top = f(across(i, vtl, vtr)), bot = f(across(i, vbl, vbr));
      const int b = B + (i - L) * nz, t = b + T - B;
      return m == 0       ? bot
             : m == T - B ? top
                          : f((bot * (Real(zz[t]) - zz[b + m]) + top * (Real(zz[b + m]) - zz[b])) /
                              (Real(zz[t]) - zz[b]));
    };
    for (int i = 0; i < 7; ++i) {
      for (int m = -2; m < nz - 2; ++m) {
        float expected = -1;  // outside the block
        if (i >= L && i <= R && m >= 0 && m <= T - B) expected = vertical(i, m);
        if (i > L && i < R && m > 0 && m < T - B) {
          const float h = f(across(i, vertical(L, m), vertical(R, m)));
          expected = f((Real(expected) + h) * 0.5L);
          if (trial == 0) {  // the blend shows on this grid
            EXPECT_GT(std::abs(expected - vertical(i, m)), 1);
          }
        }
        ASSERT_EQ(g.VV[i * nz + m + 2], expected) << "V-line " << i << " row " << m + 2;
      }
    }
  }
}
