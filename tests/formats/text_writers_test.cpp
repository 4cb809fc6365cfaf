// The x-z-v text of a small model, to the byte.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "formats/xyz.h"
#include "support/hand_model.h"

namespace {

// 3 x 3 nodes: X 0, 10, 25; the middle V-line raised; velocities that need all nine digits
// (1/3 needs eight) or none (1500), and an elevation that is no binary fraction (-0.1).
BCQuasiGrid ThreeByThree() {
  BCQuasiGrid g = HandModel({0, 10, 25}, {-20, -0.1f, 0, -20, -5, 3, -20, -10, 0});
  g.VV = {1500, 1500, 2500, 1.0f / 3, 1.0f / 3, 1800.5f, 1.0f / 3, 1.0f / 3, 1800.5f};
  return g;
}

TEST(XyzText, ThreeByThreeModelByteForByte) {
  std::ostringstream out;
  WriteXyz(ThreeByThree(), out);
  EXPECT_EQ(out.str(),
            "0 -20 1500\n0 -0.1 1500\n0 0 2500\n"
            "10 -20 0.33333334\n10 -5 0.33333334\n10 3 1800.5\n"
            "25 -20 0.33333334\n25 -10 0.33333334\n25 0 1800.5\n");
}

}  // namespace
