// Tests of the velocity-column filer and the export of a cell column of the model.
#include "storage/vcimpex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/equasigrid.h"
#include "support/scratch_dir.h"

namespace {

// What ReadNextCol gave.
struct Block {
  int result, lineNo;
  float x;
  std::vector<float> z, v;
  VCReadPosition pos;
};

// Reads blocks of text until a failure or the end, at most four.
std::vector<Block> ReadAll(const std::string& text) {
  ScratchDir dir;
  dir.Write("c.txt", text);
  VCFiler filer(dir.File("c.txt"), vcoRead);
  EXPECT_TRUE(filer.Opened());
  std::vector<Block> blocks;
  VCReadPosition pos = vrpStart;
  while (blocks.size() < 4) {
    Block b{};
    b.result = filer.ReadNextCol(b.x, b.z, b.v, pos);
    b.pos = pos;
    b.lineNo = filer.LineNo;
    blocks.push_back(b);
    if (b.result != vcrOk || pos == vrpEnd) break;
  }
  return blocks;
}

// A 3 x 4 model whose column 1 has cell tops at 0, -10, -20 with velocities 1000, 1500, 2000.
BCEQuasiGrid ColumnModel() {
  BCEQuasiGrid g;
  TIniModel m{BCFRect(0, 0, 20, -30), 3, 4, 0, 0, 0, 0, false};
  EXPECT_TRUE(g.Init(m));
  g.VV = {7, 2000, 1500, 1000, 7, 2200, 1700, 1200, 7, 7, 7, 7};
  return g;
}

// Exports append a block per call; the default format; col 0, col Nx and formats that are not
// one conversion of a double refuse without creating a file.
TEST(VelColFiles, ExportAppendsOneBlockPerColumn) {
  ScratchDir dir;
  BCEQuasiGrid g = ColumnModel();
  const std::string file = dir.File("c.txt");
  EXPECT_FALSE(g.ExportVelColToFile(file, 0, "%13.3f"));
  EXPECT_FALSE(g.ExportVelColToFile(file, 3, "%13.3f"));
  for (const char* refused : {"%d", "x"}) EXPECT_FALSE(g.ExportVelColToFile(file, 1, refused));
  EXPECT_EQ(dir.Read("c.txt"), "");
  ASSERT_TRUE(g.ExportVelColToFile(file, 1, "%13.3f"));
  ASSERT_TRUE(g.ExportVelColToFile(file, 2, "%.1e"));
  EXPECT_EQ(dir.Read("c.txt"),
            "X=0.000\n        0.000      1000.000\n      -10.000      1500.000\n"
            "      -20.000      2000.000\n"
            "X=1.0e+01\n0.0e+00 1.2e+03\n-1.0e+01 1.7e+03\n-2.0e+01 2.2e+03\n");
  EXPECT_FALSE(g.ExportVelColToFile(dir.File("no/such/dir.txt"), 1, "%13.3f"));

  // It reads back block by block.
  const std::vector<Block> blocks = ReadAll(dir.Read("c.txt"));
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].z, (std::vector<float>{0, -10, -20}));
  EXPECT_EQ(blocks[0].v, (std::vector<float>{1000, 1500, 2000}));
  EXPECT_EQ(blocks[1].result, vcrOk);
  EXPECT_EQ(blocks[1].pos, vrpEnd);
  EXPECT_EQ(blocks[1].x, 10);
}

// AppendCol refuses an empty profile and profiles of different lengths.
TEST(VelColFiles, AppendColRefusesBadProfiles) {
  ScratchDir dir;
  VCFiler filer(dir.File("c.txt"), vcoWrite);
  ASSERT_TRUE(filer.Opened());
  EXPECT_EQ(filer.NumFormat, "%13.3f");
  EXPECT_FALSE(filer.AppendCol(0, {}, {}));
  EXPECT_FALSE(filer.AppendCol(0, {1, 2}, {1}));
  EXPECT_FALSE(VCFiler(dir.File("none.txt"), vcoRead).Opened());
  EXPECT_FALSE(VCFiler(dir.File("c.txt"), static_cast<VCOperation>(7)).Opened());
}

// Every outcome of ReadNextCol with its LineNo and position.
TEST(VelColFiles, ReadNextColCodesAndLineNumbers) {
  // The result of the last call, LineNo after it, the calls made, the points of the last block
  // and the position after it.
  struct Case {
    const char* comment;
    std::string text;
    int lastResult, lastLineNo;
    size_t blocks, lastPoints;
    VCReadPosition pos;
  };
  const Case cases[] = {
      {"comma only, tab and runs of separators read alike; extra fields ignored; CRLF",
       "X = 5\n0,1\r\n-1\t2\n-2 ,\t 3 x\n", vcrOk, 4, 1, 3, vrpEnd},
      {"an empty file", "", vcrFormat, 1, 1, 0, vrpStart},
      {"a first line without '='", "5\n0 1\n", vcrFormat, 1, 1, 0, vrpStart},
      {"a header without data", "X=1\n", vcrFormat, 1, 1, 0, vrpNext},
      {"a repeated elevation, at its line", "X=1\n0 1\n0 2\n", vcrElevation, 3, 1, 1, vrpNext},
      {"a velocity of 0", "X=1\n0 1\n-1 0\n", vcrVelocity, 3, 1, 1, vrpNext},
      {"a data line of one field", "X=1\n0 1\n-1\n", vcrFormat, 3, 1, 1, vrpNext},
      {"an empty line ends the data", "X=1\n0 1\n\nX=2\n0 1\n", vcrOk, 3, 1, 1, vrpEnd},
      {"a header ending the file is ignored", "X=1\n0 1\nX=2\n", vcrOk, 3, 1, 1, vrpEnd},
      {"a bad header read ahead fails the block before it", "X=1\n0 1\nX=?\n0 1\n", vcrFormat, 3, 1,
       1, vrpNext},
      {"a later block's error, at its line", "X=1\n0 1\nX=2\n0 1\n1 1\n", vcrElevation, 5, 2, 1,
       vrpNext},
      {"a line far too long", "X=1\n0 1" + std::string(70000, ' ') + "\n", vcrFormat, 2, 1, 0,
       vrpNext},
  };
  for (const Case& c : cases) {
    const std::vector<Block> blocks = ReadAll(c.text);
    ASSERT_EQ(blocks.size(), c.blocks) << c.comment;
    const Block& last = blocks.back();
    EXPECT_EQ(last.result, c.lastResult) << c.comment;
    EXPECT_EQ(last.lineNo, c.lastLineNo) << c.comment;
    EXPECT_EQ(last.v.size(), c.lastPoints) << c.comment;
    EXPECT_EQ(last.pos, c.pos) << c.comment;
  }
}

}  // namespace
