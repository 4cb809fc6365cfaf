// The quasigrid tool as a user drives it: a table of commands with their exit status and output.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "support/scratch_dir.h"

namespace {

struct Case {
  std::string args;  // $D stands for the scratch folder
  int status;
  std::string expected;  // a piece of standard output and standard error together
};

std::string Expand(std::string text, const std::string& dir) {
  for (size_t at; (at = text.find("$D")) != std::string::npos;) text.replace(at, 2, dir);
  return text;
}

// Runs the cases in order, each on what the previous ones left in the folder; with oneLine, each
// output must be a single line.
void RunCases(const ScratchDir& dir, const std::vector<Case>& cases, bool oneLine = false) {
  for (const Case& c : cases) {
    const std::string command = std::string(QUASIGRID_CLI) + " " + Expand(c.args, dir.Path());
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    std::string output;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    const int raw = pclose(pipe);
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, c.status) << c.args << "\n" << output;
    EXPECT_NE(output.find(Expand(c.expected, dir.Path())), std::string::npos) << c.args << output;
    EXPECT_TRUE(!oneLine || std::count(output.begin(), output.end(), '\n') == 1) << output;
  }
}

const std::string kNew = "new $D/m --extent 0,100,-50,0 --size 11,6 --velocity 1000,1000,2000,2000";

TEST(Tool, RefusesBadArgumentsWithStatusTwoAndAnswersHelp) {
  ScratchDir dir;
  // Without a known command, the usage follows.
  RunCases(dir, {{"", 2, "usage: quasigrid"}, {"frobnicate", 2, "unknown command 'frobnicate'"}});
  const std::string size = " --size 11,6 --velocity 1,1,2,2";
  RunCases(dir,
           {{"new $D/m" + size, 2, "--extent is required"},
            {"new $D/m --extent 0,100,-50" + size, 2,
             "--extent needs 4 comma-separated numbers, got '0,100,-50'"},
            {"new $D/m --extent 0,100,-50,x" + size, 2, "got '0,100,-50,x'"},
            {"new $D/m --extent 100,0,-50,0" + size, 2, "LEFT < RIGHT"},
            {"new $D/m --extent 0,100,-50,0 --size 1,6 --velocity 1,1,2,2", 2, "at least 2"},
            {"new $D/m --extent 0,100,-50,0 --size 2000,2000 --velocity 1,1,2,2", 2,
             "4000000 nodes exceeds the table limit of 2499999"},
            {kNew + " --colour red", 2, "unknown option --colour"},
            {"copy $D/m", 2, "exactly one of --to-backup and --from-backup"},
            {"info", 2, "needs one folder"},
            {"demo $D/a $D/b", 2, "takes one folder at most"},
            {"picture $D/m --size 0,10", 2, "--size needs WIDTH and HEIGHT between 1 and 8000"}},
           true);
  // Every command answers --help.
  for (const std::string name : {"", "new ", "info ", "copy ", "demo", "picture "})
    RunCases(dir, {{name + " --help", 0, "usage: quasigrid " + name}});
}

TEST(Tool, BuildsDescribesCopiesAndDrawsAModelAndRefusesDamagedFiles) {
  ScratchDir dir;
  RunCases(dir,
           {{kNew, 0, "saved 11 x 6 nodes into $D/m/model.db"},
            {kNew, 1, "$D/m/model.db already exists (use --force to replace it)"},
            {"info $D/m", 0,
             "grid:         11 V-lines x 6 H-lines = 66 nodes, 50 cells\n"
             "extent:       X 0 .. 100, elevation -50 .. 0\nvelocity:     1000 .. 2000\n"},
            {"info $D/m --backup", 1, "no model table $D/m/modelbk.db"},
            {"copy $D/m --to-backup", 0, "copied $D/m/model.db onto $D/m/modelbk.db"},
            {"info $D/m --backup", 0, "11 V-lines x 6 H-lines"},
            {"picture $D/m --size 37,21 --out $D/p.png", 0, "drew $D/p.png (37 x 21 pixels)"}});
  const std::string png = dir.Read("p.png");
  // A 37 x 21 header; rows of 1 filter byte and 37 RGB pixels in one stored deflate block; IEND.
  EXPECT_EQ(png.substr(0, 24),
            std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x25\0\0\0\x15", 24));
  EXPECT_EQ(png.size(), 8u + 25 + 12 + 2 + 5 + 21 * (1 + 37 * 3) + 4 + 12);
  EXPECT_EQ(png.substr(png.size() - 8, 4), "IEND");
  dir.Write("m/model.hor", "2,1,3,4210816,0\n4,2,3,4210816,1003\n");
  RunCases(dir, {{"info $D/m", 0, "horizons:     2"}});
  dir.Write("m/model.hor", "2,1,3,4210816,0\n4,2,3\n");
  RunCases(dir, {{"info $D/m", 1, "horizon 2 is not a horizon string"}});
  dir.Write("m/model.db", "this is not a table");
  RunCases(dir, {{"info $D/m", 1, "$D/m/model.db holds no model that can be loaded"},
                 {"copy $D/m --to-backup", 1, "table store"}});
}

}  // namespace
