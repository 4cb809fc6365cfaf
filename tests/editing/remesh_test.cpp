// Remeshing a band of H-lines under a drawn curve: the band and its velocities, the line to
// replace, snapping and time-to-depth for curve points, the curve checks and the move.
#include "editing/equasigrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/editable_grid.h"
#include "support/hand_grid.h"
#include "support/hand_model.h"

namespace {

// V-lines at X 0, 10, ..., each with nz nodes at elevations 0, 10, ...: H-line h lies at
// 10 * (nz - 1 - h). Node i has velocity 1000 + i.
BCEQuasiGrid Layered(int nx, int nz) {
  std::vector<float> xs, zs;
  for (int c = 0; c < nx; ++c) xs.push_back(10.0f * float(c));
  for (int k = 0; k < nz; ++k) zs.push_back(10.0f * float(k));
  BCEQuasiGrid g = Editable(HandGrid(xs, zs));
  for (size_t i = 0; i < g.VV.size(); ++i) g.VV[i] = 1000.0f + float(i);
  return g;
}

int Node(const BCEQuasiGrid& g, int col, int ih) {
  return (col + 1) * g.Nz - 1 - ih;
}

// Selects the cells of V-lines 0..1 whose top lines are H-lines top..bot.
void SelectRows(BCEQuasiGrid& g, int top, int bot) {
  g.SelSubgrid = {0, 2, Node(g, 0, bot), Node(g, 0, top)};
  g.SelActive = true;
}

bool StartBand(BCEQuasiGrid& g, int top, int bot, bool replaceTop = false) {
  SelectRows(g, top, bot);
  return g.InitRemesh(replaceTop);
}

}  // namespace

TEST(Remesh, InitRemeshTakesTheBandOrRefuses) {
  struct Case {
    bool replaceTop;
    int top, bot;  // H-lines of the selection's highest and lowest rows
    std::vector<int> horizons;
    bool accepted;
  };
  const Case cases[] = {
      {false, 2, 2, {}, false},     // one row: nothing between the boundaries
      {true, 1, 3, {}, false},      // top-line mode must start at H-line 0
      {true, 0, 0, {}, true},       // where one row is enough
      {false, 2, 4, {3}, false},    // a horizon inside the band
      {false, 2, 4, {4}, false},    // on its lowest row's top line
      {false, 2, 4, {2, 5}, true},  // on the boundary lines
  };
  for (const Case& c : cases) {
    BCEQuasiGrid g = Layered(3, 10);
    SetHorizons(g, c.horizons);
    SelectRows(g, c.top, c.bot);
    const BCEQuasiGrid before = g;
    EXPECT_EQ(g.InitRemesh(c.replaceTop), c.accepted) << c.top << ".." << c.bot;
    if (!c.accepted) {
      EXPECT_TRUE(SameModel(g, before) && g.RemeshTopLine == -1);
    }
  }
}

// T = 2 of Nz = 10: H-lines 0, 1 and those below B are cleared on every V-line; with B = 8 the
// bottom node (H-line 9) is a copy and stays.
TEST(Remesh, VelocitiesOutsideTheBandAreCleared) {
  for (int bot : {4, 8}) {
    BCEQuasiGrid g = Layered(3, 10);
    const std::vector<float> before = g.VV;
    ASSERT_TRUE(StartBand(g, 2, bot));
    for (int n = 0; n < 30; ++n) {
      const int h = 9 - n % 10;
      const bool kept = (h >= 2 && h <= bot) || (bot == 8 && h == 9);
      EXPECT_EQ(g.VV[n], kept ? before[n] : 0) << "B " << bot << " node " << n;
    }
  }
}

TEST(Remesh, LineToReplaceAndCurveLines) {
  BCEQuasiGrid g = Layered(3, 10);
  EXPECT_FALSE(g.SetLineToReplace() || g.CanAppendRemeshCurve(1, true));  // idle
  // T = 2, B = 4: the line is one of the interior lines 3 and 4; curves are drawn on 1-based
  // H-lines 3..5, on 3 (H-line T) only when allowed.
  ASSERT_TRUE(StartBand(g, 2, 4));
  for (int h : {2, 3, 4, 5}) {
    g.SelSubgrid.TopNode = g.SelSubgrid.BotNode = Node(g, 0, h);
    EXPECT_EQ(g.SetLineToReplace(), h == 3 || h == 4) << h;
  }
  EXPECT_TRUE(g.CanAppendRemeshCurve(3, true) && g.CanAppendRemeshCurve(5, false));
  EXPECT_FALSE(g.CanAppendRemeshCurve(2, true) || g.CanAppendRemeshCurve(3, false) ||
               g.CanAppendRemeshCurve(6, true));
  // Top-line mode: H-line 0 is the line, set by InitRemesh, and no other is taken.
  ASSERT_TRUE(StartBand(g, 0, 3, true));
  g.SelSubgrid.TopNode = Node(g, 0, 2);
  EXPECT_TRUE(!g.SetLineToReplace() && g.LineToReplace == 0 && g.CanAppendRemeshCurve(1, false));
  g.CancelRemesh();
  EXPECT_FALSE(g.CanAppendRemeshCurve(1, true));
}

TEST(Remesh, CurvePointsSnapToTheirCell) {
  BCEQuasiGrid g = Layered(4, 10);  // H-line h at 90 - 10 h
  ASSERT_TRUE(StartBand(g, 2, 4));
  struct Case {
    float x, z;
    int drawnLine;  // 1-based H-line of the curve, read by MapForRemesh
    bool found;
    int col, hline, mid;
  };
  const Case cases[] = {
      {10, 60, 5, true, 2, 4, false},    // on the top-left node of the cell below H-line 3
      {10, 60, 3, true, 2, 4, true},     // drawing on H-line T: no top nodes, the middle wins
      {10, 57.5f, 5, true, 2, 4, true},  // as far from the middle as from the node: the middle
      {29, 60, 5, true, 3, 4, false},    // the last column has no right points
      {10, 41, 4, true, 2, 6, false},    // the bottom-left node of the lowest band row
      {10, 41, 5, true, 2, 5, true},     // drawing on H-line B: the middle instead
      {10, 75, 4, false, 0, 0, false},   // the cell above the band
  };
  for (const Case& c : cases) {
    int col = 0, hline = c.drawnLine;
    bool isMid = false;
    EXPECT_EQ(g.MapForRemesh(FPoint(c.x, c.z), col, hline, isMid), c.found) << c.x << " " << c.z;
    if (c.found) {
      EXPECT_EQ((std::vector<int>{col, hline, isMid}), (std::vector<int>{c.col, c.hline, c.mid}))
          << c.x << " " << c.z;
    }
  }
}

// Two cells 100 m high at 1000 and 2000 m/s, from the top of the upper one.
TEST(Remesh, TimeToDepthDownTheColumn) {
  BCEQuasiGrid g = Editable(HandGrid({0, 10}, {0, 100, 200}));
  g.VV = {2000, 2000, 1000, 2000, 2000, 1000};
  BCFPoint p = FPoint(5, 200);
  float z0 = -1;
  EXPECT_TRUE(g.CalcZ0(p, 0.25f, z0));  // 0.1 s above, 0.025 s too much below: 50 m back up
  EXPECT_NEAR(z0, 50, 1e-3);
  EXPECT_TRUE(g.CalcZ0(p, 0.2f, z0));  // used up exactly at the upper cell's bottom
  EXPECT_EQ(z0, 100);
  z0 = -1;
  EXPECT_FALSE(g.CalcZ0(p, 0, z0) || g.CalcZ0(p, 0.4f, z0));  // no time; the bottom comes first
  g.VV[2] = 0;
  EXPECT_FALSE(g.CalcZ0(p, 0.25f, z0));  // no velocity to travel at
  EXPECT_EQ(z0, -1);
}

// Band T = 2, B = 6 with L = 4 over four V-lines: H-line T at 70, L at 50, B + 1 at 20.
TEST(Remesh, CurveChecksAndTheMove) {
  BCEQuasiGrid g = Layered(4, 10);
  ASSERT_TRUE(StartBand(g, 2, 6));
  g.SelSubgrid.TopNode = Node(g, 0, 4);
  ASSERT_TRUE(g.SetLineToReplace());
  struct Case {
    float y, res;
    bool inside, meets;
  };
  const Case cases[] = {
      {50, 2, true, true},     // the line itself: both factors 1
      {69, 2, true, false},    // 1 m below the top line squeezes the upper part
      {45, 1, true, true},     // the lower part squeezed, lines still 1 m apart
      {45, 9, true, false},    // but not 9 m
      {70, 1, false, false},   // on the top line: squeezed to nothing
      {20, 1, false, false},   // on the lower boundary, likewise
      {NAN, 0, false, false},  // not a number
  };
  for (const Case& c : cases) {
    std::vector<float> curve(4, c.y);
    EXPECT_EQ(g.CurveInsideRemeshBand(curve.data()), c.inside) << c.y;
    EXPECT_EQ(g.CurveMeetsResolution(curve.data(), c.res), c.meets) << c.y << " res " << c.res;
  }
  // On V-lines 0 and 2 the line moves down to 35: lines 3, 5 and 6 keep their shares of the way
  // from line 2 (70) and from line 7 (20) to it, 1/2, 2/3 and 1/3. On the others it stays.
  std::vector<float> curve{35, 50, 35, 50};
  g.DoRemesh(curve.data());
  for (int c = 0; c < 4; ++c) {
    std::vector<float> lines;
    for (int h = 1; h <= 8; ++h) lines.push_back(g.ZZ[Node(g, c, h)]);
    EXPECT_EQ(lines, (c % 2 ? std::vector<float>{80, 70, 60, 50, 40, 30, 20, 10}
                            : std::vector<float>{80, 70, 52.5f, 35, 30, 25, 20, 10}))
        << c;
  }
  // Top-line mode: the curve may rise up to the top of the extent.
  ASSERT_TRUE(StartBand(g, 0, 3, true));
  curve.assign(4, g.IniRect.top);
  EXPECT_TRUE(g.CurveInsideRemeshBand(curve.data()));
  curve[2] = g.IniRect.top + 1;
  EXPECT_FALSE(g.CurveInsideRemeshBand(curve.data()));
}

// A column whose band cannot be re-sampled (an elevation that is NaN or has left the band) keeps
// its band velocities; the others are re-sampled, and all get their outside velocities back.
TEST(Remesh, ColumnsOutsideTheOldProfileKeepTheirBand) {
  BCEQuasiGrid g = Layered(4, 10);
  const std::vector<float> savedVV = g.VV;
  ASSERT_TRUE(StartBand(g, 2, 4));
  const std::vector<float> savedZZ = g.ZZ;
  g.ZZ[Node(g, 0, 3)] = NAN;
  g.ZZ[Node(g, 1, 4)] = 39;  // below line B + 1 (40) of the old grid
  g.ZZ[Node(g, 2, 3)] = 64;  // inside: re-sampled
  for (int c = 0; c < 4; ++c) g.VV[Node(g, c, 3)] = g.VV[Node(g, c, 4)] = -7;
  g.SetNewVelFlag(true);
  std::vector<float> vv = savedVV, zz = savedZZ;
  g.SetRemeshVelocity(&vv, &zz);
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(g.VV[Node(g, c, 4)], c >= 2 ? savedVV[Node(g, c, 4)] : -7) << c;
    for (int h : {0, 9}) EXPECT_EQ(g.VV[Node(g, c, h)], savedVV[Node(g, c, h)]);
  }
  // 64 lies 0.4 of the way from line 3 (60) to line 2 (70).
  const float v3 = savedVV[Node(g, 2, 3)], v2 = savedVV[Node(g, 2, 2)];
  EXPECT_FLOAT_EQ(g.VV[Node(g, 2, 3)], v3 + 0.4f * (v2 - v3));
}
