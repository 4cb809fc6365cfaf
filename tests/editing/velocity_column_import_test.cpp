// Tests of the velocity-column imports: one profile into a column, a set of profiles into the
// whole model, their codes and line numbers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/equasigrid.h"
#include "support/scratch_dir.h"

namespace {

// A regular nx x 4 model over X 0..10 * (nx - 1) and Z -30..0, every velocity 100 * node.
BCEQuasiGrid Model(int nx) {
  BCEQuasiGrid g;
  TIniModel m{BCFRect(0, 0, 10.0f * static_cast<float>(nx - 1), -30), nx, 4, 0, 0, 0, 0, false};
  EXPECT_TRUE(g.Init(m));
  for (size_t i = 0; i < g.VV.size(); ++i) g.VV[i] = 100.0f * static_cast<float>(i);
  return g;
}

// A block at x: cell tops 0, -10, -20 with velocities base, base + 10, base + 20.
std::string Block(const char* x, int base) {
  return std::string("X=") + x + "\n0 " + std::to_string(base) + "\n-10 " +
         std::to_string(base + 10) + "\n-20 " + std::to_string(base + 20) + "\n";
}

// The first block goes into the column asked for, whatever its X; a failure leaves the model and
// names the line.
TEST(VelColImport, OneProfileIntoAColumn) {
  ScratchDir dir;
  BCEQuasiGrid g = Model(3), expected = Model(3);
  dir.Write("c.txt", Block("999", 1000) + Block("5", 3000));
  int lineNo = -1;
  ASSERT_EQ(g.ImportVelCol(dir.File("c.txt"), 2, lineNo), 0);
  EXPECT_EQ(lineNo, 0);
  expected.ReplaceVelCol(2, {0, -10, -20}, {1000, 1010, 1020});
  EXPECT_EQ(g.VV, expected.VV);

  dir.Write("bad.txt", "X=1\n0 1\n-1 0\n");  // a velocity of 0
  EXPECT_EQ(g.ImportVelCol(dir.File("bad.txt"), 1, lineNo), 3);
  EXPECT_EQ(lineNo, 3);
  EXPECT_EQ(g.ImportVelCol(dir.File("missing.txt"), 1, lineNo), -2);
  EXPECT_EQ(lineNo, 0);
  EXPECT_EQ(g.VV, expected.VV);
}

// Blocks at the X of columns 3, 7 and, on the right edge, 10 of an 11-column model replace those
// and fill the rest as the column interpolation does; a later block in the same column wins;
// blocks outside the model are skipped.
TEST(VelColImport, ASetOfProfilesRebuildsTheModel) {
  ScratchDir dir;
  BCEQuasiGrid g = Model(11);
  dir.Write("set.txt", Block("-5", 1) + Block("25", 2000) + Block("61", 9) + Block("60", 3000) +
                           Block("100", 500) + Block("1000", 7));
  int lineNo = -1;
  ASSERT_EQ(g.ImportVelColSet(dir.File("set.txt"), lineNo), 0);
  BCEQuasiGrid expected = Model(11);
  expected.ReplaceVelCol(3, {0, -10, -20}, {2000, 2010, 2020});
  expected.ReplaceVelCol(7, {0, -10, -20}, {3000, 3010, 3020});
  expected.ReplaceVelCol(10, {0, -10, -20}, {500, 510, 520});
  expected.InterpolateVelBetweenCols(std::vector<int>{3, 7, 7, 10});
  EXPECT_EQ(g.VV, expected.VV);
}

// Codes of the set import: no block inside (5, lineNo 0, nothing changed), no file (4), and a
// later block's error (its code and line; the columns replaced before it stay replaced).
TEST(VelColImport, ASetImportReportsItsFailures) {
  ScratchDir dir;
  BCEQuasiGrid g = Model(11);
  const std::vector<float> before = g.VV;
  int lineNo = -1;
  dir.Write("outside.txt", Block("-1", 1000) + Block("100.5", 1000));
  EXPECT_EQ(g.ImportVelColSet(dir.File("outside.txt"), lineNo), 5);
  EXPECT_EQ(lineNo, 0);
  EXPECT_EQ(g.VV, before);
  EXPECT_EQ(g.ImportVelColSet(dir.File("missing.txt"), lineNo), 4);

  dir.Write("late.txt", Block("25", 2000) + "X=60\n0 1\n-5 -1\n");
  EXPECT_EQ(g.ImportVelColSet(dir.File("late.txt"), lineNo), 3);
  EXPECT_EQ(lineNo, 7);
  EXPECT_EQ(g.VV[g.NodeIndex(2, 3)], 2000);                       // column 3 was replaced
  EXPECT_EQ(g.VV[g.NodeIndex(0, 3)], before[g.NodeIndex(0, 3)]);  // no interpolation ran
}

}  // namespace
