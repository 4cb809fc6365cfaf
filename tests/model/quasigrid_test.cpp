// The interval search, node numbering, and Init's regular grid.
#include "model/quasigrid.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "support/hand_model.h"

TEST(FindInterval, ResultsOnEntriesAtTheEndsAndForBadRanges) {
  const std::vector<float> v{0, 10, 20, 20, 30};
  const std::tuple<float, int, int, int> cases[] = {
      // value, from, to, expected
      {10, 0, 2, 1},  {5, 0, 2, 0},   {20, 0, 2, 2}, {25, 0, 2, 3},  // v[to] gives to, above to + 1
      {-1, 0, 2, -1}, {5, 1, 4, -1},                                 // below v[from]
      {20, 0, 0, 3},  // to 0 is the last index; the last of equal entries
      {20, 2, 2, -2}, {5, -1, 2, -2}, {5, 0, 5, -2},
  };
  for (const auto& [value, from, to, expected] : cases) {
    EXPECT_EQ(FindInterval(v, value, from, to), expected) << value << " " << from;
  }
  EXPECT_EQ(FindInterval({}, 5, 0, 0), -2);
}

TEST(QuasiGrid, NodeNumberingRoundTrips) {
  BCQuasiGrid g = HandModel({0, 10, 20, 30}, std::vector<float>(20, 0));
  EXPECT_EQ(g.GetColRow(0), TPoint(1, 5));   // the bottom node of the first V-line
  EXPECT_EQ(g.MapCellAbsIndex(5, true), 1);  // row-major runs along the bottom row first
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(g.GetAbsIndex(g.GetColRow(i)), i);
    EXPECT_EQ(g.MapCellAbsIndex(g.MapCellAbsIndex(i, true), false), i);
    EXPECT_EQ(g.MapCellAbsIndex(g.MapCellAbsIndex(i, false), true), i);
  }
}

TEST(QuasiGridInit, RegularGridAtAccumulatedFloatStepsWithCompletedApexFill) {
  BCQuasiGrid g;
  TIniModel m{BCFRect(0, 0, 100, -50), 11, 6, 1000, 2000, 3000, 4000, true};
  ASSERT_TRUE(g.Init(m));
  EXPECT_EQ(std::vector<float>(g.ZZ.end() - 6, g.ZZ.end()),
            (std::vector<float>{-50, -40, -30, -20, -10, 0}));
  EXPECT_TRUE(g.WholeSubgrid == (BCSubgrid{0, 10, 1, 5}) && g.ModelHeight == 50 && !g.SelActive);
  // Apex cells, and copy nodes trimmed from them: bottom nodes, then the last V-line.
  EXPECT_EQ((std::vector<float>{g.VV[5], g.VV[55], g.VV[0], g.VV[65]}),
            (std::vector<float>{1000, 4000, g.VV[1], g.VV[59]}));

  // 0.1f added up in float drifts above i * 0.1f from V-line 7 on; the last V-line still sits
  // exactly on the edge although ten steps add up to 1.0000002f.
  m = {BCFRect(0, 1, 1, 0), 11, 2, 0, 0, 0, 0, false};
  ASSERT_TRUE(g.Init(m));
  EXPECT_EQ(g.XX, (std::vector<float>{0.0f, 0x1.99999ap-4f, 0x1.99999ap-3f, 0x1.333334p-2f,
                                      0x1.99999ap-2f, 0.5f, 0x1.333334p-1f, 0x1.666668p-1f,
                                      0x1.99999cp-1f, 0x1.ccccd0p-1f, 1.0f}));
}
