// The exchange files through the tool: an import that checks before it writes, and exports.
#include <gtest/gtest.h>

#include <string>

#include "cli/tool_runner.h"

namespace {

// Three V-lines of four nodes each, as the VFT file lays them out.
std::string ThreeByFourVft() {
  std::string text;
  char line[96];
  int k = 0;
  for (int c = 0; c < 3; ++c) {
    for (int r = 0; r < 4; ++r, ++k) {
      std::snprintf(line, sizeof line, "%9d     %12.3f     %12.3f     %12.3f\n", k, c * 50.0,
                    -30 + r * 10.0, 1000 + r * 100.0);
      text += line;
    }
  }
  return text;
}

TEST(ToolExchange, ImportsAVftFileOnlyWhenItIsAQuasiGrid) {
  ScratchDir dir;
  dir.Write("m.vft", ThreeByFourVft());
  std::string moved = ThreeByFourVft();
  moved.replace(moved.find("50.000"), 6, "49.000");  // the second V-line's bottom node
  dir.Write("moved.vft", moved);
  dir.Write("short.vft", "0 0 0\n");
  RunToolCases(dir, {{"import-vft $D/m.vft $D/a", 0, "imported 3 x 4 nodes from $D/m.vft"},
                     {"info $D/a", 0, "X 0 .. 100, elevation -30 .. 0"},
                     {"import-vft $D/m.vft $D/a", 1, "holds a model (use --force"},
                     {"import-vft $D/moved.vft $D/a --force", 1, "moved.vft: line 6: X differs"},
                     {"import-vft $D/short.vft $D/b", 1, "short.vft: line 1: not a VFT line"},
                     {"import-vft $D/none.vft $D/b", 1, "none.vft: no such file"},
                     {"import-vft $D/m.vft $D/a --force", 0, "imported"}});
}

TEST(ToolExchange, ExportsTheExchangeFilesAndReadsThemBack) {
  ScratchDir dir;
  RunToolCases(
      dir,
      {{"new $D/m --extent 0,100,-50,0 --size 3,3 --velocity 1000,1000,2000,2000", 0, "saved"},
       {"export $D/m --vft $D/m.vft --dat $D/m.dat --vel $D/m.vel --velcol $D/m.col", 0,
        "wrote $D/m.col"},
       {"export $D/m --fix $D/m.fix", 1, "no fixed cells"},
       {"export $D/m --backup --vft $D/b.vft", 2, "leave out --backup"},
       {"import-vft $D/m.vft $D/n", 0, "imported 3 x 3 nodes"},
       {"import-velcol $D/m.col $D/n", 0, "rebuilt the velocities"},
       {"import-velcol $D/m.col $D/n --column 3", 2, "--column needs a cell column 1..2"}});
  EXPECT_EQ(dir.Read("m.dat").substr(0, 12), "\"X\",\"Z\",\"V\"\n");
  EXPECT_EQ(dir.Read("m.vft").substr(0, 60),
            "        0            0.000          -50.000         2000.000");
  EXPECT_EQ(dir.Read("m.col").substr(0, 8), "X=0.000\n");
  // The imported copy describes as the original does.
  const ToolResult original = RunTool(dir, "info $D/m"), copy = RunTool(dir, "info $D/n");
  EXPECT_EQ(original.output.substr(original.output.find("grid:")),
            copy.output.substr(copy.output.find("grid:")));
}

}  // namespace
