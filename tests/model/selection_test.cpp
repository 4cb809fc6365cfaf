// Selections by click, layer and rubber band, their marks and shapes, and the zoom window.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "model/quasigrid.h"
#include "support/hand_grid.h"

using Nodes = std::vector<int>;

TEST(Selection, ClicksReplaceTheMarksAndOnlyFixedBitsSurviveUnselect) {
  BCQuasiGrid g = NodeNumberedGrid(4, 5);
  g.CellFlags[7] = 2;  // a fixed cell
  // Cells as GetCellInfo reports them: X, Z, top-left node, 1-based column and H-line.
  BCCellInfo upperLeft{0, 0, 8, 2, 2, 0, 0}, lowerRight{0, 0, 11, 3, 4, 0, 0};
  g.SetSelectedColumn(upperLeft);
  EXPECT_EQ(SelectedNodes(g), (Nodes{6, 7, 8, 9}));
  g.SetSelectedRow(upperLeft);
  EXPECT_EQ(SelectedNodes(g), (Nodes{3, 8, 13}));
  // A span of two cells, in either order, keeps the marks made before it.
  g.SelectSubgrid(upperLeft, lowerRight);
  g.SelectSubgrid(lowerRight, upperLeft);
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{1, 3, 6, 8}));
  EXPECT_EQ(SelectedNodes(g), (Nodes{3, 6, 7, 8, 11, 12, 13}));
  g.UnselectCells();
  EXPECT_TRUE(g.CellFlags[7] == 2 && SelectedNodes(g).empty());
}

TEST(Selection, ShapeOfEverySelection) {
  // Grid Nx, Nz, the selection, its shape; the last two: one cell on a one-column grid is a row,
  // on a one-row grid a column.
  const std::tuple<int, int, int, int, int, int, SubGridShape> cases[] = {
      {4, 5, 0, 3, 1, 4, ssAll},     {4, 5, 0, 2, 1, 4, ssColumns}, {4, 5, 1, 2, 6, 9, ssColumn},
      {4, 5, 1, 2, 8, 8, ssCell},    {4, 5, 0, 3, 2, 3, ssRows},    {4, 5, 0, 3, 3, 3, ssRow},
      {4, 5, 1, 3, 7, 8, ssSubgrid}, {2, 5, 0, 1, 2, 2, ssRow},     {4, 2, 1, 2, 3, 3, ssColumn},
  };
  for (const auto& [nx, nz, l, r, b, t, shape] : cases) {
    BCQuasiGrid g = NodeNumberedGrid(nx, nz);
    g.SelSubgrid = {l, r, b, t};
    EXPECT_EQ(g.GetSelShape(), shape) << nx << nz << l << r << b << t;
  }
}

TEST(Selection, LayerBetweenHorizons) {
  BCQuasiGrid g = NodeNumberedGrid(3, 8);
  // The cell of column 2 whose top edge is H-line ih.
  const auto cell = [](int ih) { return BCCellInfo{0, 0, 15 - ih, 2, ih + 1, 0, 0}; };
  EXPECT_EQ(g.SetSelectedLayer(cell(3)), 1);
  EXPECT_EQ(g.SelSubgrid, g.WholeSubgrid);
  SetHorizons(g, {2, 5, 9});  // IH 9 lies below the grid and takes no part
  // The cell's top H-line, its layer, the layer's rows; a top edge on a horizon: the layer below.
  const std::tuple<int, int, BCSubgrid> cases[] = {
      {3, 2, {0, 2, 3, 5}}, {2, 2, {0, 2, 3, 5}}, {1, 1, {0, 2, 6, 7}}, {6, 3, {0, 2, 1, 2}}};
  for (const auto& [ih, layer, sg] : cases) {
    EXPECT_EQ(g.SetSelectedLayer(cell(ih)), layer) << ih;
    EXPECT_EQ(g.SelSubgrid, sg) << ih;
  }
  EXPECT_EQ(SelectedNodes(g), (Nodes{1, 2, 9, 10}));
}

TEST(RubberBand, EdgesOnAndNearGridLines) {
  // V-lines at 0, 10, 20, 30; H-lines at -40 (bottom), -30, -20, -10, 0 on every V-line.
  BCQuasiGrid g = HandGrid({0, 10, 20, 30}, {-40, -30, -20, -10, 0});
  // Band (left, top, right, bottom), subgrid taken (-7s none): the left edge on and off a V-line,
  // the right edge off one; bottom and top on and off H-lines; just above the model's bottom (ZRes
  // 0); none inside a cell, below, right, between two lines, unordered.
  const std::tuple<float, float, float, float, int, int, int, int> cases[] = {
      {10, 5, 30, -45, 1, 3, 6, 9},      {10.5f, 5, 30, -45, 2, 3, 11, 14},
      {10, 5, 29.9f, -45, 1, 2, 6, 9},   {0, 0, 30, -30, 0, 3, 3, 4},
      {0, 0, 30, -30.5f, 0, 3, 2, 4},    {0, -10.5f, 30, -45, 0, 3, 1, 2},
      {0, 0, 30, -39.99f, 0, 3, 2, 4},   {11, -12, 19, -18, -7, -7, -7, -7},
      {0, -41, 30, -45, -7, -7, -7, -7}, {30, 0, 40, -40, -7, -7, -7, -7},
      {0, -10, 30, -19, -7, -7, -7, -7}, {30, 0, 0, -40, -7, -7, -7, -7},
  };
  for (const auto& [left, top, right, bottom, l, r, b, t] : cases) {
    BCFRect band(left, top, right, bottom);
    BCSubgrid sg{-7, -7, -7, -7};
    EXPECT_EQ(g.GetSelSubgrid(band, sg), l >= 0) << left << " " << bottom;
    EXPECT_EQ(sg, (BCSubgrid{l, r, b, t})) << left << " " << bottom;
    EXPECT_EQ(band, BCFRect(left, top, right, bottom)) << "the band goes back as drawn";
  }
  g.ZRes = 0.1f;  // a bottom within ZRes above the model's reaches it
  BCFRect nearBottom(0, 0, 30, -39.99f);
  BCSubgrid sg;
  ASSERT_TRUE(g.GetSelSubgrid(nearBottom, sg));
  EXPECT_EQ(sg, g.WholeSubgrid);
}

TEST(RubberBand, GesturesWidenAFailedBandSelectsNothingAndZoomTakesPartColumns) {
  BCQuasiGrid g = HandGrid({0, 10, 20, 30}, {-40, -30, -20, -10, 0});
  BCFRect middle(10, -10, 20, -30.5f), inOneCell(11, -12, 19, -18), view(5, 100, 15, -100);
  ASSERT_TRUE(g.SelectRBsubgrids(middle, ssRows));
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{0, 3, 2, 3}));
  ASSERT_TRUE(g.SelectRBsubgrids(middle, ssColumns));
  EXPECT_EQ(SelectedNodes(g), (Nodes{6, 7, 8, 9}));
  EXPECT_FALSE(g.SelectRBsubgrids(inOneCell, ssSubgrid));
  EXPECT_TRUE(SelectedNodes(g).empty() && !g.SelActive);
  ASSERT_TRUE(g.SetZoomSubgrid(view));  // every column partly in view, with all its rows
  EXPECT_EQ(g.ZoomSubgrid, (BCSubgrid{0, 2, 1, 4}));
}
