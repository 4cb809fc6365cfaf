// Geometry on a grid whose H-lines slope: cell look-up, the point-in-model test with its
// snapping, the nodes a rectangle holds on a V-line, and vertical travel time.
#include "model/quasigrid.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <utility>

#include "support/hand_grid.h"

TEST(CellLookup, SharedEdgesFirstGuessesMarginsAndSubgrids) {
  BCQuasiGrid g = SlopingGrid();
  EXPECT_EQ(g.BelongsToCell(10, 5, {0, 1}), 0);  // the right V-line is the next column's
  EXPECT_EQ(g.BelongsToCell(5, 13, {0, 2}), 3);  // on the sloping H-line (13 at x 5): below
  EXPECT_EQ(g.BelongsToCell(5, 14, {0, 1}), 2);  // between the corners, above the edge
  g.SelSubgrid = {1, 2, 6, 6};                   // the middle cell of column 1
  const SubGridKind whole = sgkWhole, sel = sgkSelection;
  // x, z, XRes, subgrid, column and node found (-1 none), in order: a shared edge, the top line,
  // the bottom and last lines, a guess one cell off, margins, the selection.
  const std::tuple<float, float, float, SubGridKind, int, int> cases[] = {
      {10, 5, 0, whole, 1, 5},      {5, 32, 0, whole, 0, 3},    {5, 32.001f, 0, whole, -1, -1},
      {5, 0, 0, whole, -1, -1},     {20, 5, 0, whole, -1, -1},  {18, 14, 0, whole, 1, 6},
      {-0.6f, 5, 1, whole, -1, -1}, {20.4f, 5, 1, whole, 1, 5}, {20.6f, 5, 1, whole, -1, -1},
      {20, 5, 1, sgkZoom, -1, -1},  {15, 20, 0, sel, 1, 6},     {15, 29, 0, sel, -1, -1},
  };
  BCCell cell;
  for (const auto& [x, z, xRes, kind, col, node] : cases) {
    g.XRes = xRes;
    const bool found = g.GetCell(x, z, cell, kind);  // the cell means something only when found
    EXPECT_TRUE(found ? cell.Col == col && cell.Node == node : col < 0) << x << ", " << z;
  }
  g.SelSubgrid = {0, 9, 1, 3};  // stale: wider than the grid
  EXPECT_FALSE(g.GetCell(5, 15, cell, sel));
}

TEST(GridOutline, InsideGridSnapsWithinHalfAResolution) {
  BCQuasiGrid g = SlopingGrid();
  BCFPoint edge = FPoint(0, 0), nan = FPoint(std::numeric_limits<float>::quiet_NaN(), 5);
  EXPECT_TRUE(g.InsideGrid(edge, true) == 1 && g.InsideGrid(nan, true) == 0);  // edges in, NaN out
  g.XRes = 10;
  g.ZRes = 2;
  // Point, snap, result, point after: near the left edge and beyond; near the top surface (32 at
  // x 5) and above it, though under ModelRect's top.
  const std::tuple<float, float, bool, int, float, float> cases[] = {
      {-4, 15, true, 2, 0, 15},      {-6, 15, true, 0, -6, 15},      {5, 32.5f, true, 2, 5, 32},
      {5, 33.5f, true, 0, 5, 33.5f}, {19, 0.5f, false, 2, 19, 0.5f}, {10, 15, true, 1, 10, 15},
  };
  for (const auto& [x, z, snap, expected, xAfter, zAfter] : cases) {
    BCFPoint p = FPoint(x, z);
    EXPECT_EQ(g.InsideGrid(p, snap), expected) << x << ", " << z;
    EXPECT_EQ(std::make_pair(p.x, p.z), std::make_pair(xAfter, zAfter));
  }
}

TEST(GridOutline, NodesOnTheLeftMostInnerVLine) {
  const BCQuasiGrid g = SlopingGrid();
  // Rectangle (left, top, right, bottom), nodes found (-1 none): a node on r.bottom only if it is
  // the top one; the first inner V-line right of r.left; none right of it; between nodes; not
  // normal.
  const std::tuple<float, float, float, float, int, int> cases[] = {
      {-1, 20, 5, 10, 2, 2},   {-1, 31, 5, 30, 3, 3},   {5, 40, 25, 0, 5, 7},
      {20, 40, 25, 0, -1, -1}, {-1, 19, 5, 11, -1, -1}, {5, 10, -1, 20, -1, -1},
  };
  for (const auto& [left, top, right, bottom, lo, hi] : cases) {
    BCPoint nodes{-1, -1};
    EXPECT_EQ(g.GetNodesLVert(BCFRect(left, top, right, bottom), nodes), lo >= 0) << left << top;
    EXPECT_TRUE(nodes.first == lo && nodes.second == hi) << left << " " << top;
  }
}

TEST(Sampling, VerticalTimeAcrossSlopingCells) {
  const BCQuasiGrid g = SlopingGrid();
  // At x 5 the H-lines lie at 13 and 22 and the top at 32: 8 m at 100, 9 m at 200, 8 m at 300,
  // summed in float in that order.
  const float expected = 8.0f / 100 + 9.0f / 200 + 8.0f / 300;
  EXPECT_EQ(g.GetVertTime(5, 5, 30), expected);
  EXPECT_EQ(g.GetVertTime(5, 30, 5), -expected);
  EXPECT_EQ(g.GetVertTime(5, 20, 15), -5.0f / 200);  // within one cell
  // Outside the grid, its bottom line included: no time.
  for (auto [x, z] : {std::pair{5.0f, 0.0f}, {5, 33}, {20, 10}})
    EXPECT_EQ(g.GetVertTime(x, z, 15), 0.0f) << x << " " << z;
}
