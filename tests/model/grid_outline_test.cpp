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
const NodeRange kNoNodes{-1, -1};

// The lowest and highest node GetNodesLVert finds, or kNoNodes.
NodeRange Nodes(const BCQuasiGrid& g, BCFRect r) {
  BCPoint nodes{-1, -1};
  if (!g.GetNodesLVert(r, nodes)) return kNoNodes;
  return {nodes.first, nodes.second};
}

}  // namespace

TEST(GetHLineXZ, InterpolatesInsideAndHoldsTheEndsOutside) {
  const BCQuasiGrid g = SlopingTopGrid();
  EXPECT_EQ(g.GetHLineXZ(2, 5).z, 13);
  EXPECT_EQ(g.GetHLineXZ(2, 10).z, 16);
  EXPECT_EQ(g.GetHLineXZ(2, 15).z, 14);
  EXPECT_EQ(g.GetHLineXZ(2, -5).x, -5);  // the X asked for, even outside
  EXPECT_EQ(g.GetHLineXZ(2, -5).z, 10);  // the first V-line's node
  EXPECT_EQ(g.GetHLineXZ(2, 25).z, 12);  // the last V-line's node
  EXPECT_EQ(g.GetHLineXZ(2, 20).z, 12);
}

TEST(TopSurface, FollowsTheTopLineClampedToTheGrid) {
  const BCQuasiGrid g = SlopingTopGrid();
  EXPECT_EQ(g.GetTopZ(5), 32);
  EXPECT_EQ(g.GetTopZ(-50), 30);
  EXPECT_EQ(g.GetTopZ(99), 32);
  EXPECT_EQ(g.GetTopMinZ(), 30);
  EXPECT_EQ(BCQuasiGrid().GetTopMinZ(), FLT_MAX);
}

TEST(InsideGrid, SnapsPointsWithinHalfAResolution) {
  BCQuasiGrid g = SlopingTopGrid();
  g.XRes = 10;
  g.ZRes = 2;
  BCFPoint p = FPoint(-4, 15);
  EXPECT_EQ(g.InsideGrid(p, true), 2);
  EXPECT_EQ(p.x, 0);
  p = FPoint(-6, 15);
  EXPECT_EQ(g.InsideGrid(p, true), 0);
  p = FPoint(5, 32.5f);  // the top at x 5 is 32
  EXPECT_EQ(g.InsideGrid(p, true), 2);
  EXPECT_EQ(p.z, 32);
  p = FPoint(5, 33.5f);  // under ModelRect's top, but above the surface here
  EXPECT_EQ(g.InsideGrid(p, true), 0);
  p = FPoint(19, 0.5f);  // near the right and the bottom edges; without snap p stays
  EXPECT_EQ(g.InsideGrid(p, false), 2);
  EXPECT_EQ(p.x, 19);
  EXPECT_EQ(p.z, 0.5f);
  p = FPoint(10, 15);
  EXPECT_EQ(g.InsideGrid(p, true), 1);
}

TEST(InsideGrid, EdgesAreInsideWithoutResolution) {
  BCQuasiGrid g = SlopingTopGrid();
  BCFPoint p = FPoint(0, 0);
  EXPECT_EQ(g.InsideGrid(p, true), 1);
  p = FPoint(20, 32);
  EXPECT_EQ(g.InsideGrid(p, true), 1);
  p = FPoint(std::numeric_limits<float>::quiet_NaN(), 5);
  EXPECT_EQ(g.InsideGrid(p, true), 0);
  p = FPoint(0, 0);
  EXPECT_EQ(BCQuasiGrid().InsideGrid(p, true), 0);
}

TEST(GetNodesLVert, CountsNodesAtTheRectangleEdges) {
  const BCQuasiGrid g = SlopingTopGrid();
  // Node 1 sits on the bottom edge and is left out; node 2 on the top edge counts.
  EXPECT_EQ(Nodes(g, BCFRect(-1, 20, 5, 10)), NodeRange(2, 2));
  EXPECT_EQ(g.GetHLineIndex(BCFRect(-1, 20, 5, 10)), 1);
  EXPECT_EQ(Nodes(g, BCFRect(-1, 25, 5, -3)), NodeRange(0, 2));
  // The first V-line right of r.left is used.
  EXPECT_EQ(Nodes(g, BCFRect(5, 40, 25, 0)), NodeRange(5, 7));
  EXPECT_EQ(Nodes(g, BCFRect(10, 40, 25, 0)), NodeRange(5, 7));
  // A rectangle whose bottom lies on the top node holds that node alone.
  EXPECT_EQ(Nodes(g, BCFRect(-1, 31, 5, 30)), NodeRange(3, 3));
  EXPECT_EQ(g.GetHLineIndex(BCFRect(-1, 31, 5, 30)), 0);
}

TEST(GetNodesLVert, RefusesRectanglesWithoutNodes) {
  const BCQuasiGrid g = SlopingTopGrid();
  EXPECT_EQ(Nodes(g, BCFRect(-1, 40, 5, 31)), kNoNodes);  // above the top node
  EXPECT_EQ(Nodes(g, BCFRect(-1, -1, 5, -5)), kNoNodes);  // below the bottom node
  EXPECT_EQ(Nodes(g, BCFRect(-1, 19, 5, 11)), kNoNodes);  // between two nodes
  EXPECT_EQ(Nodes(g, BCFRect(20, 40, 25, 0)), kNoNodes);  // on the last V-line
  EXPECT_EQ(Nodes(g, BCFRect(5, 10, -1, 20)), kNoNodes);  // not normal
  EXPECT_EQ(Nodes(BCQuasiGrid(), BCFRect(0, 1, 1, 0)), kNoNodes);
  EXPECT_EQ(g.GetHLineIndex(BCFRect(-1, 40, 5, 31)), -1);
}
