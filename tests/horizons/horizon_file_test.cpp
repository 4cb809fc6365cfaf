// Loading, validating and saving a model's horizons through the horizon file.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "model/quasigrid.h"
#include "platform/files.h"
#include "support/hand_model.h"
#include "support/scratch_dir.h"

TEST(HorizonFile, LoadsSortedOrRefusesTheWholeFileAndAnEmptySaveRemovesIt) {
  ScratchDir dir;
  BCQuasiGrid grid = HandModel({0, 100}, std::vector<float>(12, 0));  // H-lines 0..5
  // File, result, horizons as saved: descending lines with CRLF; duplicate H-lines; a bad third
  // line; a blank line; the empty file. Out of the loading ranges: one below the bottom, ID 100,
  // Width 21, Status 65535 read as -1. Width 65556 read as 20, and the extremes that pass.
  const std::tuple<const char*, int, const char*> cases[] = {
      {"5,3,3,0,0\r\n3,2,3,0,1001\r\n1,1,20,0,7\r\n", 0, "1,1,20,0,7\n3,2,3,0,1001\n5,3,3,0,0\n"},
      {"4,1,3,0,0\n2,2,3,0,0\n4,3,3,0,0", 0, "2,2,3,0,0\n4,1,3,0,0\n4,3,3,0,0\n"},
      {"1,1,3,0,0\n2,2,3,0,0\n3,3,3,0\n", 3, ""},
      {"1,1,3,0,0\n\n2,2,3,0,0\n", 2, ""},
      {"", 0, ""},
      {"1,1,3,0,0\n6,2,3,0,0\n", 2, ""},
      {"1,1,3,0,0\n2,100,3,0,0\n", 2, ""},
      {"1,1,3,0,0\n2,2,21,0,0\n", 2, ""},
      {"1,1,3,0,65535\n", 1, ""},
      {"1,1,65556,0,0\n", 0, "1,1,20,0,0\n"},
      {"1,99,3,2147483647,32767\n", 0, "1,99,3,2147483647,32767\n"},
  };
  for (const auto& [text, result, saved] : cases) {
    dir.Write("model.hor", text);
    EXPECT_EQ(grid.LoadHor(dir.File("model.hor")), result) << text;
    grid.SaveHor(dir.File("saved.hor"));
    EXPECT_EQ(dir.Read("saved.hor"), saved) << text;
  }
  // A missing file or a folder keeps the horizons loaded before.
  dir.Write("model.hor", "2,1,3,0,0");
  ASSERT_EQ(grid.LoadHor(dir.File("model.hor")), 0);
  EXPECT_EQ(grid.LoadHor(dir.File("none.hor")), -1);
  EXPECT_EQ(grid.LoadHor(dir.Path()), -1);
  EXPECT_EQ(grid.GetHors(), 1);
  grid.Hors.clear();
  grid.SaveHor(dir.File("model.hor"));
  EXPECT_FALSE(FileExists(dir.File("model.hor")));
}

TEST(HorVectLoad, RefusesALineOneByteBeyondTheLimitAtItsNumber) {
  // Blanks around a number are allowed, so the longest line allowed loads.
  const std::string longest = "1,1,3,0,0" + std::string(kHorizonLineLimit - 9, ' ');
  HorVect list;
  std::istringstream beyond("1,1,3,0,0\n" + longest + " \r\n");
  EXPECT_EQ(list.LoadFromStream(beyond), 2);
  EXPECT_TRUE(list.empty());
  std::istringstream fits(longest + "\r\n");
  EXPECT_EQ(list.LoadFromStream(fits), 0);
  EXPECT_EQ(list.size(), 1u);
}
