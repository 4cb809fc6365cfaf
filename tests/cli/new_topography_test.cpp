// The new command with a ground surface: models hung from a surface file, and every refusal in
// one line with the folder left as it was.
#include <gtest/gtest.h>

#include <string>

#include "cli/tool_runner.h"

namespace {

const std::string kHung = "new $D/m --topography $D/s.txt --size 21,11 --bottom -100 ";

// A folder with the three-point surface, a velocity-depth law and the bad files of the cases.
void WriteInputs(const ScratchDir& dir) {
  dir.Write("s.txt", "# x z\n0 10\n500 30\n1000 0\n");
  dir.Write("one.txt", "250 5\n");
  dir.Write("v.txt", "0 400\n10 800\n50 2000\n");
  dir.Write("unordered.txt", "0 1\n\n0 2\n");
  dir.Write("vneg.txt", "0 400\n# slower below\n10 -5\n");
  dir.Write("vdeep.txt", "3 400\n");
}

TEST(NewTopography, BuildsModelsThatHangFromTheSurface) {
  ScratchDir dir;
  WriteInputs(dir);
  RunToolCases(dir,
               {{kHung + "--gradient 500,20", 0, "saved 21 x 11 nodes into $D/m/model.db"},
                {"info $D/m", 0, "extent:       X 0 .. 1000, elevation -100 .. 30\n"},
                {"check $D/m", 0, "no problems"},
                // Geometric rows, a velocity-depth law and an X range beyond the surface's ends.
                {"new $D/p --topography $D/s.txt --size 5,4 --bottom -50 --spacing geometric:2 "
                 "--velocity-depth $D/v.txt --x-range -100,1100",
                 0, "saved 5 x 4 nodes"},
                {"info $D/p", 0, "extent:       X -100 .. 1100, elevation -50 .. 30\n"},
                // A one-point surface is flat over its X range.
                {"new $D/f --topography $D/one.txt --x-range 0,10 --size 2,2 --bottom 0 "
                 "--gradient 1,0",
                 0, "saved 2 x 2"},
                {"info $D/f", 0, "elevation 0 .. 5\nvelocity:     1 .. 1\n"}});
}

TEST(NewTopography, RefusesInOneLineAndWritesNothing) {
  ScratchDir dir;
  WriteInputs(dir);
  const std::string gradient = "--gradient 500,20";
  RunToolCases(
      dir,
      {// Values that make no model: status 2.
       {"new $D/m --topography $D/s.txt --size 21,11 --bottom 0 " + gradient, 2,
        "$D/s.txt line 4: elevation 0 is not above the bottom 0"},
       {kHung + "--gradient 500,-10", 2, "--gradient: the law gives velocity -"},
       {kHung + "--gradient -1,20", 2, "--gradient: the velocity -1 at the surface is negative"},
       {kHung + "--velocity-depth $D/vneg.txt", 2, "$D/vneg.txt line 3: velocity -5 is negative"},
       {kHung + "--velocity-depth $D/vdeep.txt", 2,
        "$D/vdeep.txt line 1: the first depth must be 0, got 3"},
       {kHung + "--spacing geometric:1 " + gradient, 2,
        "--spacing geometric:Q needs Q above 1, got 'geometric:1'"},
       {kHung + "--spacing geometric:nan " + gradient, 2, "needs uniform or geometric:Q"},
       {kHung + "--spacing even " + gradient, 2, "needs uniform or geometric:Q, got 'even'"},
       {"new $D/m --topography $D/s.txt --size 1,11 --bottom -100 " + gradient, 2, "at least 2"},
       {"new $D/m --topography $D/s.txt --size 2500,1000 --bottom -100 " + gradient, 2,
        "2500000 nodes exceeds the table limit of 2499999 nodes"},
       {"new $D/m --topography $D/one.txt --size 2,2 --bottom -1 " + gradient, 2,
        "a surface of one point needs an X range of its own (--x-range X0,X1)"},
       {kHung + "--x-range 5,1 " + gradient, 2, "--x-range needs X0 < X1"},
       {kHung + "--bottom 1 " + gradient, 2, "--bottom: given more than once"},
       // Options that do not go together.
       {kHung + "--extent 0,1,-1,0 " + gradient, 2, "--topography excludes --extent"},
       {kHung + "--velocity 1,1,2,2 " + gradient, 2, "--topography excludes --velocity"},
       {kHung + gradient + " --velocity-depth $D/v.txt", 2, "--gradient excludes --velocity-depth"},
       {kHung, 2, "--topography needs --gradient or --velocity-depth"},
       {"new $D/m --topography $D/s.txt --size 21,11 " + gradient, 2,
        "--topography needs --bottom"},
       {"new $D/m --extent 0,1,-1,0 --size 2,2 --velocity 1,1,2,2 --bottom -5", 2,
        "--bottom needs --topography"},
       {"new $D/m --extent 0,1,-1,0 --size 2,2", 2, "--velocity is required with --extent"},
       // Files that cannot be read as pairs: status 1.
       {"new $D/m --topography $D/unordered.txt --size 2,2 --bottom -5 " + gradient, 1,
        "$D/unordered.txt line 3: x 0 is not above x 0 of line 1"},
       {"new $D/m --topography $D/none.txt --size 2,2 --bottom -5 " + gradient, 1,
        "cannot read $D/none.txt: No such file or directory"},
       {"new $D/m --topography $D --size 2,2 --bottom -5 " + gradient, 1,
        "$D: is a folder, not a file"}});
  RunToolCases(dir, {{kHung + gradient, 0, "saved"},
                     {kHung + gradient, 1, "$D/m/model.db holds a model (use --force"}});
}

}  // namespace
