// The exchange files through the tool: exports read back, and an import that checks before it
// writes.
#include <gtest/gtest.h>

#include <string>

#include "cli/tool_runner.h"

namespace {

TEST(ToolExchange, ExportsTheExchangeFilesAndImportsOnlyAQuasiGrid) {
  ScratchDir dir;
  RunToolCases(
      dir, {{"new $D/m --extent 0,100,-50,0 --size 3,3 --velocity 1000,1000,2000,2000", 0, "saved"},
            {"export $D/m --vft $D/m.vft --dat $D/m.dat --vel $D/m.vel --velcol $D/m.col", 0,
             "wrote $D/m.col"},
            {"export $D/m --fix $D/m.fix", 1, "no fixed cells"},
            {"export $D/m --backup --vft $D/b.vft", 2, "leave out --backup"},
            {"import-vft $D/m.vft $D/n", 0, "imported 3 x 3 nodes from $D/m.vft"},
            {"import-vft $D/m.vft $D/n", 1, "holds a model (use --force"},
            {"import-velcol $D/m.col $D/n", 0, "rebuilt the velocities"},
            {"import-velcol $D/m.col $D/n --column 3", 2, "--column needs a cell column 1..2"}});
  // The imported copy describes as the original does.
  const ToolResult original = RunTool(dir, "info $D/m"), copy = RunTool(dir, "info $D/n");
  EXPECT_EQ(original.output.substr(original.output.find("grid:")),
            copy.output.substr(copy.output.find("grid:")));
  // The bottom node of the second V-line moved off its line: no quasi-grid.
  std::string moved = dir.Read("m.vft");
  moved.replace(moved.find(" 50.000"), 7, " 49.000");
  dir.Write("moved.vft", moved);
  RunToolCases(dir, {{"import-vft $D/moved.vft $D/n --force", 1, "moved.vft: line 5: X differs"},
                     {"import-vft $D/none.vft $D/k", 1, "none.vft: no such file"}});
}

}  // namespace
