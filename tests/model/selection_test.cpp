// Click selections, selection marks, layers and the classification of a selection.
#include <gtest/gtest.h>

#include <vector>

#include "model/quasigrid.h"
#include "support/hand_grid.h"

namespace {

// A cell as GetCellInfo reports it: 1-based column, top-left node, H-line number.
BCCellInfo Cell(const BCQuasiGrid& g, int col, int node) {
  BCCellInfo info{};
  info.Col = col;
  info.Node = node;
  info.HLine = g.GetIH(node) + 1;
  return info;
}

std::vector<int> Marked(const BCQuasiGrid& g) {
  std::vector<int> nodes;
  for (size_t i = 0; i < g.CellFlags.size(); ++i) {
    if (g.CellFlags[i] & 1) nodes.push_back(static_cast<int>(i));
  }
  return nodes;
}

}  // namespace

TEST(Selection, ClickSelectionsMarksAndShapes) {
  BCQuasiGrid g = NodeNumberedGrid(4, 5);
  g.CellFlags[7] = 2;  // a fixed cell
  BCCellInfo info = Cell(g, 2, 8);
  g.SetSelectedColumn(info);
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{1, 2, 6, 9}));
  EXPECT_EQ(g.GetSelShape(), ssColumn);
  TRect r;
  ASSERT_TRUE(g.GetSelSubgridColRow(r));
  EXPECT_EQ(r, (TRect{2, 1, 2, 4}));
  EXPECT_TRUE(g.IsTopSelected() && g.IsBotSelected());

  g.SetSelectedRow(info);  // clears the column's marks, keeps the fixed bit
  EXPECT_EQ(g.GetSelShape(), ssRow);
  EXPECT_EQ(Marked(g), (std::vector<int>{3, 8, 13}));
  EXPECT_EQ(g.CellFlags[7], 2);
  EXPECT_FALSE(g.IsTopSelected() || g.IsBotSelected());

  g.SetSelectedCell(info);
  EXPECT_EQ(g.GetSelShape(), ssCell);
  BCFPoint p;
  ASSERT_TRUE(g.GetSelSubgridVertex(p));
  EXPECT_TRUE(p.x == 10 && p.z == 8);
  g.SetSelectedAll();
  EXPECT_EQ(g.GetSelShape(), ssAll);
  EXPECT_EQ(Marked(g).size(), 12u);
  g.UnselectCells();
  EXPECT_EQ(g.CellFlags[7], 2);
  EXPECT_EQ(Marked(g).size(), 0u);
  EXPECT_FALSE(g.GetSelSubgridColRow(r));
  g.SelSubgrid = {2, 2, 11, 11};
  EXPECT_FALSE(g.GetSelSubgridVertex(p));

  const std::pair<BCSubgrid, SubGridShape> shapes[] = {{{0, 2, 1, 4}, ssColumns},
                                                       {{0, 3, 2, 3}, ssRows},
                                                       {{1, 3, 7, 8}, ssSubgrid},
                                                       {{1, 2, 7, 8}, ssSubgrid}};
  for (const auto& [sg, shape] : shapes) {
    g.SelSubgrid = sg;
    EXPECT_EQ(g.GetSelShape(), shape) << sg.LeftCol << sg.RightCol << sg.BotNode;
  }
  // One cell counts as a row on a one-column grid and as a column on a one-row grid.
  BCQuasiGrid narrow = NodeNumberedGrid(2, 5), flat = NodeNumberedGrid(4, 2);
  narrow.SelSubgrid = {0, 1, 2, 2};
  flat.SelSubgrid = {1, 2, 3, 3};
  EXPECT_EQ(narrow.GetSelShape(), ssRow);
  EXPECT_EQ(flat.GetSelShape(), ssColumn);
}

TEST(Selection, SubgridSpannedByTwoCellsKeepsEarlierMarks) {
  BCQuasiGrid g = NodeNumberedGrid(4, 5);
  BCCellInfo single = Cell(g, 1, 4), upperLeft = Cell(g, 2, 8), lowerRight = Cell(g, 3, 11);
  g.SetSelectedCell(single);
  g.SelectSubgrid(upperLeft, lowerRight);
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{1, 3, 6, 8}));
  g.SelectSubgrid(lowerRight, upperLeft);
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{1, 3, 6, 8}));
  EXPECT_EQ(Marked(g), (std::vector<int>{4, 6, 7, 8, 11, 12, 13}));
  g.SelectSubgrid(upperLeft, upperLeft);
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{1, 2, 8, 8}));
}

TEST(Selection, LayerBetweenHorizons) {
  BCQuasiGrid g = NodeNumberedGrid(3, 8);  // on V-line 1 the cell with top IH h is 15 - h
  EXPECT_EQ(g.SetSelectedLayer(Cell(g, 2, 15 - 3)), 1);
  EXPECT_EQ(g.SelSubgrid, g.WholeSubgrid);

  SetHorizons(g, {2, 5, 9});  // IH 9 lies below the grid and takes no part
  const struct {
    int cellIH, layer;
    BCSubgrid sg;
  } cases[] = {
      {3, 2, {0, 2, 3, 5}},  // rows between H-lines 2 and 5
      {2, 2, {0, 2, 3, 5}},  // top edge on a horizon: the layer below it
      {1, 1, {0, 2, 6, 7}},
      {6, 3, {0, 2, 1, 2}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(g.SetSelectedLayer(Cell(g, 2, 15 - c.cellIH)), c.layer) << c.cellIH;
    EXPECT_EQ(g.SelSubgrid, c.sg) << c.cellIH;
  }
  EXPECT_EQ(Marked(g), (std::vector<int>{1, 2, 9, 10}));
}
