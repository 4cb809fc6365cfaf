// Tests of starting models hung from a ground surface: hand-computed nodes and velocities, rows
// that fill the depth, the save that loads back, and refusals that leave the model alone.
#include "editing/starting_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "storage/model_check.h"
#include "support/editable_grid.h"
#include "support/hand_grid.h"
#include "support/hand_model.h"
#include "support/model_tables.h"

namespace {

// The surface (0, 10), (500, 30), (1000, 0) over a bottom at -100, 21 x 11 lines, 500 + 20/unit.
TStartingModel ThreePointSurface() {
  TStartingModel d;
  d.SurfaceX = {0, 500, 1000};
  d.SurfaceZ = {10, 30, 0};
  d.Nx = 21;
  d.Nz = 11;
  d.Bottom = -100;
  d.V0 = 500;
  d.Gradient = 20;
  return d;
}

void Profile(TStartingModel& d, std::vector<float> depth, std::vector<float> v) {
  d.Law = vlProfile;
  d.ProfileDepth = std::move(depth);
  d.ProfileV = std::move(v);
}

// A model with a horizon, fixed cells and a selection, so that any change shows.
BCEQuasiGrid Populated() {
  BCEQuasiGrid g = Editable(SlopingGrid());
  SetHorizons(g, {1});
  g.CellFlags[2] = kCellFixed;
  g.SelActive = true;
  g.SelSubgrid = {0, 1, 1, 2};
  return g;
}

// Top node of V-line col.
float TopZ(const BCQuasiGrid& g, int col) {
  return g.ZZ[g.NodeIndex(col, g.Nz - 1)];
}

TEST(StartingModel, HangsFromTheSurfaceWithVelocityByDepth) {
  BCEQuasiGrid g = Populated();
  const StartingModelResult r = BuildStartingModel(g, ThreePointSurface());
  ASSERT_EQ(r.Fault, smBuilt) << r.Text;
  ASSERT_EQ(g.VV.size(), 231u);
  // V-line 5 stands at X 250, halfway up the first surface segment: 10 + 20 * 0.5.
  EXPECT_EQ(g.XX[5], 250.0f);
  EXPECT_EQ(TopZ(g, 5), 20.0f);
  // Its first cell reaches to V-line 6 (surface 22); corner depths 0, 0, 12 and 12.2.
  EXPECT_NEAR(g.VV[g.NodeIndex(5, 10)], 500 + 20 * 6.05, 1e-3);
  // Copy nodes: the bottom node repeats the cell above it, the last V-line the one before.
  for (int c = 0; c < 21; ++c) EXPECT_EQ(g.VV[g.NodeIndex(c, 0)], g.VV[g.NodeIndex(c, 1)]);
  for (int k = 0; k < 11; ++k) EXPECT_EQ(g.VV[g.NodeIndex(20, k)], g.VV[g.NodeIndex(19, k)]);
  // A fresh model: no horizons, no selection; the extent reaches the highest node.
  EXPECT_TRUE(g.Hors.empty() && !g.SelActive);
  EXPECT_EQ(g.ModelRect, BCFRect(0, 30, 1000, -100));
  // The surface is held beyond its ends: V-lines at X -500, -400, 500 and 1500.
  TStartingModel wide = ThreePointSurface();
  wide.OwnXRange = true;
  wide.XLeft = -500;
  wide.XRight = 1500;
  ASSERT_EQ(BuildStartingModel(g, wide).Fault, smBuilt);
  EXPECT_EQ((std::vector<float>{TopZ(g, 0), TopZ(g, 2), TopZ(g, 10), TopZ(g, 20)}),
            (std::vector<float>{10, 10, 30, 0}));
}

// Geometric rows, then zeros of either sign on the model's edges (the table keeps +0, and so
// must the extent).
TEST(StartingModel, SavesAndLoadsBackAsTheSameModel) {
  TableDirs dirs;
  BCEQuasiGrid built, loaded;
  TStartingModel d = ThreePointSurface();
  d.RowRatio = 1.5f;
  ASSERT_EQ(BuildStartingModel(built, d).Fault, smBuilt);
  const float* z = &built.ZZ[built.NodeIndex(7, 0)];
  for (int k = 1; k < 10; ++k) EXPECT_NEAR((z[k + 1] - z[k]) * 1.5, z[k] - z[k - 1], 1e-3) << k;
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(LoadBackProblem(built), "");
    ASSERT_TRUE(built.SaveModelDb(dirs.db.Path(), false, kSaveGeometry | kSaveFixed));
    ASSERT_TRUE(loaded.LoadModelDb(dirs.db.Path(), false, kLoadGeometry | kLoadFixed, true));
    EXPECT_TRUE(SameModel(built, loaded)) << "pass " << pass;
    d.SurfaceX = {-0.0f, 10};
    d.SurfaceZ = {-0.0f, -0.0f};
    d.Bottom = -10;
    d.Nx = d.Nz = 3;
    ASSERT_EQ(BuildStartingModel(built, d).Fault, smBuilt);
  }
}

TEST(StartingModel, VelocityDepthProfileIsLinearAndHeldBelowItsLastDepth) {
  // A flat surface at 0 over a bottom at -100: rows 10 deep, cells at mean depths 5, 15, .. 95.
  TStartingModel d;
  d.SurfaceX = d.SurfaceZ = {0};
  d.OwnXRange = true;
  d.XRight = 100;
  d.Nx = 3;
  d.Nz = 11;
  d.Bottom = -100;
  Profile(d, {0, 10, 50}, {400, 800, 2000});
  BCEQuasiGrid g;
  ASSERT_EQ(BuildStartingModel(g, d).Fault, smBuilt);
  const auto cell = [&g](int row) { return g.VV[g.NodeIndex(1, 10 - row)]; };
  EXPECT_FLOAT_EQ(cell(0), 600);   // depth 5: halfway from 400 to 800
  EXPECT_FLOAT_EQ(cell(1), 950);   // depth 15: an eighth of the way from 800 to 2000
  EXPECT_FLOAT_EQ(cell(4), 1850);  // depth 45
  for (int row = 5; row < 10; ++row) EXPECT_EQ(cell(row), 2000.0f) << row;
}

TEST(StartingModel, RefusesWhatMakesNoModelAndLeavesTheModelAsItWas) {
  using D = TStartingModel&;
  const struct {
    const char* what;
    void (*spoil)(TStartingModel&);
    StartingModelFault fault;
    int item = -1;
  } cases[] = {
      // clang-format off
      {"one V-line", [](D d) { d.Nx = 1; }, smBadSize},
      {"table limit", [](D d) { d.Nx = 1581, d.Nz = 1582; }, smTooManyNodes},
      {"no surface", [](D d) { d.SurfaceX.clear(), d.SurfaceZ.clear(); }, smBadSurface},
      {"point at the bottom", [](D d) { d.SurfaceZ[1] = -100; }, smBadSurface, 1},
      {"x not ascending", [](D d) { d.SurfaceX[2] = 500; }, smBadSurface, 2},
      {"NaN elevation", [](D d) { d.SurfaceZ[0] = NAN; }, smBadSurface, 0},
      {"one point, no range", [](D d) { d.SurfaceX = {0}, d.SurfaceZ = {0}; }, smBadRange},
      {"range reversed", [](D d) { d.OwnXRange = true, d.XLeft = 10; }, smBadRange},
      // 1e-44 apart in 21 V-lines: steps below the smallest float, so V-lines coincide.
      {"range beyond float", [](D d) { d.OwnXRange = true, d.XRight = 1e-44f; }, smBadRange},
      // Elevations 3e38 and -3e38: their difference, the surface's slope, is beyond float.
      {"slope", [](D d) { d.SurfaceZ = {3e38f, -3e38f, 0}, d.Bottom = -3.1e38f; }, smRowsTooThin},
      // The ratio's powers leave double: the top rows cannot be told apart in float.
      {"rows too thin", [](D d) { d.Nz = 1200, d.RowRatio = 2; }, smRowsTooThin},
      {"ratio below 1", [](D d) { d.RowRatio = 0.5f; }, smBadSpacing},
      {"negative V0", [](D d) { d.V0 = -1; }, smBadVelocity},
      // 500 - 5 per unit turns negative below depth 100; the deepest cells lie near 123.
      {"gradient turns negative", [](D d) { d.Gradient = -5; }, smBadVelocity},
      {"gradient overflows", [](D d) { d.Gradient = 3e38f; }, smBadVelocity},
      {"profile not from 0", [](D d) { Profile(d, {1}, {1}); }, smBadLaw, 0},
      {"depth repeated", [](D d) { Profile(d, {0, 5, 5}, {1, 2, 3}); }, smBadLaw, 2},
      {"negative law velocity", [](D d) { Profile(d, {0, 5}, {1, -2}); }, smBadLaw, 1},
      // clang-format on
  };
  for (const auto& c : cases) {
    TStartingModel d = ThreePointSurface();
    c.spoil(d);
    BCEQuasiGrid g = Populated();
    const StartingModelResult r = BuildStartingModel(g, d);
    EXPECT_EQ(r.Fault, c.fault) << c.what << ": " << r.Text;
    EXPECT_EQ(r.Item, c.item) << c.what;
    EXPECT_TRUE(!r.Text.empty() && r.Text.find('\n') == AnsiString::npos) << c.what;
    EXPECT_TRUE(SameModel(g, Populated())) << c.what;
  }
}

}  // namespace
