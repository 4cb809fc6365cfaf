// The tool's export and import commands: files for other programs, and refusals that leave the
// model folder as it was.
#include <gtest/gtest.h>

#include <string>

#include "cli/tool_runner.h"

namespace {

const std::string kNew = "new $D/m --extent 0,100,-50,0 --size 11,6 --velocity 1000,1000,2000,2000";

TEST(ToolFormats, ExportsEveryFormatAndRefusesWhatItCannotWrite) {
  ScratchDir dir;
  RunToolCases(
      dir,
      {{kNew, 0, "saved 11 x 6 nodes"},
       {"export $D/m", 2,
        "name at least one file to write: --vft, --dat, --vel, --fix, --velcol, --vtu"},
       {"export $D/m --grid $D/g.nc", 2, "--grid needs --spacing DX,DZ"},
       {"export $D/m --smesh $D/a --smesh-air 1e99", 2, "--smesh-air needs 1"},
       {"export $D/m --grid $D/a --spacing 1,1 --sample edge", 2,
        "--sample: edge not in {cell,node}"},
       {"export $D/none --xyz $D/a", 1, "no model table $D/none/model.db"},
       {"export $D/m --xyz $D/m", 1, "cannot write $D/m: it is a folder"},
       {"export $D/m --xyz $D/a.txt --vtu $D/a.vtu --grid $D/a.nc --spacing 10,5 --sample node "
        "--smesh $D/a.smesh",
        0, "wrote $D/a.vtu\nwrote $D/a.nc\nwrote $D/a.txt\nwrote $D/a.smesh\n"}});
  EXPECT_EQ(dir.Read("a.txt").substr(0, 32), "0 -50 2000\n0 -40 2000\n0 -30 1750");
  // A regular grid has common offsets; its straight bottom line is left out like an added one.
  EXPECT_EQ(dir.Read("a.smesh").substr(0, 13), "11 5 1.5 0.33");
  ASSERT_TRUE(RunShell(dir, "sqlite3 $D/m/model.db 'update model set Z = Z * (1 + X / 200)'"));
  RunToolCases(dir, {{"export $D/m --smesh $D/b.smesh", 1,
                      "cannot write $D/b.smesh as a sheared mesh: the nodes do not lie"}});
}

TEST(ToolFormats, SmeshImportThenExportGivesTheSameText) {
  const char* const mesh =
      "3 3 1.5 0.33\n0 2 4.5\n0 0.5 0.25\n0 1 3\n1.5 2 4\n1.75 2.25 4.5\n1.75 2.25 4.5\n";
  ScratchDir dir;
  dir.Write("mesh.txt", mesh);
  RunToolCases(dir, {{"import-smesh $D/mesh.txt $D/s", 0,
                      "imported $D/mesh.txt: 3 x 4 nodes into $D/s/model.db\n"
                      "added a straight bottom H-line at elevation -5.5 under the mesh\n"},
                     {"export $D/s --smesh $D/back.txt", 0, "wrote $D/back.txt"},
                     {"import-smesh $D/mesh.txt $D/s", 1, "holds a model (use --force"},
                     {"import-smesh $D/missing.txt $D/s --force", 1,
                      "cannot read $D/missing.txt: No such file or directory"},
                     {"import-smesh $D/mesh.txt $D/k --scale-units", 0, "3 x 4 nodes"},
                     {"info $D/k", 0, "extent:       X 0 .. 4500, elevation -5500 .. 0"}});
  EXPECT_EQ(dir.Read("back.txt"), mesh);
}

TEST(ToolFormats, LayeredImportWritesHorizonsAndRefusesAtTheLine) {
  ScratchDir dir;
  dir.Write("two.in",
            " 1   0.00  10.00\n 0   0.00   0.00\n         0      0\n"
            " 1   0.00  10.00\n 0   2.00   3.00\n         0      0\n"
            " 1   0.00\n 0   0.00\n         0\n"
            " 2   0.00  10.00\n 0   1.00   3.00\n         0      0\n"
            " 2   0.00\n 0   0.00\n         0\n"
            " 2   0.00\n 0   5.00\n         0\n"
            " 3   0.00  10.00\n 0   2.00   2.00\n");
  dir.Write("bad.in", " 1   0.00  10.00\n 0   0.00    150\n");
  RunToolCases(dir, {{"import-layered $D/two.in $D/l --rows-per-layer 1", 0,
                      "imported $D/two.in: 2 x 5 nodes into $D/l/model.db\n"
                      "2 layers, horizon k on the bottom of layer k\n"
                      "layers pinch out at 1 of 2 V-lines: H-lines kept 0.001 apart there\n"},
                     {"import-layered $D/bad.in $D/l --force", 1, "$D/bad.in line 2: field 2"},
                     {"import-layered $D/two.in $D/l --force --min-gap 0", 2,
                      "--min-gap needs a number above 0"}});
  EXPECT_EQ(dir.Read("l/model.hor"), "2,1,3,4210816,0\n4,2,3,4210816,0\n");
}

}  // namespace
