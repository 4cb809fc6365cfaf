// Tests of loading, validating and saving a model's horizons through the horizon file.
#include <gtest/gtest.h>

#include <string>

#include "model/quasigrid.h"
#include "platform/files.h"
#include "support/scratch_dir.h"

namespace {

// A 3 x 6 model: H-lines 0..5, so horizons may lie on H-lines 1..5.
BCQuasiGrid SixLineModel() {
  TIniModel ini{};
  ini.Rect = BCFRect(0, 0, 100, -50);
  ini.Nx = 3;
  ini.Nz = 6;
  ini.SetVel = false;
  BCQuasiGrid grid;
  EXPECT_TRUE(grid.Init(ini));
  return grid;
}

class HorizonFile : public ::testing::Test {
 protected:
  // Loads text as the model's horizon file.
  int Load(const std::string& text) {
    dir.Write("model.hor", text);
    return grid.LoadHor(dir.File("model.hor"));
  }
  // The model's horizons as the file would hold them.
  std::string Horizons() {
    std::string text;
    for (const BCHor& h : grid.Hors) text += h.GetAsString() + "\n";
    return text;
  }

  ScratchDir dir;
  BCQuasiGrid grid = SixLineModel();
};

TEST_F(HorizonFile, LoadsDescendingAndDuplicateLinesInAscendingOrder) {
  EXPECT_EQ(Load("5,3,3,0,0\r\n3,2,3,0,1001\r\n1,1,20,0,7\r\n"), 0);
  EXPECT_EQ(Horizons(), "1,1,20,0,7\n3,2,3,0,1001\n5,3,3,0,0\n");

  EXPECT_EQ(Load("4,1,3,0,0\n2,2,3,0,0\n4,3,3,0,0"), 0);  // no admission test
  ASSERT_EQ(grid.GetHors(), 3);
  EXPECT_EQ(grid.Hors[1].IH, 4);
  EXPECT_EQ(grid.Hors[2].IH, 4);
}

TEST_F(HorizonFile, BadLineClearsTheList) {
  ASSERT_EQ(Load("1,1,3,0,0\n"), 0);
  EXPECT_EQ(Load("1,1,3,0,0\n2,2,3,0,0\n3,3,3,0\n"), 3);
  EXPECT_EQ(grid.GetHors(), 0);
}

TEST_F(HorizonFile, OutOfRangeHorizonGivesItsSortedPosition) {
  const struct {
    const char* text;
    int result;
  } cases[] = {
      {"2,1,3,0,0\n0,2,3,0,0\n", 1},                // the top H-line, first after sorting
      {"1,1,3,0,0\n6,2,3,0,0\n", 2},                // below the bottom H-line
      {"1,1,3,0,0\n2,100,3,0,0\n", 2},              // ID above 99
      {"3,0,3,0,0\n1,1,3,0,0\n", 2},                // ID 0
      {"1,1,3,0,0\n2,2,21,0,0\n", 2},               // Width above 20
      {"1,1,-5,0,0\n2,2,3,-1,0\n", 2},              // negative Width passes, negative Color fails
      {"1,1,3,0,-1\n", 1},                          // negative Status
      {"1,1,3,0,65535\n", 1},                       // Status keeps 16 bits: -1
      {"1,1,65556,0,0\n", 0},                       // Width keeps 16 bits: 20
      {"1,99,3,2147483647,32767\n5,1,3,0,0\n", 0},  // the extremes that pass
  };
  for (const auto& c : cases) {
    grid.Hors.clear();
    EXPECT_EQ(Load(c.text), c.result) << c.text;
    EXPECT_EQ(grid.GetHors() == 0, c.result != 0) << c.text;
  }
}

TEST_F(HorizonFile, CheckScansInListOrder) {
  grid.Hors.resize(3);
  for (int i = 0; i < 3; ++i) grid.Hors[static_cast<size_t>(i)].IH = i + 1;
  EXPECT_EQ(grid.CheckHrznsAtLoading(), 3);
  grid.Hors[1].Color = -1;
  grid.Hors[2].ID = 0;
  EXPECT_EQ(grid.CheckHrznsAtLoading(), 1);
  grid.Nz = 2;  // only H-line 1 remains valid
  grid.Hors[1].Color = 0;
  EXPECT_EQ(grid.CheckHrznsAtLoading(), 1);
}

TEST_F(HorizonFile, MissingFileKeepsTheHorizons) {
  ASSERT_EQ(Load("2,1,3,0,0\n"), 0);
  EXPECT_EQ(grid.LoadHor(dir.File("none.hor")), -1);
  EXPECT_EQ(grid.LoadHor(dir.Path()), -1);  // a directory is no horizon file
  EXPECT_EQ(grid.GetHors(), 1);
  EXPECT_EQ(Load(""), 0);  // an empty file is an empty list
  EXPECT_EQ(grid.GetHors(), 0);
}

TEST_F(HorizonFile, SaveAndReloadAndEmptySaveRemovesTheFile) {
  ASSERT_EQ(Load("4,2,7,255,1003\n1,1,3,4210816,0\n"), 0);
  const std::string name = dir.File("model.hor");
  grid.SaveHor(name);
  EXPECT_EQ(dir.Read("model.hor"), "1,1,3,4210816,0\n4,2,7,255,1003\n");

  grid.Hors.clear();
  grid.SaveHor(name);
  EXPECT_FALSE(FileExists(name));
  EXPECT_EQ(grid.LoadHor(name), -1);
}

}  // namespace
