// H-line sampling, the top surface, the point-in-model test with its snapping, and the nodes a
// rectangle holds on a V-line.
#include "model/quasigrid.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <utility>

#include "support/hand_model.h"

namespace {

// V-lines at 0, 10, 20; H-line row 1 at 10, 16, 12; a sloping top at 30, 34, 32.
BCQuasiGrid SlopingTopGrid() {
  return HandModel({0, 10, 20}, {0, 10, 20, 30, 0, 16, 24, 34, 0, 12, 22, 32});
}

using NodeRange = std::pair<int, int>;

NodeRange Nodes(const BCQuasiGrid& g, BCFRect r) {
  BCPoint nodes{-1, -1};
  if (!g.GetNodesLVert(r, nodes)) return {-1, -1};
  return {nodes.first, nodes.second};
}

}  // namespace

TEST(GridOutline, HLinesAndTopSurface) {
  const BCQuasiGrid g = SlopingTopGrid();
  EXPECT_EQ(g.GetHLineXZ(2, 15).z, 14);
  EXPECT_EQ(g.GetHLineXZ(2, -5).x, -5);  // the X asked for, even outside
  EXPECT_EQ(g.GetHLineXZ(2, -5).z, 10);  // the first V-line's node
  EXPECT_EQ(g.GetHLineXZ(2, 25).z, 12);  // the last V-line's node
  EXPECT_EQ(g.GetTopZ(5), 32);
  EXPECT_EQ(g.GetTopZ(-50), 30);
  EXPECT_EQ(g.GetTopMinZ(), 30);
  EXPECT_EQ(BCQuasiGrid().GetTopMinZ(), FLT_MAX);
}

TEST(GridOutline, InsideGridSnapsWithinHalfAResolution) {
  BCQuasiGrid g = SlopingTopGrid();
  BCFPoint edge = FPoint(0, 0), nan = FPoint(std::numeric_limits<float>::quiet_NaN(), 5);
  EXPECT_EQ(g.InsideGrid(edge, true), 1);  // without resolutions edges are inside
  EXPECT_EQ(g.InsideGrid(nan, true), 0);
  g.XRes = 10;
  g.ZRes = 2;
  struct Case {
    float x, z;
    bool snap;
    int expected;
    float xAfter, zAfter;
  };
  const Case cases[] = {
      {-4, 15, true, 2, 0, 15},       // near the left edge: snapped
      {-6, 15, true, 0, -6, 15},      // beyond half a resolution
      {5, 32.5f, true, 2, 5, 32},     // near the top surface, which is 32 at x 5
      {5, 33.5f, true, 0, 5, 33.5f},  // under ModelRect's top, above the surface here
      {19, 0.5f, false, 2, 19, 0.5f}, {10, 15, true, 1, 10, 15},
  };
  for (const Case& c : cases) {
    BCFPoint p = FPoint(c.x, c.z);
    EXPECT_EQ(g.InsideGrid(p, c.snap), c.expected) << c.x << ", " << c.z;
    EXPECT_EQ(std::make_pair(p.x, p.z), std::make_pair(c.xAfter, c.zAfter));
  }
}

TEST(GridOutline, NodesOnTheLeftMostInnerVLine) {
  const BCQuasiGrid g = SlopingTopGrid();
  EXPECT_EQ(Nodes(g, BCFRect(-1, 20, 5, 10)), NodeRange(2, 2));  // node on r.bottom left out
  EXPECT_EQ(g.GetHLineIndex(BCFRect(-1, 20, 5, 10)), 1);
  EXPECT_EQ(Nodes(g, BCFRect(5, 40, 25, 0)), NodeRange(5, 7));     // first V-line right of left
  EXPECT_EQ(Nodes(g, BCFRect(-1, 31, 5, 30)), NodeRange(3, 3));    // the top node on r.bottom
  EXPECT_EQ(Nodes(g, BCFRect(-1, 40, 5, 31)), NodeRange(-1, -1));  // above the top node
  EXPECT_EQ(Nodes(g, BCFRect(-1, -1, 5, -5)), NodeRange(-1, -1));  // below the bottom node
  EXPECT_EQ(Nodes(g, BCFRect(-1, 19, 5, 11)), NodeRange(-1, -1));  // between two nodes
  EXPECT_EQ(Nodes(g, BCFRect(20, 40, 25, 0)), NodeRange(-1, -1));  // on the last V-line
  EXPECT_EQ(Nodes(g, BCFRect(5, 10, -1, 20)), NodeRange(-1, -1));  // not normal
  EXPECT_EQ(g.GetHLineIndex(BCFRect(-1, 40, 5, 31)), -1);
}
