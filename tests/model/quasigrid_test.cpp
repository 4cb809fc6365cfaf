// Construction, Init, copying and the index and whole-array accessors of the model.
#include "model/quasigrid.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <vector>

#include "editing/equasigrid.h"
#include "support/hand_model.h"

namespace {

TIniModel Description(BCFRect rect, int nx, int nz, bool setVel) {
  return TIniModel{rect, nx, nz, 1000, 2000, 3000, 4000, setVel};
}

// Records every error box instead of printing it.
class RecordErrors {
 public:
  RecordErrors()
      : previous_(SetErrorHandler([this](const AnsiString& t) { texts.push_back(t); })) {}
  ~RecordErrors() { SetErrorHandler(previous_); }
  std::vector<AnsiString> texts;

 private:
  ErrorHandler previous_;
};

}  // namespace

TEST(QuasiGrid, NewModelIsEmpty) {
  BCQuasiGrid g;
  EXPECT_EQ(g.Nz, 0);
  EXPECT_EQ(g.GetNx(), 0);
  EXPECT_EQ(g.ModelHeight, 0);
  EXPECT_FALSE(g.SelActive);
  EXPECT_EQ(g.XRes, 0);
  EXPECT_EQ(g.ZRes, 0);
  EXPECT_EQ(g.WholeSubgrid, (BCSubgrid{0, 0, 0, 0}));
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{0, 0, 0, 0}));
  EXPECT_EQ(g.ZoomSubgrid, (BCSubgrid{0, 0, 0, 0}));
  EXPECT_EQ(g.GetZMax(), -FLT_MAX);
}

TEST(QuasiGridInit, BuildsARegularGrid) {
  BCQuasiGrid g;
  g.XRes = 0.5f;
  g.Hors.push_back(BCHor());
  TIniModel m = Description(BCFRect(0, 0, 100, -50), 11, 6, false);
  ASSERT_TRUE(g.Init(m));
  EXPECT_EQ(g.GetNx(), 11);
  EXPECT_EQ(g.Nz, 6);
  EXPECT_EQ(g.XX.front(), 0);
  EXPECT_EQ(g.XX.back(), 100);
  ASSERT_EQ(g.ZZ.size(), 66u);
  const std::vector<float> column{-50, -40, -30, -20, -10, 0};
  for (int col = 0; col < 11; ++col) {
    EXPECT_EQ(std::vector<float>(g.ZZ.begin() + col * 6, g.ZZ.begin() + col * 6 + 6), column);
  }
  EXPECT_EQ(g.VV, std::vector<float>(66, 0.0f));
  EXPECT_EQ(g.CellFlags, std::vector<unsigned char>(66, 0));
  EXPECT_EQ(g.WholeSubgrid, (BCSubgrid{0, 10, 1, 5}));
  EXPECT_EQ(g.ZoomSubgrid, g.WholeSubgrid);
  EXPECT_TRUE(g.ModelRect == m.Rect);
  EXPECT_TRUE(g.IniRect == m.Rect);
  EXPECT_EQ(g.ModelHeight, 50);
  EXPECT_FALSE(g.SelActive);
  EXPECT_EQ(g.XRes, 0.5f);    // left to the loader
  EXPECT_EQ(g.GetHors(), 1);  // horizons are the caller's
}

TEST(QuasiGridInit, AccumulatesTheVLineStepInFloat) {
  BCQuasiGrid g;
  TIniModel m = Description(BCFRect(0, 1, 1, 0), 11, 2, false);
  ASSERT_TRUE(g.Init(m));
  // 0.1f added up in float: from V-line 7 on the sums drift above i * 0.1f, and the last V-line
  // sits exactly on the edge although ten steps add up to 1.0000002f.
  const std::vector<float> expected{
      0.0f, 0x1.99999ap-4f, 0x1.99999ap-3f, 0x1.333334p-2f, 0x1.99999ap-2f,
      0.5f, 0x1.333334p-1f, 0x1.666668p-1f, 0x1.99999cp-1f, 0x1.ccccd0p-1f,
      1.0f};
  EXPECT_EQ(g.XX, expected);
  EXPECT_NE(g.XX[7], 7 * 0.1f);
}

TEST(QuasiGridInit, FillsEveryNodeFromTheApexVelocities) {
  BCQuasiGrid g;
  TIniModel m = Description(BCFRect(0, 0, 100, -50), 11, 6, true);
  m.VTopLeft = m.VTopRight = m.VBotLeft = m.VBotRight = 1000;
  ASSERT_TRUE(g.Init(m));
  EXPECT_EQ(g.VV, std::vector<float>(66, 1000.0f));  // copy nodes included
  EXPECT_FALSE(g.SelActive);
  EXPECT_EQ(g.SelSubgrid, g.WholeSubgrid);

  // With distinct apexes the copy nodes repeat the cell above and the V-line before.
  m.VTopRight = 2000;
  m.VBotLeft = 3000;
  m.VBotRight = 4000;
  ASSERT_TRUE(g.Init(m));
  EXPECT_EQ(g.VV[5], 1000);          // top-left cell
  EXPECT_EQ(g.VV[9 * 6 + 1], 4000);  // bottom-right cell
  for (int col = 0; col < 10; ++col) EXPECT_EQ(g.VV[col * 6], g.VV[col * 6 + 1]);
  for (int row = 0; row < 6; ++row) EXPECT_EQ(g.VV[60 + row], g.VV[54 + row]);
}

TEST(QuasiGridInit, RefusesTooFewLinesSilently) {
  RecordErrors errors;
  BCQuasiGrid g;
  TIniModel good = Description(BCFRect(0, 0, 10, -10), 3, 3, true);
  ASSERT_TRUE(g.Init(good));
  const BCQuasiGrid before = g;
  for (auto [nx, nz] : {std::pair{1, 3}, {3, 1}, {0, 0}, {-5, 4}}) {
    TIniModel m = Description(BCFRect(0, 0, 10, -10), nx, nz, true);
    EXPECT_FALSE(g.Init(m));
  }
  EXPECT_TRUE(SameModel(g, before));
  EXPECT_TRUE(errors.texts.empty());
}

TEST(QuasiGridInit, NodeCountBeyondIndexRangeIsExhaustedMemory) {
  RecordErrors errors;
  BCQuasiGrid g;
  TIniModel good = Description(BCFRect(0, 0, 10, -10), 3, 3, true);
  ASSERT_TRUE(g.Init(good));
  const BCQuasiGrid before = g;
  // 100000 x 100000 wraps around in 32 bits; 65536 x 32768 is exactly 2^31.
  for (auto [nx, nz] : {std::pair{100000, 100000}, {65536, 32768}}) {
    TIniModel m = Description(BCFRect(0, 0, 10, -10), nx, nz, false);
    EXPECT_FALSE(g.Init(m));
  }
  EXPECT_TRUE(SameModel(g, before));
  EXPECT_EQ(errors.texts, std::vector<AnsiString>(2, "Memory allocation error: too thick grid."));
}

TEST(QuasiGrid, NodeNumberingRoundTrips) {
  BCQuasiGrid g;
  TIniModel m = Description(BCFRect(0, 0, 30, -20), 4, 5, false);
  ASSERT_TRUE(g.Init(m));
  EXPECT_EQ(g.GetColRow(0), TPoint(1, 5));  // bottom node of the first V-line
  EXPECT_EQ(g.GetColRow(4), TPoint(1, 1));  // its top node
  EXPECT_EQ(g.GetColRow(19), TPoint(4, 1));
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(g.GetAbsIndex(g.GetColRow(i)), i);
    EXPECT_EQ(g.GetIH(i) + g.GetIZrel(i), g.Nz - 1);
    EXPECT_EQ(g.MapCellAbsIndex(g.MapCellAbsIndex(i, true), false), i);
    EXPECT_EQ(g.MapCellAbsIndex(g.MapCellAbsIndex(i, false), true), i);
  }
  // Row-major numbering runs along the bottom row first, left to right.
  EXPECT_EQ(g.MapCellAbsIndex(5, true), 1);  // bottom node of V-line 1
  EXPECT_EQ(g.MapCellAbsIndex(1, true), 4);  // second node of V-line 0
  int nx = 0, nz = 0;
  g.GetGridDimensions(nx, nz);
  EXPECT_EQ(TPoint(nx, nz), g.GetGridSize());
  EXPECT_EQ(g.GetGridSize(), TPoint(4, 5));
}

TEST(QuasiGrid, AssignmentCopiesEveryMemberDeeply) {
  BCQuasiGrid a = HandModel({0, 10, 20}, {0, 5, 10, 1, 6, 11, 2, 7, 12});
  a.VV[4] = 3;
  a.CellFlags[4] = 3;
  a.SelActive = true;
  a.SelSubgrid = {1, 2, 4, 4};
  a.XRes = 0.25f;
  a.Hors.push_back(BCHor());
  BCEQuasiGrid b;  // a derived target gets the base members
  b.RemeshTopLine = 1;
  b = BCEQuasiGrid();
  static_cast<BCQuasiGrid&>(b) = a;
  EXPECT_TRUE(SameModel(b, a));
  a.VV[4] = 9;  // the copy owns its arrays
  EXPECT_EQ(b.VV[4], 3);

  const BCQuasiGrid before = a;
  BCQuasiGrid& self = a;
  a = self;
  EXPECT_TRUE(SameModel(a, before));
}

TEST(QuasiGrid, CopyVelocityNeedsTheExactNodeCount) {
  BCQuasiGrid g = HandModel({0, 10}, {0, 5, 1, 6});
  std::vector<float> tooLong(5, 7.0f);
  g.CopyVelocity(&tooLong);
  g.CopyVelocity(nullptr);
  EXPECT_EQ(g.VV, std::vector<float>(4, 0.0f));
  std::vector<float> exact{1, 2, 3, 4};
  g.CopyVelocity(&exact);
  EXPECT_EQ(g.VV, exact);
}

TEST(QuasiGrid, CopyModelArraysSkipsNullTargets) {
  BCQuasiGrid g = HandModel({0, 10}, {0, 5, 1, 6});
  g.VV = {1, 2, 3, 4};
  std::vector<float> x(4, -1), z(4, -1), v(4, -1);
  g.CopyModelArrays(nullptr, z.data(), nullptr);
  EXPECT_EQ(z, g.ZZ);
  g.CopyModelArrays(x.data(), nullptr, v.data());
  EXPECT_EQ(x, (std::vector<float>{0, 0, 10, 10}));
  EXPECT_EQ(v, g.VV);
}

TEST(QuasiGrid, ZMaxScansEveryNode) {
  BCQuasiGrid g = HandModel({0, 10, 20}, {0, 5, 1, 9, 2, 7});
  EXPECT_EQ(g.GetZMax(), 9);
}
