// Zero cells, copy-node completion, the upper bound and the corner-velocity fill of a block.
#include "model/quasigrid.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "support/hand_model.h"

TEST(Velocity, ZeroCellsTrimAndUpperBound) {
  BCQuasiGrid g = HandModel({0, 10, 20}, {-20, -10, 0, -20, -10, 0, -20, -10, 0});
  g.VV = {0, 7, 0.05f, 0, 5000, 2, 0, 0, 0};  // zeros on copy nodes only
  EXPECT_EQ(g.GetVelMinRes(), 0.05f);         // the factor is a double: in float 0.049999997f
  EXPECT_FALSE(g.FindNullVelocity());         // nor is a cell at the resolution zero

  g.VV = {-1, 10, 20, -1, 30, 40, -1, -1, -1};
  g.TrimVelocity();
  // The last V-line's bottom node repeats the already corrected bottom node before it.
  EXPECT_EQ(g.VV, (std::vector<float>{10, 10, 20, 30, 30, 40, 30, 30, 40}));
  g.CorrectUpperBound(0.5f);
  g.CorrectUpperBound(0.5f);
  EXPECT_EQ(g.ModelRect.top, 10);  // 1.5 times the height of 20 above -20, not accumulated
}

// Blocks inside a grid whose H-lines bend unevenly, so that the vertical and horizontal
// interpolations differ, against closed forms in long double rounded to float wherever the fill
// stores a value: a 4 x 4 block, one column, two rows.
TEST(ApexVelocities, BlocksMatchAnIndependentComputation) {
  using Real = long double;
  const auto f = [](Real v) { return static_cast<float>(v); };
  const std::vector<float> xx{0, 3, 7, 12, 20, 23, 30}, column{-60, -47, -39, -25, -18, -6, 0};
  const int nz = 7;
  std::vector<float> zz;
  for (int i = 0; i < 49; ++i) zz.push_back(column[i % nz] + 0.9f * float((3 * i + i / nz) % 4));
  // Cell columns L..R and rows bot..top by izrel; the apex velocities.
  const std::tuple<int, int, int, int, float, float, float, float> blocks[] = {
      {1, 4, 2, 5, 1234.5f, 5821.3f, 2718.28f, 4099.9f},
      {2, 2, 1, 6, 2345.6f, 9999, 3456.7f, 9999},
      {0, 5, 3, 4, 1111.1f, 4444.4f, 5555.5f, 2222.2f},
  };
  for (const auto& block : blocks) {
    int L, R, bot, top;  // named variables, so that the lambdas below can capture them
    float vtl, vtr, vbl, vbr;
    std::tie(L, R, bot, top, vtl, vtr, vbl, vbr) = block;
    BCQuasiGrid g = HandModel(xx, zz);
    g.VV.assign(zz.size(), -1);
    g.SelSubgrid = {L, R + 1, L * nz + bot, L * nz + top};
    g.SelActive = true;
    g.SetApexVels(vtl, vtr, vbl, vbr);
    const auto across = [&](int i, Real l, Real r) {
      if (L == R) return l;
      return (l * (Real(xx[R]) - xx[i]) + r * (Real(xx[i]) - xx[L])) / (Real(xx[R]) - xx[L]);
    };
    const auto vertical = [&](int i, int row) {
      const float t = f(across(i, vtl, vtr)), b = f(across(i, vbl, vbr));
      const Real zb = zz[i * nz + bot], zt = zz[i * nz + top], z = zz[i * nz + row];
      return row == top ? t : row == bot ? b : f((b * (zt - z) + t * (z - zb)) / (zt - zb));
    };
    for (int i = 0; i < 7; ++i) {
      for (int row = 0; row < nz; ++row) {
        const bool inBlock = i >= L && i <= R && row >= bot && row <= top;
        float expected = inBlock ? vertical(i, row) : -1;
        if (inBlock && i > L && i < R && row > bot && row < top) {  // blended
          const float h = f(across(i, vertical(L, row), vertical(R, row)));
          expected = f((Real(expected) + h) * 0.5L);
        }
        ASSERT_EQ(g.VV[i * nz + row], expected) << "V-line " << i << " row " << row;
      }
    }
  }
}
