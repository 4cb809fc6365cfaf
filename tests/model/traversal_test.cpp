// The drawing iterators: delivery order, restart and end, and two models walked at once.
#include <gtest/gtest.h>

#include <vector>

#include "model/quasigrid.h"
#include "support/hand_grid.h"

namespace {

using Nodes = std::vector<int>;
constexpr float kLeft = -1e30f;  // left of every grid: restarts a walk

// Every walk over a model's zoom window (cells and H-line 3 over the given subgrid), as the nodes
// that the delivered elevations name on a NodeNumberedGrid; GetNextHLinePoint's codes 1 (next
// line) and 2 (done) show as -1 and -2.
struct Walks {
  Nodes cells, verticals, gridLines, hLine3, horizons;
};

Walks Walk(BCQuasiGrid& g, SubGridKind kind = sgkZoom) {
  Walks w;
  BCDrawCell dc{};
  for (dc.TopLeft.x = kLeft; g.GetNextCell(dc, kind);) w.cells.push_back(dc.Node);
  EXPECT_FALSE(g.GetNextCell(dc, kind)) << "the end must stay the end";
  BCFPoint p(kLeft, 0, 0), top;
  while (g.GetNextVertical(p, top)) w.verticals.insert(w.verticals.end(), {int(p.z), int(top.z)});
  p.x = kLeft;
  for (int code = 0; code != 2;) {
    code = g.GetNextHLinePoint(p);
    w.gridLines.push_back(code == 0 ? int(p.z) : -code);
  }
  for (p.x = kLeft; g.GetNextHLinePoint(3, p, kind);) w.hLine3.push_back(int(p.z));
  BCHor hor;
  for (bool first = true; g.GetNextHorizon(first, hor);) w.horizons.push_back(hor.IH);
  return w;
}

}  // namespace

TEST(Iterators, DeliveryOrderOnWholeAndZoomedGridsAndTwoModelsAtOnce) {
  // The whole 3 x 4 grid; columns 1..2 of a 4 x 4 grid; H-lines 2..4 of columns 1..2 of a 4 x 6.
  BCQuasiGrid whole = NodeNumberedGrid(3, 4), zoomed = NodeNumberedGrid(4, 4);
  BCQuasiGrid rows = NodeNumberedGrid(4, 6);
  zoomed.ZoomSubgrid = {1, 3, 5, 7};
  rows.ZoomSubgrid = {1, 3, 8, 9};
  for (BCQuasiGrid* g : {&whole, &zoomed, &rows}) SetHorizons(*g, {0, 1, 2, 3, 4, 5});
  const Walks w[] = {Walk(whole), Walk(zoomed), Walk(rows)};
  EXPECT_EQ(w[0].cells, (Nodes{3, 2, 1, 7, 6, 5}));
  EXPECT_EQ(w[1].cells, (Nodes{7, 6, 5, 11, 10, 9}));
  EXPECT_EQ(w[2].cells, (Nodes{9, 8, 15, 14}));
  EXPECT_EQ(w[0].verticals, (Nodes{0, 3, 4, 7, 8, 11}));
  EXPECT_EQ(w[2].verticals, (Nodes{7, 9, 13, 15, 19, 21}));
  EXPECT_EQ(w[0].gridLines, (Nodes{3, 7, 11, -1, 2, 6, 10, -1, 1, 5, 9, -1, 0, 4, 8, -2}));
  EXPECT_EQ(w[2].gridLines, (Nodes{9, 15, 21, -1, 8, 14, 20, -1, 7, 13, 19, -2}));
  EXPECT_EQ(w[0].hLine3, (Nodes{0, 4, 8}));  // the bottom line of a 4-line grid
  EXPECT_EQ(w[2].hLine3, (Nodes{8, 14, 20}));
  EXPECT_EQ(w[0].horizons, (Nodes{0, 1, 2, 3}));
  EXPECT_EQ(w[2].horizons, (Nodes{2, 3, 4}));
  // H-lines outside the window's rows deliver nothing, nor does going on after the refusal.
  BCFPoint p(kLeft, 0, 0);
  EXPECT_FALSE(rows.GetNextHLinePoint(1, p, sgkZoom) || rows.GetNextHLinePoint(5, p, sgkZoom));
  p.x = 5;
  EXPECT_FALSE(rows.GetNextHLinePoint(5, p, sgkZoom));
  EXPECT_TRUE(Walk(rows, sgkSelection).cells.empty());  // an empty selection

  // Interleaved walks of two models do not disturb each other.
  BCDrawCell dw{}, dz{};
  dw.TopLeft.x = dz.TopLeft.x = kLeft;
  Nodes nw, nz;
  while (whole.GetNextCell(dw, sgkWhole) && zoomed.GetNextCell(dz, sgkZoom)) {
    nw.push_back(dw.Node);
    nz.push_back(dz.Node);
  }
  EXPECT_TRUE(nw == w[0].cells && nz == w[1].cells);
  EXPECT_EQ((Nodes{int(dz.TopLeft.z), int(dz.TopRight.z), int(dz.BotRight.z), int(dz.BotLeft.z)}),
            (Nodes{9, 13, 12, 8}));
  EXPECT_TRUE(dz.TopLeft.x == 20 && dz.BotRight.x == 30);

  SetHorizons(zoomed, {1, 2, 9});  // IH 9 lies off the grid
  BCFRect r;
  for (int n : {2, 0, 3, 4}) {  // H-line 2 (nodes 5, 9, 13) across the zoom; then unchanged
    zoomed.GetHorBounds(n, r);
    EXPECT_EQ(r, BCFRect(10, 13, 30, 5)) << n;
  }
}
