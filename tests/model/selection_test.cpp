// Click selections, selection marks, layers and the classification of a selection.
#include <gtest/gtest.h>

#include <vector>

#include "model/quasigrid.h"
#include "support/hand_grid.h"

namespace {

// A cell as GetCellInfo reports it: 1-based column, its top-left node and H-line number.
BCCellInfo Cell(const BCQuasiGrid& g, int col, int node) {
  BCCellInfo info{};
  info.Col = col;
  info.Node = node;
  info.HLine = g.GetIH(node) + 1;
  return info;
}

std::vector<int> MarkedNodes(const BCQuasiGrid& g) {
  std::vector<int> nodes;
  for (size_t i = 0; i < g.CellFlags.size(); ++i) {
    if (g.CellFlags[i] & 1) nodes.push_back(static_cast<int>(i));
  }
  return nodes;
}

// 4 V-lines x 5 H-lines.
BCQuasiGrid Grid4x5() {
  return NodeNumberedGrid(4, 5);
}

}  // namespace

TEST(Selection, ColumnRowCellAllAndTheirShapes) {
  BCQuasiGrid g = Grid4x5();
  BCCellInfo info = Cell(g, 2, 8);
  g.SetSelectedColumn(info);
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{1, 2, 6, 9}));
  EXPECT_EQ(g.GetSelShape(), ssColumn);
  TRect r;
  ASSERT_TRUE(g.GetSelSubgridColRow(r));
  EXPECT_EQ(r, (TRect{2, 1, 2, 4}));
  EXPECT_EQ(MarkedNodes(g), (std::vector<int>{6, 7, 8, 9}));
  EXPECT_TRUE(g.IsTopSelected() && g.IsBotSelected());

  // A new selection clears the old marks.
  g.SetSelectedRow(info);
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{0, 3, 3, 3}));
  EXPECT_EQ(g.GetSelShape(), ssRow);
  EXPECT_EQ(MarkedNodes(g), (std::vector<int>{3, 8, 13}));
  EXPECT_FALSE(g.IsTopSelected() || g.IsBotSelected());

  g.SetSelectedCell(info);
  EXPECT_EQ(g.GetSelShape(), ssCell);
  EXPECT_EQ(MarkedNodes(g), std::vector<int>{8});
  BCFPoint p;
  ASSERT_TRUE(g.GetSelSubgridVertex(p));
  EXPECT_EQ(p.x, 10.0f);
  EXPECT_EQ(p.z, 8.0f);

  g.SetSelectedAll();
  EXPECT_EQ(g.GetSelShape(), ssAll);
  EXPECT_EQ(MarkedNodes(g).size(), 12u);

  g.UnselectCells();
  EXPECT_FALSE(g.GetSelSubgridColRow(r));
  g.SelSubgrid = {2, 2, 11, 11};
  EXPECT_FALSE(g.GetSelSubgridVertex(p));
}

TEST(Selection, ShapeOfOtherRectangles) {
  BCQuasiGrid g = Grid4x5();
  const struct {
    BCSubgrid sg;
    SubGridShape shape;
  } cases[] = {
      {{0, 2, 1, 4}, ssColumns},  // two whole columns
      {{0, 3, 2, 3}, ssRows},     // two whole rows
      {{1, 3, 7, 8}, ssSubgrid},  // neither
      {{1, 2, 7, 8}, ssSubgrid},  // part of one column
  };
  for (const auto& c : cases) {
    g.SelSubgrid = c.sg;
    EXPECT_EQ(g.GetSelShape(), c.shape) << c.sg.LeftCol << " " << c.sg.RightCol;
  }
  // One cell on a grid of one cell column counts as a row; on one cell row, as a column.
  BCQuasiGrid narrow = NodeNumberedGrid(2, 5);
  narrow.SelSubgrid = {0, 1, 2, 2};
  EXPECT_EQ(narrow.GetSelShape(), ssRow);
  BCQuasiGrid flat = NodeNumberedGrid(4, 2);
  flat.SelSubgrid = {1, 2, 3, 3};
  EXPECT_EQ(flat.GetSelShape(), ssColumn);
}

TEST(Selection, UnselectKeepsFixedBit) {
  BCQuasiGrid g = Grid4x5();
  g.CellFlags[1] = 3;  // selected and fixed
  g.CellFlags[2] = 1;
  g.CellFlags[3] = 2;
  g.SelActive = true;
  g.UnselectCells();
  EXPECT_FALSE(g.SelActive);
  EXPECT_EQ(g.CellFlags[1], 2);
  EXPECT_EQ(g.CellFlags[2], 0);
  EXPECT_EQ(g.CellFlags[3], 2);
}

TEST(Selection, SubgridSpannedByTwoCellsKeepsEarlierMarks) {
  BCQuasiGrid g = Grid4x5();
  BCCellInfo single = Cell(g, 1, 4);
  g.SetSelectedCell(single);
  // Drags in both directions between the cell at (column 2, node 7) and (column 3, node 11).
  BCCellInfo upperLeft = Cell(g, 2, 8), lowerRight = Cell(g, 3, 11);
  g.SelectSubgrid(upperLeft, lowerRight);
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{1, 3, 6, 8}));
  g.SelectSubgrid(lowerRight, upperLeft);
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{1, 3, 6, 8}));
  EXPECT_EQ(MarkedNodes(g), (std::vector<int>{4, 6, 7, 8, 11, 12, 13}));
  g.SelectSubgrid(upperLeft, upperLeft);
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{1, 2, 8, 8}));
  EXPECT_EQ(g.GetSelShape(), ssCell);
}

TEST(Selection, LayerBetweenHorizons) {
  BCQuasiGrid g = NodeNumberedGrid(3, 8);  // H-lines 0..7; node of IH h on V-line 0 is 7 - h
  EXPECT_EQ(g.SetSelectedLayer(Cell(g, 1, 7 - 3)), 1);
  EXPECT_EQ(g.SelSubgrid, g.WholeSubgrid);

  SetHorizons(g, {2, 5, 9});  // IH 9 lies below the grid and takes no part
  const struct {
    int cellIH;
    int layer;
    BCSubgrid sg;
  } cases[] = {
      {3, 2, {0, 2, 3, 5}},  // rows between H-lines 2 and 5
      {2, 2, {0, 2, 3, 5}},  // top edge on a horizon: the layer below it
      {1, 1, {0, 2, 6, 7}},
      {6, 3, {0, 2, 1, 2}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(g.SetSelectedLayer(Cell(g, 2, 8 + 7 - c.cellIH)), c.layer) << c.cellIH;
    EXPECT_EQ(g.SelSubgrid, c.sg) << c.cellIH;
    EXPECT_TRUE(g.SelActive);
  }
  EXPECT_EQ(MarkedNodes(g), (std::vector<int>{1, 2, 9, 10}));
}
