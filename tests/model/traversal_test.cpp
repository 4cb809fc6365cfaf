// The drawing iterators: delivery order, start signal and end, on whole and zoomed grids.
#include <gtest/gtest.h>

#include <vector>

#include "model/quasigrid.h"
#include "support/hand_grid.h"

namespace {

using Nodes = std::vector<int>;
constexpr float kLeft = -1e30f;  // left of every grid: restarts a walk

Nodes CellWalk(BCQuasiGrid& g, SubGridKind kind) {
  Nodes nodes;
  BCDrawCell dc{};
  dc.TopLeft.x = kLeft;
  while (g.GetNextCell(dc, kind)) nodes.push_back(dc.Node);
  EXPECT_FALSE(g.GetNextCell(dc, kind)) << "the end must stay the end";
  return nodes;
}

// Nodes named by the delivered elevations (NodeNumberedGrid); -1 and -2 for codes 1 and 2.
Nodes GridLineWalk(const BCQuasiGrid& g) {
  Nodes out;
  BCFPoint p(kLeft, 0, 0);
  for (int code = 0; code != 2;) {
    code = g.GetNextHLinePoint(p);
    out.push_back(code == 0 ? static_cast<int>(p.z) : -code);
  }
  return out;
}

Nodes HLineWalk(const BCQuasiGrid& g, int ih, SubGridKind kind) {
  Nodes nodes;
  BCFPoint p(kLeft, 0, 0);
  while (g.GetNextHLinePoint(ih, p, kind)) nodes.push_back(static_cast<int>(p.z));
  return nodes;
}

}  // namespace

TEST(GetNextCell, ColumnsLeftToRightEachTopDownAndTwoModelsAtOnce) {
  BCQuasiGrid g = NodeNumberedGrid(3, 4);
  EXPECT_EQ(CellWalk(g, sgkZoom), (Nodes{3, 2, 1, 7, 6, 5}));
  EXPECT_EQ(CellWalk(g, sgkSelection), Nodes{});  // empty selection
  BCQuasiGrid w = NodeNumberedGrid(4, 4);
  w.ZoomSubgrid = {1, 3, 5, 7};
  w.SelSubgrid = {1, 3, 5, 6};
  EXPECT_EQ(CellWalk(w, sgkSelection), (Nodes{6, 5, 10, 9}));

  // Interleaved walks of two models do not disturb each other.
  BCDrawCell dg{}, dw{};
  dg.TopLeft.x = dw.TopLeft.x = kLeft;
  Nodes ng, nw;
  while (g.GetNextCell(dg, sgkWhole) && w.GetNextCell(dw, sgkZoom)) {
    ng.push_back(dg.Node);
    nw.push_back(dw.Node);
    EXPECT_EQ(dw.TopLeft.x, nw.size() <= 3 ? 10.0f : 20.0f);
  }
  EXPECT_EQ(ng, (Nodes{3, 2, 1, 7, 6, 5}));
  EXPECT_EQ(nw, (Nodes{7, 6, 5, 11, 10, 9}));
}

TEST(GetNextHLinePoint, VerticalsAndAllLinesOfTheZoom) {
  BCQuasiGrid g = NodeNumberedGrid(3, 4);
  EXPECT_EQ(GridLineWalk(g), (Nodes{3, 7, 11, -1, 2, 6, 10, -1, 1, 5, 9, -1, 0, 4, 8, -2}));
  g = NodeNumberedGrid(4, 4);
  g.ZoomSubgrid = {1, 3, 5, 7};
  EXPECT_EQ(GridLineWalk(g), (Nodes{7, 11, 15, -1, 6, 10, 14, -1, 5, 9, 13, -1, 4, 8, 12, -2}));

  // Each zoom V-line from the bottom boundary line of its cells to their top.
  Nodes ends;
  BCFPoint bot(kLeft, 0, 0), top;
  while (g.GetNextVertical(bot, top)) ends.insert(ends.end(), {int(bot.z), int(top.z)});
  EXPECT_EQ(ends, (Nodes{4, 7, 8, 11, 12, 15}));
}

TEST(GetNextHLinePoint, OneLineAcrossASubgrid) {
  BCQuasiGrid g = NodeNumberedGrid(4, 4);
  g.ZoomSubgrid = {1, 3, 5, 7};
  EXPECT_EQ(HLineWalk(g, 3, sgkZoom), (Nodes{4, 8, 12}));  // bottom boundary line
  EXPECT_EQ(HLineWalk(g, 0, sgkWhole), Nodes{});
  // A one-row selection is bounded by H-lines 1 and 2 only.
  g.SelSubgrid = {1, 2, 6, 6};
  EXPECT_EQ(HLineWalk(g, 2, sgkSelection), (Nodes{5, 9}));
  EXPECT_EQ(HLineWalk(g, 0, sgkSelection), Nodes{});
  EXPECT_EQ(HLineWalk(g, 3, sgkSelection), Nodes{});
  BCFPoint p(5, 0, 0);  // continuing after a refused start delivers nothing
  EXPECT_FALSE(g.GetNextHLinePoint(0, p, sgkSelection));
}

TEST(GetNextHorizon, HorizonsBoundingTheZoomRowsAndTheirBounds) {
  BCQuasiGrid g = NodeNumberedGrid(3, 6);
  BCHor hor;
  bool first = true;
  EXPECT_FALSE(g.GetNextHorizon(first, hor));
  EXPECT_FALSE(first);
  SetHorizons(g, {0, 1, 3, 4, 5, 9});
  g.ZoomSubgrid = {0, 2, 2, 3};  // cells between H-lines 2 and 4
  Nodes lines;
  for (first = true; g.GetNextHorizon(first, hor);) lines.push_back(hor.IH);
  EXPECT_EQ(lines, (Nodes{3, 4}));

  // Bounds of H-line 3 (nodes 2, 8, 14) across the zoom; IH 9 lies off the grid.
  BCFRect r;
  g.GetHorBounds(3, r);
  EXPECT_EQ(r, BCFRect(0, 14, 20, 2));
  for (int n : {0, 6, 7}) {
    g.GetHorBounds(n, r);
    EXPECT_EQ(r, BCFRect(0, 14, 20, 2)) << n;
  }
}
