// The quasigrid tool as a user drives it: arguments, refusals, and the files before and after.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "cli/tool_runner.h"

namespace {

const std::string kNew = "new $D/m --extent 0,100,-50,0 --size 11,6 --velocity 1000,1000,2000,2000";

TEST(Tool, RefusesBadArgumentsInOneLineWithStatusTwoAndTouchesNothing) {
  ScratchDir dir;
  const std::string size = " --size 11,6 --velocity 1,1,2,2";
  const std::string extent = "new $D/m --extent 0,100,-50,0 --size 11,6 --velocity ";
  RunToolCases(
      dir, {{"", 2, "A subcommand is required"},
            {"frobnicate", 2, "unknown command 'frobnicate'"},
            {"info $D/m --json-pretty", 2, "not expected: --json-pretty"},
            {"new $D/m" + size, 2, "--extent is required"},
            {"new $D/m --extent 0,100,-50" + size, 2,
             "--extent needs 4 comma-separated numbers, got '0,100,-50'"},
            {"new $D/m --extent 0,100,-50,x" + size, 2, "got '0,100,-50,x'"},
            {"new $D/m --extent 0,100,-50,inf" + size, 2, "got '0,100,-50,inf'"},
            {"new $D/m --extent 100,0,-50,0" + size, 2, "LEFT < RIGHT"},
            {"new $D/m --extent 0,100,-50,0 --extent 0,10,-5,0" + size, 2,
             "--extent: given more than once"},
            {extent + "-5,1,1,1", 2, "--velocity needs values above 0 and at most 100000"},
            {extent + "0,0,0,0", 2, "got '0,0,0,0'"},
            {extent + "1e9,1,1,1", 2, "got '1e9,1,1,1'"},
            {extent + "nan,1,1,1", 2, "got 'nan,1,1,1'"},
            {"new $D/m --extent 0,100,-50,0 --size 1,6 --velocity 1,1,2,2", 2, "at least 2"},
            {"new $D/m --extent 0,100,-50,0 --size 2500,1000 --velocity 1,1,2,2", 2,
             "2500000 nodes exceeds the table limit of 2499999 nodes"},
            {"copy $D/m", 2, "exactly one of --to-backup and --from-backup"},
            {"copy $D/m --to-backup --from-backup", 2, "--to-backup excludes --from-backup"},
            {"info", 2, "DIR is required"},
            {"demo $D/a $D/b", 2, "not expected"},
            {"picture $D/m --size 0,10", 2, "--size needs WIDTH and HEIGHT between 16 and 8000"}});
  // Version and help: status 0; every command answers --help.
  RunToolCases(dir, {{"--version", 0, "quasigrid 0.1.0\n"}});
  for (const std::string name : {"new", "demo", "info", "check", "copy", "picture"})
    RunToolCases(dir, {{name + " --help", 0, "Usage: quasigrid " + name}});
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
                     {"picture $D/m --colormap rainbow", 2, "no colour map 'rainbow'"},
                     {"picture $D/m --range 5,1", 2, "--range needs VMIN < VMAX"},
                     {"demo $D/m", 1, "$D/m/model.db holds a model (use --force to replace it)"}});
  EXPECT_NE(dir.Read("p.svg").find(">Velocity (km/s)<"), std::string::npos);
  // A PNG on standard output, for pipes.
  const ToolResult png = RunTool(dir, "picture $D/m -o -");
  EXPECT_EQ(png.status, 0);
  EXPECT_EQ(png.output.substr(1, 3), "PNG");
  dir.Write("m/model.hor", "2,1,3,4210816,0\n4,2,3,4210816,1003\n");
  const ToolResult info = RunTool(dir, "info $D/m --json");
  ASSERT_EQ(info.status, 0) << info.output;
  const nlohmann::json j = nlohmann::json::parse(info.output);
  EXPECT_EQ(j["nx"], 11);
  EXPECT_EQ(j["nz"], 6);
  EXPECT_EQ(j["extent"]["bottom"], -50.0);
  EXPECT_EQ(j["velocity"]["max"], 2000.0);
  EXPECT_EQ(j["horizons"].size(), 2u);
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
  RunToolCases(
      dir, {{kNew, 0, "saved"},
            // V-lines 0.0083 apart in an X range whose resolution is 0.01: they would merge.
            {"new $D/d1 --extent 0,1000,-200,0 --size 120000,2 --velocity 1500,1500,8000,8000", 2,
             "within the X resolution 0.01"},
            // Float cannot tell 10000000.5 from its neighbours: the good model stays.
            {"new $D/m --force --extent 10000000,10000001,-1,0 --size 3,3 --velocity 1,1,2,2", 2,
             "would not load back"},
            {"info $D/m", 0, "11 V-lines x 6 H-lines"}});
}

// The ways a table can be damaged, each made through SQLite on a good model.
struct Damage {
  const char* sql;
  const char* reported;  // a piece of the problem check reports
};

TEST(Tool, CheckListsEveryDamageWithItsRecordAndInfoRefusesWhatDoesNotLoad) {
  const Damage damages[] = {
      {"update model set Z = NULL where rowid = 8", "record 8"},
      {"update model set V = 'fast' where rowid = 9", "record 9"},
      {"update model set X = 1000 where rowid = 13", "record 13"},
      {"delete from model where rowid = 66", "node"},
      {"update model set Z = 5 where rowid = 3", "record 3"},
      {"alter table model add column Extra real", "does not have the columns RecNo, X"},
  };
  for (const Damage& d : damages) {
    ScratchDir dir;
    ASSERT_EQ(RunTool(dir, kNew).status, 0);
    ASSERT_TRUE(RunShell(dir, "sqlite3 $D/m/model.db \"" + std::string(d.sql) + "\""));
    const ToolResult check = RunTool(dir, "check $D/m");
    EXPECT_EQ(check.status, 1) << d.sql << "\n" << check.output;
    EXPECT_NE(check.output.find(d.reported), std::string::npos) << d.sql << "\n" << check.output;
    const ToolResult info = RunTool(dir, "info $D/m");
    // Either a refusal that names the table, or a description with a warning line.
    EXPECT_NE(info.output.find(info.status == 0 ? "warning:" : "m/model.db"), std::string::npos)
        << d.sql << "\n"
        << info.output;
  }
  ScratchDir dir;
  ASSERT_EQ(RunTool(dir, kNew).status, 0);
  dir.Write("m/model.hor", "2,1,3,4210816,0\n2,2,3,4210816,0\n9,3,3,4210816,0\n");
  const ToolResult check = RunTool(dir, "check $D/m");
  EXPECT_EQ(check.status, 1);
  EXPECT_NE(check.output.find("model.hor line 2"), std::string::npos) << check.output;
  EXPECT_NE(check.output.find("model.hor line 3"), std::string::npos) << check.output;
}

TEST(Tool, ReplacesDamagedTablesOnlyWhenForcedAndKeepsThemAside) {
  const char* kinds[] = {
      "head -c 3000 /dev/urandom > $D/m/model.db",                          // random bytes
      "head -c 1000 $D/good/model.db > $D/m/model.db",                      // truncated
      "rm $D/m/model.db && sqlite3 $D/m/model.db 'create table other(a)'",  // foreign database
      "rm $D/m/model.db && mkdir $D/m/model.db",                            // a folder
  };
  for (const char* damage : kinds) {
    ScratchDir dir;
    ASSERT_EQ(
        RunTool(dir, "new $D/good --extent 0,100,-50,0 --size 11,6 --velocity 1,1,2,2").status, 0);
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
  const std::string backup = dir.Read("m/modelbk.db");
  RunToolCases(dir, {{"copy $D/m --to-backup", 1, "$D/m/model.db"}});
  EXPECT_EQ(dir.Read("m/modelbk.db"), backup);
  // The good backup restores the damaged main table, which is kept aside.
  RunToolCases(dir, {{"copy $D/m --from-backup", 0, "copied $D/m/modelbk.db onto $D/m/model.db"},
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
