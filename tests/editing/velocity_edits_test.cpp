// Velocity edits of the editable model: scaling and clamping the selection, continuation down,
// up and sideways, interpolation between columns and column profiles.
#include "editing/equasigrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/editable_grid.h"
#include "support/hand_grid.h"
#include "support/hand_model.h"

namespace {

using Floats = std::vector<float>;

// nx V-lines at X 0, 10, 20, ..., nz nodes at elevations 0, 10, ... on each; node i has
// velocity 1000 + i.
BCEQuasiGrid NumberedVelocities(int nx, int nz) {
  Floats xs, zs;
  for (int c = 0; c < nx; ++c) xs.push_back(10.0f * float(c));
  for (int k = 0; k < nz; ++k) zs.push_back(10.0f * float(k));
  BCEQuasiGrid g = Editable(HandGrid(xs, zs));
  for (size_t i = 0; i < g.VV.size(); ++i) g.VV[i] = 1000.0f + float(i);
  return g;
}

// Selects the cells of V-lines left..right-1 and rows bot..top (izrel).
void Select(BCEQuasiGrid& g, int left, int right, int bot, int top) {
  g.SelSubgrid = {left, right, g.NodeIndex(left, bot), g.NodeIndex(left, top)};
  g.SelActive = true;
}

}  // namespace

TEST(VelocityEdits, ModVSelSubgridClampsAndReports) {
  struct Case {
    float old, dv;
    bool additive;
    float vMin, vMax, expected;
    bool result;
  };
  const Case cases[] = {
      {2000, 10, false, 0, 1000, 1000, false},     // 2200 clamped to vMax
      {500, 10, false, 0, 1000, 550, true},        // percentage, no clamp
      {1000, -100, false, 300, 5000, 300, false},  // down to 0, then up to vMin
      {100, 0, true, 500, 400, 400, false},        // vMin > vMax: vMin first, then vMax
      {NAN, 1, true, 200, 900, 200, false},        // an unordered value takes vMin
      {1000, 0.1f, true, 0, 5000, 1000.1f, true},  // the sum is rounded to float once
  };
  for (const Case& c : cases) {
    BCEQuasiGrid g = Editable(HandGrid({0, 10, 20}, {0, 10, 20, 30}, 7));
    Select(g, 0, 2, 1, 2);
    g.VV[g.NodeIndex(1, 1)] = g.VV[g.NodeIndex(1, 2)] = c.old;
    EXPECT_EQ(g.ModVSelSubgrid(c.dv, c.additive, c.vMin, c.vMax), c.result) << c.old;
    EXPECT_EQ(g.VV[g.NodeIndex(1, 2)], c.expected) << c.old;
    EXPECT_EQ(g.VV[g.NodeIndex(1, 3)], 7) << "unselected row changed";
  }
}

// A selection that no longer fits the grid acts as no selection, as does SelActive false.
TEST(VelocityEdits, StaleOrMissingSelectionChangesNothing) {
  for (bool active : {false, true}) {
    BCEQuasiGrid g = NumberedVelocities(3, 4);
    g.SelSubgrid = {1, 3, 5, 7};  // RightCol beyond the last cell column
    g.SelActive = active;
    const Floats before = g.VV;
    float a = -1;
    g.GetApexVels(a, a, a, a);
    EXPECT_EQ(a, -1);
    g.SetVSelSubgrid(5);
    EXPECT_TRUE(g.ModVSelSubgrid(10, true, 0, 1));
    EXPECT_FALSE(g.InterpolateVelBetweenCols() || g.ContinueVelDownward() ||
                 g.ContinueVelUpward() || g.ContinueVelHorizontally('B'));
    EXPECT_EQ(g.VV, before);
  }
}

TEST(VelocityEdits, InterpolateBetweenSelectedColumns) {
  BCEQuasiGrid g = Editable(HandGrid({0, 10, 40, 50}, {0, 10, 20}, 0));
  g.VV = {0, 1000, 0, /**/ 0, 7, 7, /**/ 0, 4000, 4000, /**/ 0, 0, 0};
  // Two selected columns: nothing lies between their ends.
  Select(g, 0, 2, 1, 2);
  EXPECT_TRUE(g.InterpolateVelBetweenCols());
  EXPECT_EQ(g.VV[4], 7);
  // Three: (1000 * 30 + 4000 * 10) / 40 in the lower row; the upper row's left end is 0.
  Select(g, 0, 3, 1, 2);
  EXPECT_TRUE(g.InterpolateVelBetweenCols());
  EXPECT_EQ((Floats{g.VV[4], g.VV[5]}), (Floats{1750, 7}));
}

TEST(VelocityEdits, ContinueDownAndUp) {
  // Downward, one row at H-line 2 (izrel 3 of 6 nodes): the cells below and the bottom node; a
  // column without velocity is left alone.
  BCEQuasiGrid g = NumberedVelocities(3, 6);
  Select(g, 0, 2, 3, 3);
  g.VV[g.NodeIndex(1, 3)] = 0;
  EXPECT_TRUE(g.ContinueVelDownward());
  EXPECT_EQ(Floats(g.VV.begin(), g.VV.begin() + 7),
            (Floats{1003, 1003, 1003, 1003, 1004, 1005, 1006}));
  // Downward over three rows: only the two lower rows of the selection.
  g = NumberedVelocities(3, 6);
  Select(g, 0, 1, 1, 3);
  g.ContinueVelDownward();
  EXPECT_EQ(Floats(g.VV.begin(), g.VV.begin() + 5), (Floats{1000, 1003, 1003, 1003, 1004}));
  // Upward, one row: up to the top node of each V-line.
  g = NumberedVelocities(3, 6);
  Select(g, 1, 2, 2, 2);
  g.ContinueVelUpward();
  EXPECT_EQ(Floats(g.VV.begin() + 6, g.VV.begin() + 12),
            (Floats{1006, 1007, 1008, 1008, 1008, 1008}));
}

TEST(VelocityEdits, ContinueSideways) {
  // 'L' on two columns copies the right one into the left one; a row without velocity is kept.
  BCEQuasiGrid g = NumberedVelocities(4, 4);
  Select(g, 1, 3, 1, 2);
  g.VV[g.NodeIndex(2, 2)] = 0;
  EXPECT_TRUE(g.ContinueVelHorizontally('L'));
  EXPECT_EQ(Floats(g.VV.begin() + 5, g.VV.begin() + 8), (Floats{1009, 1006, 1007}));
  // 'B' needs a one-column selection; an unknown direction is refused.
  EXPECT_FALSE(g.ContinueVelHorizontally('B') || g.ContinueVelHorizontally('r'));
  // One column, 'B': every cell column, not the last V-line.
  g = NumberedVelocities(4, 4);
  Select(g, 1, 2, 1, 3);
  EXPECT_TRUE(g.ContinueVelHorizontally('B'));
  for (int col : {0, 2}) {
    for (int row = 1; row < 4; ++row) EXPECT_EQ(g.VV[g.NodeIndex(col, row)], 1004 + row);
  }
  EXPECT_EQ(g.VV[g.NodeIndex(3, 1)], 1013);
}

TEST(VelocityEdits, ReplaceColumnByProfile) {
  // Nodes from -50 to 0; the profile holds -10 (1000) and -20 (2000).
  BCEQuasiGrid g = Editable(HandGrid({0, 10, 20}, {-50, -40, -30, -20, -10, 0}, 7));
  g.ZZ[g.NodeIndex(1, 3)] = -15;  // a node between the profile points
  g.ReplaceVelCol(2, {-10, -20}, {1000, 2000});
  EXPECT_EQ(Floats(g.VV.begin() + 6, g.VV.begin() + 12),
            (Floats{2000, 2000, 2000, 1500, 1000, 1000}));
  EXPECT_EQ(g.VV[g.NodeIndex(2, 0)], 7);
  // Refused: column numbers outside 1..Nx-1, empty or unequal vectors, elevations that do not
  // strictly descend, numbers that are not finite.
  struct Case {
    int col;
    Floats z, v;
  };
  const Case refused[] = {
      {0, {-10}, {1}},      {3, {-10}, {1}},         {1, {}, {}},
      {1, {-10, -20}, {1}}, {1, {-10, -10}, {1, 2}}, {1, {-10, -20}, {1, INFINITY}},
  };
  for (const Case& c : refused) {
    const Floats before = g.VV;
    g.ReplaceVelCol(c.col, c.z, c.v);
    EXPECT_EQ(g.VV, before) << "column " << c.col << ", " << c.z.size() << " points";
  }
}

// The list fill against the same steps made one by one through the selection, where the
// velocity resolution must be taken afresh before every gap: the largest velocity sits inside
// the first gap, so the resolution falls once that gap is filled and the later gaps, whose ends
// lie between the two resolutions, are filled too. A repeated column number is allowed; lists
// that descend or leave 1..Nx-1 are refused.
TEST(VelocityEdits, FillFromKnownColumnsMatchesStepByStep) {
  const std::vector<int> cols{2, 5, 5, 9, 12, 15};
  BCEQuasiGrid g = NumberedVelocities(18, 5);
  g.VV[g.NodeIndex(2, 3)] = 3e8f;  // inside the gap between column numbers 2 and 5,
  g.VV[g.NodeIndex(1, 3)] = g.VV[g.NodeIndex(4, 3)] = 5000;  // whose ends in that row replace it
  for (int col : {8, 11, 14}) g.VV[g.NodeIndex(col, 2)] = 2000;  // below 3e8 * 1e-5
  g.VV[g.NodeIndex(16, 4)] = 5e7f;  // overwritten by the right edge's continuation
  BCEQuasiGrid expected = g;
  expected.SelActive = true;
  expected.SetColumnAsSelSubgrid(2);
  expected.ContinueVelHorizontally('L');
  expected.SetColumnAsSelSubgrid(15);
  expected.ContinueVelHorizontally('R');
  for (size_t k = 1; k < cols.size(); ++k) {
    if (cols[k] - cols[k - 1] < 2) continue;
    expected.SetBetweenColumnsAsSelSubgrid(cols[k - 1], cols[k]);
    expected.InterpolateVelBetweenCols();
  }
  expected.TrimVelocity();
  const BCEQuasiGrid start = g;
  for (const std::vector<int>& bad : {std::vector<int>{7, 3}, {0, 3}, {3, 18}}) {
    g.InterpolateVelBetweenCols(bad);
    EXPECT_TRUE(SameModel(g, start));
  }
  g.InterpolateVelBetweenCols(cols);
  EXPECT_EQ(g.VV, expected.VV);
  EXPECT_TRUE(g.SelSubgrid == start.SelSubgrid && !g.SelActive);
  EXPECT_EQ(g.VV[g.NodeIndex(9, 2)], 2000) << "a later gap kept its old values";
}
