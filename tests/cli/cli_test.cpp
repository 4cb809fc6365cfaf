// The quasigrid tool as a user drives it: a table of commands with their exit status and output.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "support/scratch_dir.h"

namespace {

struct Run {
  int status;
  std::string output;  // standard output and standard error together
};

Run Tool(const std::string& args) {
  std::string command = std::string(QUASIGRID_CLI) + " " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  Run run{-1, ""};
  if (!pipe) return run;
  std::array<char, 4096> buffer;
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    run.output.append(buffer.data(), n);
  int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

struct Case {
  const char* args;  // $D stands for the scratch folder
  int status;
  const char* expected;  // a piece of the output
};

std::string Expand(const std::string& args, const std::string& dir) {
  std::string out = args;
  for (size_t at = out.find("$D"); at != std::string::npos; at = out.find("$D"))
    out.replace(at, 2, dir);
  return out;
}

// Runs the cases in order, each on the state the previous ones left in the folder.
void RunCases(const ScratchDir& dir, std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    Run run = Tool(Expand(c.args, dir.Path()));
    EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.output;
    EXPECT_NE(run.output.find(Expand(c.expected, dir.Path())), std::string::npos) << c.args << "\n"
                                                                                  << run.output;
  }
}

constexpr const char* kModel = "--extent 0,100,-50,0 --size 11,6 --velocity 1000,1000,2000,2000";

TEST(Tool, RefusesBadArgumentsWithOneLineAndStatusTwo) {
  ScratchDir dir;
  RunCases(
      dir,
      {
          {"", 2, "usage: quasigrid"},
          {"frobnicate", 2, "unknown command 'frobnicate'"},
          {"new $D/m --size 11,6 --velocity 1,1,2,2", 2, "--extent is required"},
          {"new $D/m --extent 0,100,-50 --size 11,6 --velocity 1,1,2,2", 2,
           "--extent needs 4 comma-separated numbers, got '0,100,-50'"},
          {"new $D/m --extent 0,100,-50,x --size 11,6 --velocity 1,1,2,2", 2, "got '0,100,-50,x'"},
          {"new $D/m --extent 100,0,-50,0 --size 11,6 --velocity 1,1,2,2", 2, "LEFT < RIGHT"},
          {"new $D/m --extent 0,100,-50,0 --size 1,6 --velocity 1,1,2,2", 2, "at least 2"},
          {"new $D/m --extent 0,100,-50,0 --size 2000,2000 --velocity 1,1,2,2", 2,
           "4000000 nodes exceeds the table limit of 2499999"},
          {"new $D/m --extent 0,100,-50,0 --size 11,6 --velocity 1,1,2,2 --colour red", 2,
           "unknown option --colour"},
          {"copy $D/m", 2, "exactly one of --to-backup and --from-backup"},
          {"info", 2, "needs one folder"},
          {"picture $D/m --size 0,10", 2, "--size needs WIDTH and HEIGHT between 1 and 8000"},
      });
}

TEST(Tool, EveryCommandAnswersHelp) {
  ScratchDir dir;
  RunCases(dir, {
                    {"--help", 0, "commands:"},
                    {"new --help", 0, "usage: quasigrid new DIR"},
                    {"info --help", 0, "usage: quasigrid info DIR"},
                    {"copy --help", 0, "usage: quasigrid copy DIR"},
                    {"demo --help", 0, "usage: quasigrid demo"},
                    {"picture --help", 0, "usage: quasigrid picture DIR"},
                });
}

TEST(Tool, BuildsDescribesAndCopiesAModel) {
  ScratchDir dir;
  std::string model = std::string("new $D/m ") + kModel;
  RunCases(dir, {
                    {model.c_str(), 0, "saved 11 x 6 nodes into $D/m/model.db"},
                    {model.c_str(), 1, "$D/m/model.db already exists (use --force to replace it)"},
                    {"info $D/m", 0, "grid:         11 V-lines x 6 H-lines = 66 nodes, 50 cells"},
                    {"info $D/m", 0, "extent:       X 0 .. 100, elevation -50 .. 0"},
                    {"info $D/m", 0, "velocity:     1000 .. 2000"},
                    {"info $D/m", 0, "horizons:     0"},
                    {"info $D/m --backup", 1, "no model table $D/m/modelbk.db"},
                    {"copy $D/m --to-backup", 0, "copied $D/m/model.db onto $D/m/modelbk.db"},
                    {"info $D/m --backup", 0, "11 V-lines x 6 H-lines"},
                    {"info $D/nothing", 1, "no model table $D/nothing/model.db"},
                });
}

TEST(Tool, DrawsAPngOfTheRequestedSize) {
  ScratchDir dir;
  std::string model = std::string("new $D/m ") + kModel;
  RunCases(dir,
           {{model.c_str(), 0, "saved"},
            {"picture $D/m --size 37,21 --out $D/p.png", 0, "drew $D/p.png (37 x 21 pixels)"}});
  std::string png = dir.Read("p.png");
  ASSERT_GT(png.size(), 33u);
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_EQ(png.substr(16, 8), std::string("\0\0\0\x25\0\0\0\x15", 8));  // 37 x 21
  // Rows of 1 filter byte and 37 RGB pixels, in one stored deflate block, then IEND.
  EXPECT_EQ(png.size(), 8u + 25 + 12 + 2 + 5 + 21 * (1 + 37 * 3) + 4 + 12);
  EXPECT_EQ(png.substr(png.size() - 8, 4), "IEND");
}

TEST(Tool, ReadsTheHorizonFileAndRefusesDamagedFiles) {
  ScratchDir dir;
  std::string model = std::string("new $D/m ") + kModel;
  RunCases(dir, {{model.c_str(), 0, "saved"}});
  dir.Write("m/model.hor", "2,1,3,4210816,0\n4,2,3,4210816,1003\n");
  RunCases(dir, {{"info $D/m", 0, "horizons:     2"}});
  dir.Write("m/model.hor", "2,1,3,4210816,0\n4,2,3\n");
  RunCases(dir, {{"info $D/m", 1, "horizon 2 is not a horizon string"}});
  dir.Write("m/model.db", "this is not a table");
  RunCases(dir, {{"info $D/m", 1, "$D/m/model.db holds no model that can be loaded"},
                 {"copy $D/m --to-backup", 1, "table store"}});
}

}  // namespace
