// Tests of starting models hung from a ground surface: hand-computed nodes and velocities, rows
// that fill the depth, the save that loads back, and refusals that leave the model alone.
#include "editing/starting_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "storage/model_check.h"
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

// A model with something in every member, so that any change shows.
BCEQuasiGrid Populated() {
  BCEQuasiGrid g;
  TIniModel m{BCFRect(0, 0, 100, -50), 3, 4, 1000, 2000, 3000, 4000, true};
  g.Init(m);
  g.Hors.push_back(BCHor());
  g.CellFlags[2] = 3;
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
  ASSERT_EQ(g.GetNx(), 21);
  ASSERT_EQ(g.Nz, 11);
  // V-line 5 stands at X 250, halfway up the first surface segment: 10 + 20 * 0.5.
  EXPECT_EQ(g.XX[5], 250.0f);
  EXPECT_EQ(TopZ(g, 5), 20.0f);
  // Its first cell reaches to V-line 6 (surface 22); corner depths 0, 0, 12 and 12.2.
  EXPECT_NEAR(g.VV[g.NodeIndex(5, 10)], 500 + 20 * 6.05, 1e-3);
  for (int col = 0; col < 21; ++col) {
    EXPECT_EQ(g.ZZ[g.NodeIndex(col, 0)], -100.0f) << col;
    // Copy nodes: the bottom node repeats the cell above it, the last V-line the one before.
    EXPECT_EQ(g.VV[g.NodeIndex(col, 0)], g.VV[g.NodeIndex(col, 1)]);
  }
  for (int izrel = 0; izrel < 11; ++izrel)
    EXPECT_EQ(g.VV[g.NodeIndex(20, izrel)], g.VV[g.NodeIndex(19, izrel)]);
  // A fresh model: no horizons, no selection, no marks; the extent reaches the highest node.
  EXPECT_TRUE(g.Hors.empty());
  EXPECT_FALSE(g.SelActive);
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{0, 0, 0, 0}));
  EXPECT_EQ(g.CellFlags, std::vector<unsigned char>(231, 0));
  EXPECT_EQ(g.ModelRect, BCFRect(0, 30, 1000, -100));
  EXPECT_EQ(g.WholeSubgrid, (BCSubgrid{0, 20, 1, 10}));

  // The surface is held beyond its ends.
  TStartingModel wide = ThreePointSurface();
  wide.OwnXRange = true;
  wide.XLeft = -500;
  wide.XRight = 1500;
  ASSERT_EQ(BuildStartingModel(g, wide).Fault, smBuilt);
  EXPECT_EQ(TopZ(g, 0), 10.0f);
  EXPECT_EQ(TopZ(g, 2), 10.0f);   // X -400
  EXPECT_EQ(TopZ(g, 10), 30.0f);  // X 500
  EXPECT_EQ(TopZ(g, 20), 0.0f);
}

TEST(StartingModel, SavesAndLoadsBackAsTheSameModel) {
  TableDirs dirs;
  BCEQuasiGrid built;
  TStartingModel d = ThreePointSurface();
  d.RowRatio = 1.3f;
  ASSERT_EQ(BuildStartingModel(built, d).Fault, smBuilt);
  EXPECT_EQ(LoadBackProblem(built), "");
  ASSERT_TRUE(built.SaveModelDb(dirs.db.Path(), false, kSaveGeometry | kSaveFixed));
  BCEQuasiGrid loaded;
  ASSERT_TRUE(loaded.LoadModelDb(dirs.db.Path(), false, kLoadGeometry | kLoadFixed, true));
  EXPECT_TRUE(SameModel(built, loaded));
  // Zeros of either sign on the model's edges: the table keeps +0, and so does the extent.
  d.SurfaceX = {-0.0f, 10};
  d.SurfaceZ = {-0.0f, -0.0f};
  d.Bottom = -10;
  d.Nx = d.Nz = 3;
  ASSERT_EQ(BuildStartingModel(built, d).Fault, smBuilt);
  ASSERT_TRUE(built.SaveModelDb(dirs.db.Path(), false, kSaveGeometry | kSaveFixed));
  ASSERT_TRUE(loaded.LoadModelDb(dirs.db.Path(), false, kLoadGeometry | kLoadFixed, true));
  EXPECT_TRUE(SameModel(built, loaded));
}

TEST(StartingModel, GeometricRowsThickenDownwardAndFillTheDepth) {
  TStartingModel d = ThreePointSurface();
  d.Nz = 9;
  d.RowRatio = 1.5f;
  BCEQuasiGrid g;
  ASSERT_EQ(BuildStartingModel(g, d).Fault, smBuilt);
  for (int col = 0; col < g.GetNx(); ++col) {
    const float* z = &g.ZZ[g.NodeIndex(col, 0)];
    double sum = 0;
    for (int izrel = 1; izrel < 9; ++izrel) {
      const double row = static_cast<double>(z[izrel]) - z[izrel - 1];
      sum += row;
      // This row is 1.5 times as thick as the one above it (izrel + 1).
      if (izrel < 8) {
        EXPECT_NEAR((z[izrel + 1] - z[izrel]) * 1.5, row, 1e-3);
      }
    }
    EXPECT_NEAR(sum, TopZ(g, col) + 100.0, 1e-4) << col;
  }
  // So many rows that the ratio's powers leave double: the top rows cannot be told apart in
  // float, which is refused rather than left as NaN or equal elevations.
  d.Nz = 1200;
  d.RowRatio = 2;
  BCEQuasiGrid before = g;
  const StartingModelResult r = BuildStartingModel(g, d);
  EXPECT_EQ(r.Fault, smRowsTooThin);
  EXPECT_TRUE(SameModel(g, before));
}

TEST(StartingModel, VelocityDepthProfileIsLinearAndHeldBelowItsLastDepth) {
  // A flat surface at 0 over a bottom at -100: rows 10 deep, cells at mean depths 5, 15, .. 95.
  TStartingModel d;
  d.SurfaceX = {0};
  d.SurfaceZ = {0};
  d.OwnXRange = true;
  d.XLeft = 0;
  d.XRight = 100;
  d.Nx = 3;
  d.Nz = 11;
  d.Bottom = -100;
  d.Law = vlProfile;
  d.ProfileDepth = {0, 10, 50};
  d.ProfileV = {400, 800, 2000};
  BCEQuasiGrid g;
  ASSERT_EQ(BuildStartingModel(g, d).Fault, smBuilt);
  const auto cell = [&g](int row) { return g.VV[g.NodeIndex(1, 10 - row)]; };
  EXPECT_FLOAT_EQ(cell(0), 600);                        // depth 5: halfway from 400 to 800
  EXPECT_FLOAT_EQ(cell(1), 800 + 1200 * (5.0f / 40));   // depth 15
  EXPECT_FLOAT_EQ(cell(4), 2000 - 1200 * (5.0f / 40));  // depth 45
  for (int row = 5; row < 10; ++row) EXPECT_EQ(cell(row), 2000.0f) << row;
}

// A change to a good description and the refusal it must bring.
struct Refusal {
  const char* what;
  void (*spoil)(TStartingModel&);
  StartingModelFault fault;
  int item;
};

TEST(StartingModel, RefusesWhatMakesNoModelAndLeavesTheModelAsItWas) {
  const Refusal cases[] = {
      {"one V-line", [](TStartingModel& d) { d.Nx = 1; }, smBadSize, -1},
      {"table limit", [](TStartingModel& d) { d.Nx = 1581, d.Nz = 1582; }, smTooManyNodes, -1},
      {"no surface", [](TStartingModel& d) { d.SurfaceX.clear(), d.SurfaceZ.clear(); },
       smBadSurface, -1},
      {"point at the bottom", [](TStartingModel& d) { d.SurfaceZ[1] = -100; }, smBadSurface, 1},
      {"x not ascending", [](TStartingModel& d) { d.SurfaceX[2] = 500; }, smBadSurface, 2},
      {"NaN elevation", [](TStartingModel& d) { d.SurfaceZ[0] = NAN; }, smBadSurface, 0},
      {"one point, no range", [](TStartingModel& d) { d.SurfaceX = {0}, d.SurfaceZ = {0}; },
       smBadRange, -1},
      {"range reversed", [](TStartingModel& d) { d.OwnXRange = true, d.XLeft = 10, d.XRight = 0; },
       smBadRange, -1},
      // 1e-44 apart in 21 V-lines: steps below the smallest float, so V-lines coincide.
      {"range beyond float",
       [](TStartingModel& d) { d.OwnXRange = true, d.XLeft = 0, d.XRight = 1e-44f; }, smBadRange,
       -1},
      // Elevations 3e38 and -3e38: their difference, the surface's slope, is beyond float.
      {"surface beyond float",
       [](TStartingModel& d) {
         d.SurfaceZ = {3e38f, -3e38f, 0}, d.Bottom = -3.1e38f;
       },
       smRowsTooThin, -1},
      {"ratio below 1", [](TStartingModel& d) { d.RowRatio = 0.5f; }, smBadSpacing, -1},
      {"negative V0", [](TStartingModel& d) { d.V0 = -1; }, smBadVelocity, -1},
      // 500 - 5 per unit turns negative below depth 100; the deepest cells lie near 123.
      {"gradient turns negative", [](TStartingModel& d) { d.Gradient = -5; }, smBadVelocity, -1},
      {"gradient overflows", [](TStartingModel& d) { d.Gradient = 3e38f; }, smBadVelocity, -1},
      {"profile not from 0",
       [](TStartingModel& d) { d.Law = vlProfile, d.ProfileDepth = {1}, d.ProfileV = {1}; },
       smBadLaw, 0},
      {"profile depth repeated",
       [](TStartingModel& d) {
         d.Law = vlProfile, d.ProfileDepth = {0, 5, 5}, d.ProfileV = {1, 2, 3};
       },
       smBadLaw, 2},
      {"negative profile velocity",
       [](TStartingModel& d) {
         d.Law = vlProfile, d.ProfileDepth = {0, 5}, d.ProfileV = {1, -2};
       },
       smBadLaw, 1},
  };
  for (const Refusal& c : cases) {
    TStartingModel d = ThreePointSurface();
    c.spoil(d);
    BCEQuasiGrid g = Populated();
    const StartingModelResult r = BuildStartingModel(g, d);
    EXPECT_EQ(r.Fault, c.fault) << c.what << ": " << r.Text;
    EXPECT_EQ(r.Item, c.item) << c.what;
    EXPECT_FALSE(r.Text.empty()) << c.what;
    EXPECT_EQ(r.Text.find('\n'), AnsiString::npos) << c.what;
    EXPECT_TRUE(SameModel(g, Populated())) << c.what;
  }
}

}  // namespace
