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

namespace {

class HorizonFile : public ::testing::Test {
 protected:
  // Loads text as the model's horizon file; gives the result and the horizons as saved.
  std::pair<int, std::string> Load(const std::string& text) {
    dir.Write("model.hor", text);
    const int result = grid.LoadHor(dir.File("model.hor"));
    grid.SaveHor(dir.File("saved.hor"));
    return {result, dir.Read("saved.hor")};
  }

  ScratchDir dir;
  BCQuasiGrid grid = HandModel({0, 100}, std::vector<float>(12, 0));  // H-lines 0..5
};

}  // namespace

TEST_F(HorizonFile, LoadsSortedWithoutAdmissionTestsOrRefusesTheWholeFile) {
  // File, result, horizons as saved: descending lines with CRLF; duplicate H-lines; a bad third
  // line; a blank line; the empty file. Out of the loading ranges, at its place after sorting: the
  // top H-line, one below the bottom, ID 100 and 0, Width 21, a negative Color (a negative Width
  // passes), Status 65535 read as -1. Width 65556 read as 20, and the extremes that pass.
  const std::tuple<const char*, int, const char*> cases[] = {
      {"5,3,3,0,0\r\n3,2,3,0,1001\r\n1,1,20,0,7\r\n", 0, "1,1,20,0,7\n3,2,3,0,1001\n5,3,3,0,0\n"},
      {"4,1,3,0,0\n2,2,3,0,0\n4,3,3,0,0", 0, "2,2,3,0,0\n4,1,3,0,0\n4,3,3,0,0\n"},
      {"1,1,3,0,0\n2,2,3,0,0\n3,3,3,0\n", 3, ""},
      {"1,1,3,0,0\n\n2,2,3,0,0\n", 2, ""},
      {"", 0, ""},
      {"2,1,3,0,0\n0,2,3,0,0\n", 1, ""},
      {"1,1,3,0,0\n6,2,3,0,0\n", 2, ""},
      {"1,1,3,0,0\n2,100,3,0,0\n", 2, ""},
      {"3,0,3,0,0\n1,1,3,0,0\n", 2, ""},
      {"1,1,3,0,0\n2,2,21,0,0\n", 2, ""},
      {"1,1,-5,0,0\n2,2,3,-1,0\n", 2, ""},
      {"1,1,3,0,65535\n", 1, ""},
      {"1,1,65556,0,0\n", 0, "1,1,20,0,0\n"},
      {"1,99,3,2147483647,32767\n", 0, "1,99,3,2147483647,32767\n"},
  };
  for (const auto& [text, result, saved] : cases) {
    EXPECT_EQ(Load(text), std::make_pair(result, std::string(saved))) << text;
  }
}

TEST_F(HorizonFile, MissingFileKeepsTheHorizonsAndAnEmptySaveRemovesTheFile) {
  ASSERT_EQ(Load("2,1,3,0,0").first, 0);
  EXPECT_EQ(grid.LoadHor(dir.File("none.hor")), -1);
  EXPECT_EQ(grid.LoadHor(dir.Path()), -1);  // a directory is no horizon file
  EXPECT_EQ(grid.GetHors(), 1);
  grid.Hors.clear();
  grid.SaveHor(dir.File("model.hor"));
  EXPECT_FALSE(FileExists(dir.File("model.hor")));
}

// A line far longer than any horizon string is refused at its number without being kept or split.
TEST(HorVectLoad, RefusesAHugeLineAtItsNumber) {
  std::string text = "1,1,3,0,0\n";
  text.reserve(70'000'000);
  while (text.size() < 70'000'000) text += "1,1,1,1,1,1,1,1,1,1,";
  text += "\n2,2,3,0,0\n";
  std::istringstream in(std::move(text));
  HorVect list;
  EXPECT_EQ(list.LoadFromStream(in), 2);
  EXPECT_TRUE(list.empty());
  // A line of the longest length allowed loads (blanks around a number are allowed); one byte
  // more is refused.
  const std::string longest = "1,1,3,0,0" + std::string(kHorizonLineLimit - 9, ' ');
  std::istringstream beyond(longest + " \r\n");
  EXPECT_EQ(list.LoadFromStream(beyond), 1);
  std::istringstream fits(longest + "\r\n");
  EXPECT_EQ(list.LoadFromStream(fits), 0);
  EXPECT_EQ(list.size(), 1u);
}
