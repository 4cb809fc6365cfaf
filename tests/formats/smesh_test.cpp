// Sheared meshes: the model built from one, the mesh given back, and the refusals of the reader.
#include "formats/smesh.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>

namespace {

// Three columns of three nodes under a surface at depths 0, 0.5, 0.25; offsets 0, 1, 3.
const char* const kMesh =
    "3 3 1.5 0.33\n0 2 4.5\n0 0.5 0.25\n0 1 3\n1.5 2 4\n1.75 2.25 4.5\n1.75 2.25 4.5\n";

SmeshMesh Read(const std::string& text) {
  std::istringstream in(text);
  SmeshMesh mesh;
  EXPECT_EQ(ReadSmesh(in, mesh), "");
  return mesh;
}

TEST(Smesh, ModelHasTheMeshNodesAndAStraightBottomLineOneStepBelow) {
  BCEQuasiGrid model;
  bool lost = true;
  ASSERT_EQ(SmeshToModel(Read(kMesh), 1, model, lost), "");
  EXPECT_FALSE(lost);
  ASSERT_EQ(model.Nz, 4);
  EXPECT_EQ(model.XX, (std::vector<float>{0, 2, 4.5}));
  // Deepest node: column 2 at 3.5; one step (3 - 1) below it: elevation -5.5 on every V-line.
  EXPECT_EQ(model.ZZ, (std::vector<float>{-5.5, -3, -1, 0, -5.5, -3.5, -1.5, -0.5, -5.5, -3.25,
                                          -1.25, -0.25}));
  EXPECT_EQ(model.VV,
            (std::vector<float>{4, 4, 2, 1.5, 4.5, 4.5, 2.25, 1.75, 4.5, 4.5, 2.25, 1.75}));
  // The mesh comes back as written, the added bottom line left out.
  SmeshMesh back;
  ASSERT_EQ(ModelToSmesh(model, 1.5f, 0.33f, back), "");
  std::ostringstream out;
  WriteSmesh(back, out);
  EXPECT_EQ(out.str(), kMesh);
}

TEST(Smesh, ScalesUnitsKeepsNoLostColumnAndExportRefusesUnevenOffsets) {
  std::string text = kMesh;
  text.replace(text.rfind("1.75 2.25 4.5"), 13, "9 9 9");
  BCEQuasiGrid model;
  bool lost = false;
  ASSERT_EQ(SmeshToModel(Read(text), 1000, model, lost), "");
  EXPECT_TRUE(lost);
  EXPECT_EQ(model.ZZ[0], -5500);
  EXPECT_EQ(model.VV[8 + 3], 1750);  // the copy of the column before, not 9000
  ASSERT_EQ(SmeshToModel(Read(kMesh), 1, model, lost), "");
  model.ZZ[6] = -1.75f;  // second V-line, second H-line from the top
  SmeshMesh mesh;
  EXPECT_EQ(ModelToSmesh(model, 1.5f, 0.33f, mesh),
            "the nodes do not lie at common depths below the top H-line: on V-line 2, H-line 2 "
            "lies 1.25 below the top, on V-line 1 1");
}

TEST(Smesh, ReaderRefusesAtTheLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "line 1: the input ends where nx was expected"},
      {"1 3 1.5 0.33\n", "line 1: nx and nz must be at least 2, got 1 and 3"},
      // The size is refused before anything is reserved.
      {"2000000 3 1.5 0.33\n",
       "line 1: the model of this mesh (one more H-line) would have "
       "2000000 x 4 = 8000000 nodes exceed the table limit of 2499999"},
      {"2 2 1.5 x\n", "line 1: v_air 'x' is not a finite number"},
      {"2 2 1.5 0.33\n0 0\n", "line 2: X value 2 (0) is not above the one before it (0)"},
      {"2 2 1.5 0.33\n0 1\n0 0\n1 0.5\n", "line 4: offset 2 (0.5) is not above"},
      {"2 2 1.5 0.33\n0 1\n0 0\n0 1\n1 2\n3 -4\n", "line 6: velocity 2 of column 2 (-4) is neg"},
      {"2 2 1.5 0.33\n0 1\n0 0\n0 1\n1 2\n", "line 6: the input ends where velocity 1 of col"},
      {"2 2 1.5 0.33\n0 1\n0 0\n0 1\n1 2\n3 4\n5\n", "line 7: unexpected '5' after the last"},
  };
  for (const auto& [text, message] : cases) {
    std::istringstream in(text);
    SmeshMesh mesh;
    const std::string why = ReadSmesh(in, mesh);
    EXPECT_EQ(why.rfind(message, 0), 0u) << why;
  }
}

}  // namespace
