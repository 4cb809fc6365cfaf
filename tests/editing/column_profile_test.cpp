// Reading and writing the column of the selection's left V-line.
#include "editing/equasigrid.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/editable_grid.h"
#include "support/hand_grid.h"
#include "support/hand_model.h"

using Floats = std::vector<float>;

TEST(Column, ReadThenWriteBackLeavesTheModelBitForBit) {
  BCEQuasiGrid g = Editable(SlopingGrid());
  g.SelSubgrid = {1, 2, 5, 7};
  int col = -1;
  float x = 0, xPrev = 0, xNext = 0;
  Floats z{-1}, v{-1};
  g.GetColumn(col, x, xPrev, xNext, z, v);
  EXPECT_EQ((Floats{float(col), xPrev, xNext}), (Floats{1, 0, 20}));
  EXPECT_EQ(z, (Floats{34, 24, 16}));  // top first, without the bottom node
  EXPECT_EQ(v, (Floats{700, 600, 500}));
  const BCEQuasiGrid before = g;
  ASSERT_TRUE(g.SetColumn(x, z, v));
  EXPECT_TRUE(SameModel(g, before));
  g.SelSubgrid = {0, 1, 1, 3};
  g.GetColumn(col, x, xPrev, xNext, z, v);
  EXPECT_EQ(xPrev, x) << "V-line 0 has no neighbour on the left";
}

TEST(Column, ZeroVelocitiesTakeTheirNeighboursOrAreInterpolated) {
  BCEQuasiGrid g = Editable(HandGrid({0, 10}, {0, 70, 80, 90, 100}));
  g.SelSubgrid = {0, 1, 1, 4};
  const BCEQuasiGrid start = g;
  Floats z{100, 90, 80, 70, -1}, v{0, 2000, 0, 4000, -1};  // a fifth entry is ignored
  ASSERT_TRUE(g.SetColumn(0, z, v));
  EXPECT_EQ(g.VV, (Floats{1000, 4000, 3000, 2000, 2000, 1000, 1000, 1000, 1000, 1000}));
  EXPECT_EQ(v, (Floats{2000, 2000, 0, 4000, -1}));  // only the top entry is filled in place
  // Refused with nothing changed: x on the next V-line, too few entries, elevations not
  // descending or down to the bottom node, a negative velocity.
  const Floats ok{100, 90, 80, 70}, pos{1, 2, 3, 4};
  const struct {
    float x;
    Floats z, v;
  } bad[] = {{10, ok, pos},
             {0, {100, 90, 80}, {1, 2, 3}},
             {0, {100, 90, 90, 70}, pos},
             {0, {100, 90, 80, 0}, pos},
             {0, ok, {1, -2, 3, 4}}};
  for (auto c : bad) {
    g = start;
    EXPECT_FALSE(g.SetColumn(c.x, c.z, c.v)) << c.x << " " << c.z.back();
    EXPECT_TRUE(SameModel(g, start));
  }
  // Without a positive velocity only X changes.
  Floats zeros(4, 0.0f);
  EXPECT_FALSE(g.SetColumn(-5, z, zeros));
  EXPECT_EQ(g.XX[0], -5);
  g.XX[0] = 0;
  EXPECT_TRUE(SameModel(g, start));
}
