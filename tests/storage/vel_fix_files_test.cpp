// Tests of the VEL and FIX writers: whole files compared byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editing/equasigrid.h"
#include "storage/modelfiler.h"
#include "support/scratch_dir.h"

namespace {

// A regular editable grid over rect with every velocity 0.
BCEQuasiGrid Grid(BCFRect rect, int nx, int nz) {
  BCEQuasiGrid g;
  TIniModel m{rect, nx, nz, 0, 0, 0, 0, false};
  EXPECT_TRUE(g.Init(m));
  return g;
}

// The 2 x 2 model: 12 lines, the extent left-aligned in 12 characters, then the top nodes (1 and
// 3) and the bottom nodes (0 and 2) as "%9.2f" without separators; a value wider than its field
// runs into its neighbour; VV is written untrimmed.
TEST(VelFixFiles, VelFileOfATwoByTwoModel) {
  ScratchDir dir;
  BCEQuasiGrid g = Grid(BCFRect(0, 0, 100, -50), 2, 2);
  g.VV = {1500, -0.005f, 12345678, 2.125f};
  ASSERT_TRUE(SaveVelocityToVELfile(dir.File("m.vel"), &g));
  EXPECT_EQ(dir.Read("m.vel"),
            "V\n2\n2\n1\n"
            "0.000       \n100.000     \n-50.000     \n0.000       \n0.000       \n0.000       \n"
            "    -0.00     2.12\n"  // -0.005f lies above -0.005; 2.125 is a tie, to even
            "  1500.0012345678.00\n");
  dir.Write("m.vel", "old text that is longer than the new file will be..........................");
  g.VV = {1, 2, 3, 4};
  ASSERT_TRUE(SaveVelocityToVELfile(dir.File("m.vel"), &g));
  EXPECT_EQ(dir.Read("m.vel").substr(86), "     2.00     4.00\n     1.00     3.00\n");
  EXPECT_FALSE(SaveVelocityToVELfile(dir.File("no/such/dir.vel"), &g));
}

// Fixed cells in node order, numbered row by row from the bottom (node 5 of a 3 x 4 model is
// cell 5, node 2 cell 7), with the caller's value format; no fixed cell: 1 and the file stays; a
// refused format: -1 and no file.
TEST(VelFixFiles, FixFileListsTheFixedCells) {
  ScratchDir dir;
  BCEQuasiGrid g = Grid(BCFRect(0, 0, 20, -30), 3, 4);
  for (size_t i = 0; i < g.VV.size(); ++i) g.VV[i] = 1000.0f + static_cast<float>(i);
  dir.Write("m.fix", "kept");
  EXPECT_EQ(SaveConstraintsToFIXfile(dir.File("m.fix"), &g, "%s"), 1);
  EXPECT_EQ(dir.Read("m.fix"), "kept");

  g.CellFlags[5] = kCellFixed | kCellSelected;
  g.CellFlags[2] = kCellFixed;
  g.CellFlags[6] = kCellSelected;
  EXPECT_EQ(SaveConstraintsToFIXfile(dir.File("new.fix"), &g, "%f %f"), -1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("new.fix")));
  EXPECT_EQ(SaveConstraintsToFIXfile(dir.File("no/such/dir.fix"), &g, "%10.2f"), -1);

  ASSERT_EQ(SaveConstraintsToFIXfile(dir.File("m.fix"), &g, "%10.2f"), 0);
  EXPECT_EQ(dir.Read("m.fix"),
            "1            7      1002.00\n"
            "1            5      1005.00\n");
  ASSERT_EQ(SaveConstraintsToFIXfile(dir.File("m.fix"), &g, "v=%-8.1e|"), 0);
  EXPECT_EQ(dir.Read("m.fix").substr(0, 29), "1            7   v=1.0e+03 |\n");
  ASSERT_EQ(SaveConstraintsToFIXfile(dir.File("m.fix"), &g, ""), 0);
  EXPECT_EQ(dir.Read("m.fix"), "1            7   \n1            5   \n");
}

}  // namespace
