// The quasigrid tool as a user drives it: arguments, refusals, and the files before and after.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

#include "cli/tool_runner.h"

namespace {

const std::string kNew = "new $D/m --extent 0,100,-50,0 --size 11,6 --velocity 1000,1000,2000,2000";

TEST(Tool, RefusesBadArgumentsInOneLineWithStatusTwoAndTouchesNothing) {
  ScratchDir dir;
  const std::string extent = "new $D/m --extent 0,100,-50,0 --size 11,6 --velocity ";
  RunToolCases(
      dir, {{"", 2, "A subcommand is required"},
            {"frobnicate", 2, "unknown command 'frobnicate'"},
            {"info $D/m --json-pretty", 2, "not expected: --json-pretty"},
            {"new $D/m --size 11,6 --velocity 1,1,2,2", 2, "--extent is required"},
            {"new $D/m --extent 0,100,-50,inf --size 11,6 --velocity 1,1,2,2", 2,
             "--extent needs 4 comma-separated numbers, got '0,100,-50,inf'"},
            {"new $D/m --extent 100,0,-50,0 --size 11,6 --velocity 1,1,2,2", 2, "LEFT < RIGHT"},
            {extent + "1,1,2,2 --extent 0,10,-5,0", 2, "--extent: given more than once"},
            {extent + "1e9,1,1,1", 2, "--velocity needs values above 0 and at most 100000"},
            {"new $D/m --extent 0,100,-50,0 --size 2500,1000 --velocity 1,1,2,2", 2,
             "2500000 nodes exceeds the table limit of 2499999 nodes"},
            {"copy $D/m", 2, "exactly one of --to-backup and --from-backup"},
            {"picture $D/m --size 0,10", 2, "--size needs WIDTH and HEIGHT between 16 and 8000"},
            {"--version", 0, "quasigrid 0.1.0\n"},
            {"picture --help", 0, "Usage: quasigrid picture"}});
}

TEST(Tool, BuildsDescribesChecksCopiesAndDrawsAModel) {
  ScratchDir dir;
  RunToolCases(dir, {{kNew, 0, "saved 11 x 6 nodes into $D/m/model.db"},
                     {kNew, 1, "$D/m/model.db holds a model (use --force to replace it)"},
                     {"info $D/m", 0,
                      "grid:         11 V-lines x 6 H-lines = 66 nodes, 50 cells\n"
                      "extent:       X 0 .. 100, elevation -50 .. 0\nvelocity:     1000 .. 2000\n"},
                     {"check $D/m", 0, "$D/m/model.db: no problems"},
                     {"info $D/m --backup", 1, "no model table $D/m/modelbk.db"},
                     {"copy $D/m --to-backup", 0, "copied $D/m/model.db onto $D/m/modelbk.db"},
                     {"info $D/m --backup", 0, "11 V-lines x 6 H-lines"},
                     {"picture $D/m --size 370,210 -o $D/p.svg --units km", 0, "drew $D/p.svg"},
                     {"picture $D/m -o $D/p.jpg", 2, "must end in .png, .svg or .pdf"},
                     {"demo $D/m", 1, "$D/m/model.db holds a model (use --force to replace it)"}});
  // A PNG on standard output, for pipes.
  const ToolResult png = RunTool(dir, "picture $D/m -o -");
  EXPECT_EQ(png.status, 0);
  EXPECT_EQ(png.output.substr(1, 3), "PNG");
  dir.Write("m/model.hor", "2,1,3,4210816,0\n4,2,3,4210816,1003\n");
  const ToolResult info = RunTool(dir, "info $D/m --json");
  ASSERT_EQ(info.status, 0) << info.output;
  const nlohmann::json j = nlohmann::json::parse(info.output);
  EXPECT_EQ(j["extent"]["bottom"], -50.0);
  EXPECT_EQ(j["horizons"][1]["hline"], 5);  // 1-based, as users count
  EXPECT_TRUE(j["problems"].empty());
  // A new main model starts without the old horizons, which no longer fit a grid of 3 H-lines.
  RunToolCases(dir, {{"new $D/m --force --extent 0,10,-5,0 --size 11,3 --velocity 1,1,2,2", 0,
                      "saved 11 x 3"},
                     {"info $D/m", 0, "horizons:     0"}});
  EXPECT_FALSE(RunShell(dir, "test -e $D/m/model.hor"));
}

TEST(Tool, SavesOnlyModelsThatLoadBackAsTheSameGrid) {
  ScratchDir dir;
  // Float cannot tell 10000000.5 from its neighbours: the good model stays.
  RunToolCases(
      dir, {{kNew, 0, "saved"},
            {"new $D/m --force --extent 10000000,10000001,-1,0 --size 3,3 --velocity 1,1,2,2", 2,
             "would not load back"}});
}

TEST(Tool, CheckListsEveryProblemOnItsOwnLineAndInfoWarnsOrRefuses) {
  ScratchDir dir;
  ASSERT_EQ(RunTool(dir, kNew).status, 0);
  ASSERT_TRUE(
      RunShell(dir, "sqlite3 $D/m/model.db \"update model set V = 'fast' where rowid = 9\""));
  dir.Write("m/model.hor", "2,1,3,4210816,0\n2,2,3,4210816,0\n");
  const ToolResult check = RunTool(dir, "check $D/m");
  EXPECT_EQ(check.status, 1);
  for (const char* problem : {"record 9", "model.hor line 2", "2 problems found"})
    EXPECT_NE(check.output.find(problem), std::string::npos) << problem << "\n" << check.output;
  // Either a refusal that names the table, or a description with a warning line.
  ASSERT_TRUE(RunShell(dir, "rm $D/m/model.hor"));
  const ToolResult info = RunTool(dir, "info $D/m");
  EXPECT_NE(info.output.find(info.status == 0 ? "warning:" : "m/model.db"), std::string::npos)
      << info.output;
  ASSERT_TRUE(RunShell(dir, "sqlite3 $D/m/model.db 'alter table model add column Extra real'"));
  RunToolCases(dir, {{"check $D/m", 1, "does not have the columns RecNo, X", false},
                     {"info $D/m", 1, "$D/m/model.db"}});
}

TEST(Tool, ReplacesDamagedTablesOnlyWhenForcedAndKeepsThemAside) {
  for (const char* damage : {
           "head -c 3000 /dev/urandom > $D/m/model.db",                          // random bytes
           "rm $D/m/model.db && sqlite3 $D/m/model.db 'create table other(a)'",  // foreign database
           "rm $D/m/model.db && mkdir $D/m/model.db",                            // a folder
       }) {
    ScratchDir dir;
    ASSERT_EQ(RunTool(dir, kNew).status, 0);
    ASSERT_TRUE(RunShell(dir, damage)) << damage;
    RunToolCases(
        dir, {{kNew, 1, "use --force to replace it"},
              {"info $D/m", 1, "$D/m/model.db"},
              {kNew + " --force", 0, "moved the damaged $D/m/model.db to $D/m/model.db.damaged"},
              {"info $D/m", 0, "11 V-lines x 6 H-lines"}});
    EXPECT_TRUE(RunShell(dir, "test -e $D/m/model.db.damaged")) << damage;
  }
}

TEST(Tool, CopyNeverReplacesATableWithOneThatDoesNotLoad) {
  ScratchDir dir;
  RunToolCases(dir, {{kNew, 0, "saved"}, {"copy $D/m --to-backup", 0, "copied"}});
  ASSERT_TRUE(RunShell(dir, "sqlite3 $D/m/model.db 'delete from model where rowid = 66'"));
  // The refusal leaves the backup as it was (RunToolCases compares the folder).
  RunToolCases(dir, {{"copy $D/m --to-backup", 1, "$D/m/model.db"},
                     {"copy $D/m --from-backup", 0, "copied $D/m/modelbk.db onto $D/m/model.db"},
                     {"info $D/m", 0, "11 V-lines x 6 H-lines"}});
}

TEST(Tool, AHorizonFileThatCannotBeReadIsAnErrorForEveryCommand) {
  ScratchDir dir;
  RunToolCases(dir, {{kNew, 0, "saved"}, {"copy $D/m --to-backup", 0, "copied"}});
  ASSERT_TRUE(RunShell(dir, "mkdir $D/m/model.hor"));
  RunToolCases(dir, {{"info $D/m", 1, "$D/m/model.hor"},
                     {"check $D/m", 1, "$D/m/model.hor", false},
                     {"picture $D/m", 1, "$D/m/model.hor"},
                     {kNew + " --force", 1, "$D/m/model.hor"},
                     {"copy $D/m --from-backup", 1, "$D/m/model.hor"}});
}

TEST(Tool, HugeLinesAndExtremeModelsAreRefusedOrDrawnWithoutHarm) {
  ScratchDir dir;
  ASSERT_EQ(RunTool(dir, kNew).status, 0);
  // A 70 MB line is refused at its line number without being split.
  dir.Write("m/model.hor", std::string(35000000, '1') + std::string(35000000, ',') + "\n");
  RunToolCases(dir, {{"info $D/m", 1, "model.hor line 1"}});
  // All elevations equal, with a horizon; then velocities at the float limits.
  dir.Write("m/model.hor", "2,1,3,4210816,0\n");
  ASSERT_TRUE(RunShell(dir, "sqlite3 $D/m/model.db 'update model set Z = 0'"));
  for (const std::string sql : {"", "update model set V = 3e38 where rowid % 2 = 0",
                                "update model set V = -3e38 where rowid % 2 = 1"}) {
    if (!sql.empty()) {
      ASSERT_TRUE(RunShell(dir, "sqlite3 $D/m/model.db '" + sql + "'"));
    }
    const ToolResult r = RunTool(dir, "picture $D/m --size 400,200 -o $D/p.png");
    EXPECT_TRUE(r.status == 0 || r.status == 1) << sql << r.output;
  }
}

}  // namespace
