// The new command with a ground surface: models hung from a surface file, and refusals in one
// line with the folder left as it was.
#include <gtest/gtest.h>

#include <string>

#include "cli/tool_runner.h"

namespace {

const std::string kHung = "new $D/m --topography $D/s.txt --size 21,11 --bottom -100 ";

TEST(NewTopography, BuildsModelsThatHangFromTheSurfaceAndRefusesInOneLine) {
  ScratchDir dir;
  dir.Write("s.txt", "# x z\n0 10\n500 30\n1000 0\n");
  dir.Write("one.txt", "250 5\n");
  dir.Write("v.txt", "0 400\n10 800\n50 2000\n");
  dir.Write("vdeep.txt", "3 400\n");
  const std::string gradient = "--gradient 500,20";
  RunToolCases(
      dir,
      {// Values that make no model: status 2.
       {"new $D/m --topography $D/s.txt --size 21,11 --bottom 0 " + gradient, 2,
        "$D/s.txt line 4: elevation 0 is not above the bottom 0"},
       {kHung + "--velocity-depth $D/vdeep.txt", 2,
        "$D/vdeep.txt line 1: the first depth must be 0, got 3"},
       {kHung + "--spacing geometric:1 " + gradient, 2,
        "--spacing geometric:Q needs Q above 1, got 'geometric:1'"},
       {kHung + "--spacing even " + gradient, 2, "needs uniform or geometric:Q, got 'even'"},
       {"new $D/m --topography $D/one.txt --size 2,2 --bottom -1 " + gradient, 2,
        "a surface of one point needs an X range of its own (--x-range X0,X1)"},
       {kHung + "--x-range 5,1 " + gradient, 2, "--x-range needs X0 < X1"},
       // Options that do not go together.
       {kHung + "--extent 0,1,-1,0 " + gradient, 2, "--topography excludes --extent"},
       {kHung, 2, "--topography needs --gradient or --velocity-depth"},
       {"new $D/m --topography $D/s.txt --size 21,11 " + gradient, 2,
        "--topography needs --bottom"},
       // Files that cannot be read: status 1.
       {"new $D/m --topography $D/none.txt --size 2,2 --bottom -5 " + gradient, 1,
        "cannot read $D/none.txt: No such file or directory"},
       {"new $D/m --topography $D --size 2,2 --bottom -5 " + gradient, 1,
        "$D: is a folder, not a file"},
       // Built: the surface's extent, geometric rows with a velocity-depth law and an X range
       // beyond the surface's ends, and a one-point surface flat over its X range.
       {kHung + gradient, 0, "saved 21 x 11 nodes into $D/m/model.db"},
       {"info $D/m", 0, "extent:       X 0 .. 1000, elevation -100 .. 30\n"},
       {"check $D/m", 0, "no problems"},
       {kHung + gradient, 1, "$D/m/model.db holds a model (use --force"},
       {"new $D/p --topography $D/s.txt --size 5,4 --bottom -50 --spacing geometric:2 "
        "--velocity-depth $D/v.txt --x-range -100,1100",
        0, "saved 5 x 4 nodes"},
       {"info $D/p", 0, "extent:       X -100 .. 1100, elevation -50 .. 30\n"},
       {"new $D/f --topography $D/one.txt --x-range 0,10 --size 2,2 --bottom 0 --gradient 1,0", 0,
        "saved 2 x 2"},
       {"info $D/f", 0, "elevation 0 .. 5\nvelocity:     1 .. 1\n"}});
}

}  // namespace
