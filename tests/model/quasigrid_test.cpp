// Init, copying and the index and whole-array accessors of the model.
#include "model/quasigrid.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/hand_model.h"

namespace {

TIniModel Description(BCFRect rect, int nx, int nz, bool setVel) {
  return TIniModel{rect, nx, nz, 1000, 2000, 3000, 4000, setVel};
}

}  // namespace

TEST(QuasiGridInit, BuildsARegularGridAtAccumulatedFloatSteps) {
  BCQuasiGrid g;
  g.XRes = 0.5f;
  g.Hors.push_back(BCHor());
  TIniModel m = Description(BCFRect(0, 0, 100, -50), 11, 6, false);
  ASSERT_TRUE(g.Init(m));
  EXPECT_EQ(g.Nz, 6);
  EXPECT_EQ(std::vector<float>(g.ZZ.end() - 6, g.ZZ.end()),
            (std::vector<float>{-50, -40, -30, -20, -10, 0}));
  EXPECT_EQ(g.ZZ.size(), 66u);
  EXPECT_EQ(g.VV, std::vector<float>(66, 0.0f));
  EXPECT_EQ(g.WholeSubgrid, (BCSubgrid{0, 10, 1, 5}));
  EXPECT_EQ(g.ZoomSubgrid, g.WholeSubgrid);
  EXPECT_TRUE(g.IniRect == m.Rect);
  EXPECT_EQ(g.ModelHeight, 50);
  EXPECT_EQ(g.XRes, 0.5f);    // left to the loader
  EXPECT_EQ(g.GetHors(), 1);  // horizons are the caller's

  // 0.1f added up in float drifts above i * 0.1f from V-line 7 on; the last V-line still sits
  // exactly on the edge although ten steps add up to 1.0000002f.
  m = Description(BCFRect(0, 1, 1, 0), 11, 2, false);
  ASSERT_TRUE(g.Init(m));
  EXPECT_EQ(g.XX, (std::vector<float>{0.0f, 0x1.99999ap-4f, 0x1.99999ap-3f, 0x1.333334p-2f,
                                      0x1.99999ap-2f, 0.5f, 0x1.333334p-1f, 0x1.666668p-1f,
                                      0x1.99999cp-1f, 0x1.ccccd0p-1f, 1.0f}));
}

TEST(QuasiGridInit, CompletesTheCopyNodesOfTheApexFill) {
  BCQuasiGrid g;
  TIniModel m = Description(BCFRect(0, 0, 100, -50), 11, 6, true);
  ASSERT_TRUE(g.Init(m));
  EXPECT_EQ(g.VV[5], 1000);          // top-left cell
  EXPECT_EQ(g.VV[9 * 6 + 1], 4000);  // bottom-right cell
  for (int col = 0; col < 10; ++col) EXPECT_EQ(g.VV[col * 6], g.VV[col * 6 + 1]);
  for (int row = 0; row < 6; ++row) EXPECT_EQ(g.VV[60 + row], g.VV[54 + row]);
  EXPECT_FALSE(g.SelActive);
  EXPECT_EQ(g.SelSubgrid, g.WholeSubgrid);
}

TEST(QuasiGridInit, RefusesWithoutChangingTheModel) {
  std::vector<AnsiString> errors;
  const ErrorHandler previous = SetErrorHandler([&](const AnsiString& t) { errors.push_back(t); });
  BCQuasiGrid g;
  TIniModel m = Description(BCFRect(0, 0, 10, -10), 3, 3, true);
  ASSERT_TRUE(g.Init(m));
  const BCQuasiGrid before = g;
  // Too few lines: silently. 100000^2 wraps in 32 bits and 65536 x 32768 is 2^31: too thick.
  for (auto [nx, nz] : {std::pair{1, 3}, {3, 1}, {-5, 4}, {100000, 100000}, {65536, 32768}}) {
    m.Nx = nx;
    m.Nz = nz;
    EXPECT_FALSE(g.Init(m));
  }
  SetErrorHandler(previous);
  EXPECT_TRUE(SameModel(g, before));
  EXPECT_EQ(errors, std::vector<AnsiString>(2, "Memory allocation error: too thick grid."));
}

TEST(QuasiGrid, NodeNumberingRoundTrips) {
  BCQuasiGrid g = HandModel({0, 10, 20, 30}, std::vector<float>(20, 0));
  EXPECT_EQ(g.GetColRow(0), TPoint(1, 5));   // bottom node of the first V-line
  EXPECT_EQ(g.GetColRow(4), TPoint(1, 1));   // its top node
  EXPECT_EQ(g.MapCellAbsIndex(5, true), 1);  // row-major runs along the bottom row first
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(g.GetAbsIndex(g.GetColRow(i)), i);
    EXPECT_EQ(g.GetIH(i) + g.GetIZrel(i), g.Nz - 1);
    EXPECT_EQ(g.MapCellAbsIndex(g.MapCellAbsIndex(i, true), false), i);
    EXPECT_EQ(g.MapCellAbsIndex(g.MapCellAbsIndex(i, false), true), i);
  }
}

TEST(QuasiGrid, CopiesOwnTheirArrays) {
  BCQuasiGrid a = HandModel({0, 10}, {0, 5, 1, 6});
  a.SelActive = true;
  a.Hors.push_back(BCHor());
  BCQuasiGrid b;
  b = a;
  const BCQuasiGrid& self = b;
  b = self;
  EXPECT_TRUE(SameModel(b, a));
  a.VV[1] = 9;
  EXPECT_EQ(b.VV[1], 0);

  std::vector<float> tooLong(5, 7), exact{1, 2, 3, 4};
  a.CopyVelocity(&tooLong);
  a.CopyVelocity(nullptr);
  EXPECT_EQ(a.VV, (std::vector<float>{0, 9, 0, 0}));
  a.CopyVelocity(&exact);
  EXPECT_EQ(a.VV, exact);
  std::vector<float> x(4, -1), z(4, -1);
  a.CopyModelArrays(x.data(), z.data(), nullptr);
  EXPECT_EQ(x, (std::vector<float>{0, 0, 10, 10}));
  EXPECT_EQ(z, a.ZZ);
}
