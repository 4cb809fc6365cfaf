// Layered models: a pinch-out, the velocity rules and the refusals of the reader.
#include "formats/layered.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

// Two layers under a flat surface. The boundary between them falls from depth 1 at X 0 to 3 at
// X 10; the bottom lies at depth 2, so layer 2 pinches out from X 5 on. Layer 1 runs from 2 km/s
// at X 0 to 3 at X 10 at its top and keeps it to its bottom (0); layer 2 starts at the bottom
// velocity of layer 1 (0) and reaches 5 at its bottom.
const char* const kTwoLayers =
    " 1   0.00  10.00\n 0   0.00   0.00\n         0      0\n"
    " 1   0.00  10.00\n 0   2.00   3.00\n         0      0\n"
    " 1   0.00\n 0   0.00\n         0\n"
    " 2   0.00  10.00\n 0   1.00   3.00\n         0      0\n"
    " 2   0.00\n 0   0.00\n         0\n"
    " 2   0.00\n 0   5.00\n         0\n"
    " 3   0.00   5.00\n 1   2.00   2.00\n         0      0\n"
    " 3  10.00\n 0   2.00\n";  // the last line of flags may be left out

LayeredModel Read(const std::string& text) {
  std::istringstream in(text);
  LayeredModel layered;
  EXPECT_EQ(ReadLayeredModel(in, layered), "");
  return layered;
}

TEST(Layered, PinchOutKeepsTheMinimumGapAndBoundariesCarryHorizons) {
  const LayeredModel layered = Read(kTwoLayers);
  ASSERT_EQ(layered.Layers(), 2);
  LayeredOptions options;
  options.RowsPerLayer = 1;
  BCEQuasiGrid model;
  int pinched = 0;
  ASSERT_EQ(LayeredToModel(layered, options, model, pinched), "");
  EXPECT_EQ(pinched, 2);  // X 5 and X 10
  EXPECT_EQ(model.XX, (std::vector<float>{0, 5, 10}));
  ASSERT_EQ(model.Nz, 5);
  // The minimum gap 0.001 below each pinched boundary.
  const float a = -2 - 0.001f, b = -3 - 0.001f;
  const std::vector<float> zz = {-2,         -1.5, -1, -0.5, 0,   // X 0: boundaries at 0, 1, 2
                                 a - 0.001f, a,    -2, -1,   0,   // X 5: layer 2 of no thickness
                                 b - 0.001f, b,    -3, -1.5, 0};  // X 10: bottom lowered onto 3
  EXPECT_EQ(model.ZZ, zz);
  // From the top: layer 1 keeps its top velocity; layer 2 starts at it and ends at 5. The
  // bottom node holds the copy of the node above; the last V-line copies the one before.
  const std::vector<float> vv = {3.5,  3.5,  2,   2,   2,    //
                                 3.75, 3.75, 2.5, 2.5, 2.5,  //
                                 3.75, 3.75, 2.5, 2.5, 2.5};
  EXPECT_EQ(model.VV, vv);
  ASSERT_EQ(model.Hors.size(), 2u);
  EXPECT_TRUE(model.Hors[0].IH == 2 && model.Hors[0].ID == 1 && model.Hors[1].IH == 4);
}

TEST(Layered, ReaderRefusesAtTheLine) {
  const std::string ok = " 1   0.00\n 0   0.00\n         0\n";
  const std::pair<std::string, const char*> cases[] = {
      {"", "line 1: the input ends after no record"},
      {ok + ok, "line 7: the input ends after the top velocities of layer 1"},
      {" 2   0.00\n", "line 1: layer number 2 where 1 was expected"},
      {" 1   100\n", "line 1: field 1 (columns 3-9) '100' has no decimal point"},
      {" 1   1.00   0.50\n 0   1.00   1.00\n", "line 1: X 0.5 does not lie right of X 1 before it"},
      {" 1\t1.00\n", "line 1: a tab in a line of fixed columns"},
      {"     1.00\n", "line 1: columns 1-2 hold no layer number"},
      {" 1   1.00\n 2   1.00\n", "line 2: continuation flag 2, 0 (last line of the record) or 1"},
      {" 1   1.00   2.00\n 0   1.00\n", "line 2: 1 values for the 2 X values of line 1"},
      {" 1   1.00\n", "line 2: the input ends where the values of line 1 were expected"},
      {ok + "\n" + ok, "line 4: an empty line inside the model"},
      {ok + " 1   1.00\n 0  -1.00\n", "line 4: velocity -1 is negative"},
      {" 1   1.00" + std::string(70, ' ') + "x\n", "line 1: text after column 72"},
      {std::string(2000, ' ') + "\n", "line 1: longer than 1024 characters"},
  };
  for (const auto& [text, message] : cases) {
    std::istringstream in(text);
    LayeredModel layered;
    const std::string why = ReadLayeredModel(in, layered);
    EXPECT_EQ(why.rfind(message, 0), 0u) << why;
  }
}

TEST(Layered, BuilderRefusesWhatMakesNoModel) {
  // Layer 1 cannot take its top velocity from a layer above.
  std::string text = kTwoLayers;
  text.replace(text.find(" 0   2.00   3.00"), 16, " 0   0.00       ");
  text.replace(text.find(" 1   0.00  10.00", 20), 16, " 1   0.00       ");
  const LayeredModel layered = Read(text);
  BCEQuasiGrid model;
  int pinched = 0;
  EXPECT_EQ(LayeredToModel(layered, LayeredOptions{}, model, pinched),
            "line 4: the top velocity 0 of layer 1 asks for the layer above, and there is none");
  // A gap too small to separate lines at this depth.
  LayeredOptions tiny;
  tiny.MinGap = 1e-9f;
  EXPECT_NE(LayeredToModel(Read(kTwoLayers), tiny, model, pinched).find("is too small"),
            std::string::npos);
  EXPECT_EQ(model.Nz, 0);  // untouched
}

}  // namespace
