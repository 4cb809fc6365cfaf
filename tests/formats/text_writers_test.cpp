// The x-z-v text and the VTK file of small models, to the byte or the element.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "formats/vtk.h"
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

TEST(VtuFile, QuadsInNodeOrderWithCellAndPointData) {
  BCQuasiGrid g = ThreeByThree();
  g.CellFlags[4] = kCellFixed | kCellSelected;  // the upper cell of the second column
  std::ostringstream out;
  WriteVtu(g, out);
  const std::string vtu = out.str();
  EXPECT_NE(vtu.find("NumberOfPoints=\"9\" NumberOfCells=\"4\""), std::string::npos);
  // Cells at top-left nodes 1, 2, 4, 5, each bottom-left, bottom-right, top-right, top-left.
  EXPECT_NE(vtu.find("format=\"ascii\">\n0 3 4 1\n1 4 5 2\n3 6 7 4\n4 7 8 5\n"), std::string::npos);
  EXPECT_NE(vtu.find("\"velocity\" NumberOfComponents=\"1\" format=\"ascii\">\n"
                     "1500\n2500\n0.33333334\n1800.5\n"),
            std::string::npos);
  EXPECT_NE(vtu.find("\"fixed\" NumberOfComponents=\"1\" format=\"ascii\">\n0\n0\n1\n0\n"),
            std::string::npos);
  EXPECT_NE(vtu.find("<Points>\n        <DataArray type=\"Float32\" Name=\"Points\" "
                     "NumberOfComponents=\"3\" format=\"ascii\">\n0 -20 0\n0 -0.1 0\n"),
            std::string::npos);
}

}  // namespace
