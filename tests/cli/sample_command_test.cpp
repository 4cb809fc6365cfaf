// The sample command: the cell under each point, and refusals of bad points.
#include <gtest/gtest.h>

#include <string>

#include "cli/tool_runner.h"

namespace {

TEST(SampleCommand, PrintsTheCellUnderEachPointInOrder) {
  ScratchDir dir;
  // Rows of 10 from the top, velocities 1000, 1250, ..., 2000.
  ASSERT_EQ(RunTool(dir, "new $D/m --extent 0,100,-50,0 --size 11,6 --velocity 1000,1000,2000,2000")
                .status,
            0);
  // A vertical profile (x need not ascend), comments, a blank line, points on and off the edges.
  dir.Write("p.txt", "# x z\n50 -20\n50 -49.5\n\n0 0   # top-left corner\n-1 -10\n100 -10\n");
  RunToolCases(dir, {{"sample $D/m --at 55,-25 --points $D/p.txt", 0,
                      "55\t-25\t1500\t6\t3\t0\n"
                      "50\t-20\t1500\t6\t3\t0\n"
                      "50\t-49.5\t2000\t6\t5\t0\n"
                      "0\t0\t1000\t1\t1\t0\n"
                      "-1\t-10\toutside\n"
                      "100\t-10\toutside\n"},
                     {"sample $D/m", 2, "give points with --at X,Z or --points"},
                     {"sample $D/m --at 1", 2, "--at needs 2 comma-separated numbers, got '1'"},
                     {"sample $D/m --points $D/none.txt", 1, "cannot read $D/none.txt"},
                     {"sample $D/none --at 1,1", 1, "no model table $D/none/model.db"}});
  dir.Write("bad.txt", "1 2\n3 x\n");
  RunToolCases(dir, {{"sample $D/m --points $D/bad.txt", 1,
                      "$D/bad.txt line 2: 'x' is not a finite number"}});
}

}  // namespace
