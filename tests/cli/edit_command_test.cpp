// Edit scripts through the tool: a script applied and saved once, the dry run, and refusals that
// name the script line and leave the folder as it was.
#include <gtest/gtest.h>

#include <string>

#include "cli/tool_runner.h"

namespace {

// 11 x 6 nodes, X 0..100, elevation -50..0 in rows of 10; row r has velocity 1000 + 250 (r - 1).
const std::string kNew = "new $D/m --extent 0,100,-50,0 --size 11,6 --velocity 1000,1000,2000,2000";

// Splits rows 2..3 into four rows 5 thick, sets them to 1500, continues row 1 of columns 3..4
// down to the bottom and fixes those two top cells.
const std::string kScript =
    "# thicker middle\n"
    "select rows 2..3   # the two rows under the top one\n"
    "\n"
    "double-rows\n"
    "set-velocity 1500\n"
    "select cols 3..4 rows 1\n"
    "continue-down\n"
    "fix\n";

TEST(EditCommand, AppliesAScriptSavesOnceAndRenumbersTheHorizons) {
  ScratchDir dir;
  ASSERT_EQ(RunTool(dir, kNew).status, 0);
  dir.Write("m/model.hor", "2,1,3,4210816,0\n");  // H-line 3, at elevation -20
  dir.Write("e.txt", kScript);
  RunToolCases(dir, {{"edit $D/m $D/e.txt", 0, "applied 6 edits of $D/e.txt; saved 11 x 8 nodes"},
                     {"info $D/m", 0, "11 V-lines x 8 H-lines"},
                     {"info $D/m", 0, "fixed cells:  2\nhorizons:     1"}});
  // The H-line at -20 is now the fourth: -10, -15 and -20 follow the top line.
  EXPECT_EQ(dir.Read("m/model.hor"), "3,1,3,4210816,0\n");
  RunToolCases(dir, {{"sample $D/m --at 5,-12 --at 25,-12 --at 25,-5 --at 5,-45", 0,
                      "5\t-12\t1500\t1\t2\t0\n"      // a split row, set
                      "25\t-12\t1000\t3\t2\t0\n"     // continued down from row 1
                      "25\t-5\t1000\t3\t1\t1\n"      // the fixed top cell
                      "5\t-45\t2000\t1\t7\t0\n"}});  // the bottom row as built
}

TEST(EditCommand, DryRunPrintsEachEditsChangesAndSavesNothing) {
  ScratchDir dir;
  ASSERT_EQ(RunTool(dir, kNew).status, 0);
  dir.Write("e.txt", kScript + "free-all\nselect rows 2..4\nremesh 3 --curve c/curve.txt\n");
  ASSERT_TRUE(RunShell(dir, "mkdir $D/c"));
  dir.Write("c/curve.txt",
            "-12 -12 -12 -12 -12 -12  # one elevation per V-line\n-20 -20 -20 -20 -20\n");
  const std::string before = dir.Read("m/model.db");
  const ToolResult r = RunTool(dir, "edit $D/m $D/e.txt --dry-run");
  EXPECT_EQ(r.status, 0);
  const std::string at = dir.File("e.txt");
  EXPECT_EQ(r.output,
            at + ":2: select: 20 cells selected\n" + at +
                ":4: double-rows: 2 H-lines added, 40 cells selected\n" + at +
                ":5: set-velocity: 30 cells changed velocity\n" + at +
                ":6: select: 2 cells selected\n" + at +
                ":7: continue-velocity-down: 12 cells changed velocity\n" + at +
                ":8: fix-selection: 2 cells fixed\n" + at + ":9: free-all: 2 cells freed\n" + at +
                ":10: select: 30 cells selected\n" + at + ":11: remesh: 22 nodes moved\n" +
                "dry run: 9 edits applied, 11 x 8 nodes; nothing saved\n");
  EXPECT_EQ(dir.Read("m/model.db"), before);
}

TEST(EditCommand, RefusesInOneLineNamingTheScriptLineAndSavesNothing) {
  ScratchDir dir;
  ASSERT_EQ(RunTool(dir, kNew).status, 0);
  dir.Write("last.txt", kScript + "select rows 1\ndouble-rows --min-gap 100\n");
  dir.Write("op.txt", "select\n\n  frobnicate 3  # no such edit\n");
  dir.Write("num.txt", "select\nmove-hline 2 1e39\n");
  dir.Write("args.txt", "modify-velocity --percent 5 --add 1\n");
  dir.Write("curve.txt", "select rows 2..4\nremesh 3 --curve none.txt\n");
  dir.Write("stdin.txt", "select cols 3..99\n");
  RunToolCases(
      dir,
      {// An edit refused on the last line: the table is byte for byte as it was.
       {"edit $D/m $D/last.txt", 1,
        "$D/last.txt:10: double-rows: a selected row is not thicker than twice the min gap 100"},
       // Lines that are no edit, found before any edit runs.
       {"edit $D/m $D/op.txt", 2, "$D/op.txt:3: unknown operation 'frobnicate'"},
       {"edit $D/m $D/num.txt", 2,
        "$D/num.txt:2: move-hline: DZ needs a finite number, got '1e39'"},
       {"edit $D/m $D/args.txt", 2,
        "$D/args.txt:1: modify-velocity: needs either --percent or --add"},
       // Files that cannot be read; the curve file is looked for beside the script.
       {"edit $D/m $D/none.txt", 1, "cannot read $D/none.txt: No such file or directory"},
       {"edit $D/m $D/curve.txt", 1, "$D/curve.txt:2: remesh: cannot read $D/none.txt"},
       {"edit $D/none $D/op.txt", 2, "unknown operation"},
       {"edit $D/none $D/stdin.txt", 1, "no model table $D/none/model.db"},
       // Standard input is named so.
       {"edit $D/m -", 1, "stdin:1: select: columns 3..99 do not lie within 1..10", true,
        "$D/stdin.txt"}});
  dir.Write("good.txt", "select rows 5\nset-velocity 3000\n");
  RunToolCases(
      dir, {{"edit $D/m -", 0, "applied 2 edits of stdin; saved 11 x 6 nodes", true, "$D/good.txt"},
            {"info $D/m", 0, "velocity:     1000 .. 3000"}});
}

TEST(EditCommand, RefusesLinesThatAreNoEditBeforeAnyEditRuns) {
  ScratchDir dir;
  ASSERT_EQ(RunTool(dir, kNew).status, 0);
  const struct {
    const char* line;
    const char* refusal;
  } cases[] = {
      {"select cols 2 cols 3", "select: cols given twice"},
      {"select rows", "select: rows needs a value (select [cols A..B] [rows C..D])"},
      {"select cols 0..2", "select: cols A..B needs whole numbers from 1, got '0..2'"},
      {"select cols 2..x", "select: cols A..B needs whole numbers from 1, got '2..x'"},
      {"double-rows --min-gap", "double-rows: --min-gap needs a value"},
      {"double-rows --gap 1", "double-rows: unknown option '--gap'"},
      {"unselect all", "unselect: unexpected argument 'all' (unselect)"},
      {"move-hline 2", "move-hline: missing DZ (move-hline H DZ [--min-gap G])"},
      {"insert-vlines 2.5", "insert-vlines: N needs a whole number, got '2.5'"},
      {"set-velocity nan", "set-velocity: V needs a finite number, got 'nan'"},
      {"interpolate-between-columns 1 x",
       "interpolate-between-columns: C1 C2 ... needs a whole number, got 'x'"},
      {"remesh 3 --curve-values 1,,2",
       "remesh: --curve-values Z1,Z2,... needs finite numbers separated by commas, got '1,,2'"},
      {"remesh 3", "remesh: needs either --curve or --curve-values"},
  };
  for (const auto& c : cases) {
    // The edit on the first line would be refused when run: the second line is found first.
    dir.Write("s.txt", std::string("set-velocity 1000\n") + c.line + "\n");
    RunToolCases(dir, {{"edit $D/m $D/s.txt", 2, "$D/s.txt:2: " + std::string(c.refusal)}});
  }
}

TEST(EditCommand, InsertsMovesRemovesAndRemeshesWithTheCurveOnTheLine) {
  ScratchDir dir;
  ASSERT_EQ(RunTool(dir, kNew).status, 0);
  dir.Write("s.txt",
            "select cols 3\n"
            "insert-vlines 3 --ratio 2   # 14 V-lines\n"
            "interpolate-between-columns 1 13\n"
            "move-hline 2 -3\n"
            "select rows 2..3\n"
            "remesh 3 --curve-values -20,-20,-21,-22,-23,-24,-25,-26,-24,-22,-20,-20,-20,-20\n"
            "select cols 12..13\n"
            "halve-columns\n"
            "select rows 5\n"
            "delete-selected-lines\n");
  const std::string at = dir.File("s.txt");
  const ToolResult r = RunTool(dir, "edit $D/m $D/s.txt --dry-run");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.output, at + ":1: select: 5 cells selected\n" + at +
                          ":2: insert-vlines: 3 V-lines added, 20 cells selected\n" + at +
                          ":3: interpolate-between-columns: nothing changed\n" + at +
                          ":4: move-hline: 14 nodes moved\n" + at +
                          ":5: select: 26 cells selected\n" + at + ":6: remesh: 8 nodes moved\n" +
                          at + ":7: select: 10 cells selected\n" + at +
                          ":8: halve-columns: 1 V-line removed, 5 cells selected\n" + at +
                          ":9: select: 12 cells selected\n" + at +
                          ":10: delete-selected-lines: 1 H-line removed, selection cleared\n" +
                          "dry run: 10 edits applied, 13 x 5 nodes; nothing saved\n");
  // A horizon file that cannot be written keeps the table as it was.
  dir.Write("m/model.hor", "1,1,3,0,0\n");
  ASSERT_TRUE(RunShell(dir, "mkdir $D/m/model.hor.part"));
  RunToolCases(dir, {{"edit $D/m $D/s.txt", 1, "cannot write $D/m/model.hor.part"}});
}

}  // namespace

// The fields a tomography run wrote beside the model stay while the grid keeps its size, and the
// tool says so when an edit changes the size and they cannot.
TEST(EditCommand, KeepsTheHostFieldsWhileTheGridKeepsItsSize) {
  ScratchDir dir;
  ASSERT_EQ(RunTool(dir, kNew).status, 0);
  ASSERT_TRUE(RunShell(dir, "sqlite3 $D/m/model.db 'update model set RayCov = RecNo, V2 = 7'"));
  dir.Write("v.txt", "select cols 2 rows 2\nset-velocity 1500\n");
  dir.Write("d.txt", "select rows 2\ndouble-rows\n");
  const std::string sums = "sqlite3 $D/m/model.db 'select sum(RayCov), sum(V2) from model' > $D/s";
  RunToolCases(dir, {{"edit $D/m $D/v.txt", 0, "saved 11 x 6 nodes"}});
  ASSERT_TRUE(RunShell(dir, sums));
  EXPECT_EQ(dir.Read("s"), "2145.0|462.0\n");
  RunToolCases(dir, {{"edit $D/m $D/d.txt", 0,
                      "saved 11 x 7 nodes into $D/m/model.db\n"
                      "the grid changed size, so RayCov, V2 could not be kept\n"}});
}
