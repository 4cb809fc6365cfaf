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

}  // namespace
