// The drawing iterators: delivery order, start signal and end, on whole and zoomed grids.
#include <gtest/gtest.h>

#include <vector>

#include "model/quasigrid.h"
#include "support/hand_grid.h"

namespace {

constexpr float kLeftOfGrid = -1e30f;

std::vector<int> CellWalk(BCQuasiGrid& g, SubGridKind kind) {
  std::vector<int> nodes;
  BCDrawCell dc{};
  dc.TopLeft.x = kLeftOfGrid;
  while (g.GetNextCell(dc, kind)) nodes.push_back(dc.Node);
  EXPECT_FALSE(g.GetNextCell(dc, kind)) << "the end must stay the end";
  return nodes;
}

// One entry per call: the node named by the delivered elevation, or -1 / -2 for codes 1 / 2.
std::vector<int> GridLineWalk(const BCQuasiGrid& g) {
  std::vector<int> out;
  BCFPoint p(kLeftOfGrid, 0, 0);
  for (int code = 0; code != 2;) {
    code = g.GetNextHLinePoint(p);
    out.push_back(code == 0 ? static_cast<int>(p.z) : -code);
  }
  return out;
}

std::vector<int> HLineWalk(const BCQuasiGrid& g, int ih, SubGridKind kind) {
  std::vector<int> nodes;
  BCFPoint p(kLeftOfGrid, 0, 0);
  while (g.GetNextHLinePoint(ih, p, kind)) nodes.push_back(static_cast<int>(p.z));
  return nodes;
}

using Nodes = std::vector<int>;

}  // namespace

TEST(GetNextCell, WalksColumnsLeftToRightEachTopDown) {
  BCQuasiGrid g = NodeNumberedGrid(3, 4);
  EXPECT_EQ(CellWalk(g, sgkZoom), (Nodes{3, 2, 1, 7, 6, 5}));
  EXPECT_EQ(CellWalk(g, sgkWhole), (Nodes{3, 2, 1, 7, 6, 5}));
  // An empty selection ends at the start call.
  EXPECT_EQ(CellWalk(g, sgkSelection), Nodes{});

  // A zoom window from V-line 1 and a selection of two rows from V-line 1.
  BCQuasiGrid w = NodeNumberedGrid(4, 4);
  w.ZoomSubgrid = {1, 3, 5, 7};
  w.SelSubgrid = {1, 3, 5, 6};
  EXPECT_EQ(CellWalk(w, sgkZoom), (Nodes{7, 6, 5, 11, 10, 9}));
  EXPECT_EQ(CellWalk(w, sgkSelection), (Nodes{6, 5, 10, 9}));

  // The delivered cell carries its column's corners.
  BCDrawCell dc{};
  dc.TopLeft.x = kLeftOfGrid;
  ASSERT_TRUE(w.GetNextCell(dc, sgkZoom));
  EXPECT_EQ(dc.TopLeft.x, 10.0f);
  EXPECT_EQ(dc.TopRight.x, 20.0f);
}

TEST(GetNextCell, TwoModelsWalkedAtOnce) {
  BCQuasiGrid a = NodeNumberedGrid(3, 4);
  BCQuasiGrid b = NodeNumberedGrid(4, 3);
  BCDrawCell da{}, db{};
  da.TopLeft.x = db.TopLeft.x = kLeftOfGrid;
  Nodes na, nb;
  bool moreA = true, moreB = true;
  while (moreA || moreB) {
    if (moreA && (moreA = a.GetNextCell(da, sgkZoom))) na.push_back(da.Node);
    if (moreB && (moreB = b.GetNextCell(db, sgkZoom))) nb.push_back(db.Node);
  }
  EXPECT_EQ(na, (Nodes{3, 2, 1, 7, 6, 5}));
  EXPECT_EQ(nb, (Nodes{2, 1, 5, 4, 8, 7}));
}

TEST(GetNextVertical, DeliversEachZoomVLineFromBottomBoundaryToTop) {
  BCQuasiGrid g = NodeNumberedGrid(4, 4);
  g.ZoomSubgrid = {1, 3, 5, 7};
  Nodes seen;
  BCFPoint bot(kLeftOfGrid, 0, 0), top;
  while (g.GetNextVertical(bot, top)) {
    EXPECT_EQ(bot.x, top.x);
    seen.push_back(static_cast<int>(bot.z));
    seen.push_back(static_cast<int>(top.z));
  }
  EXPECT_EQ(seen, (Nodes{4, 7, 8, 11, 12, 15}));
  EXPECT_FALSE(g.GetNextVertical(bot, top));
}

TEST(GetNextHLinePoint, AllLinesOfTheZoomWithStepCodes) {
  BCQuasiGrid g = NodeNumberedGrid(3, 4);
  EXPECT_EQ(GridLineWalk(g), (Nodes{3, 7, 11, -1, 2, 6, 10, -1, 1, 5, 9, -1, 0, 4, 8, -2}));
  g = NodeNumberedGrid(4, 4);
  g.ZoomSubgrid = {1, 3, 5, 7};
  EXPECT_EQ(GridLineWalk(g), (Nodes{7, 11, 15, -1, 6, 10, 14, -1, 5, 9, 13, -1, 4, 8, 12, -2}));
}

TEST(GetNextHLinePoint, OneLineAcrossASubgrid) {
  BCQuasiGrid g = NodeNumberedGrid(4, 4);
  g.ZoomSubgrid = {1, 3, 5, 7};
  EXPECT_EQ(HLineWalk(g, 0, sgkZoom), (Nodes{7, 11, 15}));
  EXPECT_EQ(HLineWalk(g, 3, sgkZoom), (Nodes{4, 8, 12}));  // bottom boundary line
  EXPECT_EQ(HLineWalk(g, 0, sgkWhole), Nodes{});
  // A one-row selection on V-line 1 is bounded by H-lines 1 and 2 only.
  g.SelSubgrid = {1, 2, 6, 6};
  EXPECT_EQ(HLineWalk(g, 1, sgkSelection), (Nodes{6, 10}));
  EXPECT_EQ(HLineWalk(g, 2, sgkSelection), (Nodes{5, 9}));
  EXPECT_EQ(HLineWalk(g, 0, sgkSelection), Nodes{});
  EXPECT_EQ(HLineWalk(g, 3, sgkSelection), Nodes{});
  // A refused start is not followed by points on later calls.
  BCFPoint p(kLeftOfGrid, 0, 0);
  EXPECT_FALSE(g.GetNextHLinePoint(0, p, sgkSelection));
  p.x = 5;
  EXPECT_FALSE(g.GetNextHLinePoint(0, p, sgkSelection));
}

TEST(GetNextHorizon, DeliversHorizonsBoundingTheZoomRows) {
  BCQuasiGrid g = NodeNumberedGrid(3, 6);
  BCHor hor;
  bool first = true;
  EXPECT_FALSE(g.GetNextHorizon(first, hor));
  EXPECT_FALSE(first);

  SetHorizons(g, {0, 1, 3, 4, 5});
  g.ZoomSubgrid = {0, 2, 2, 3};  // rows whose top lines are IH 2 and 3; bounded by IH 2..4
  Nodes lines;
  for (first = true; g.GetNextHorizon(first, hor);) lines.push_back(hor.IH);
  EXPECT_EQ(lines, (Nodes{3, 4}));

  g.ZoomSubgrid = g.WholeSubgrid;
  lines.clear();
  for (first = true; g.GetNextHorizon(first, hor);) lines.push_back(hor.IH);
  EXPECT_EQ(lines, (Nodes{0, 1, 3, 4, 5}));
}

TEST(GetHorBounds, SpanOfTheHorizonLineInTheZoom) {
  BCQuasiGrid g = HandGrid({0, 10, 20, 30}, {-30, -20, -10, 0});
  g.ZZ[4 + 2] = -5;    // H-line 1 on V-line 1
  g.ZZ[8 + 2] = -15;   // H-line 1 on V-line 2
  g.ZZ[12 + 2] = -25;  // H-line 1 on V-line 3, outside the zoom
  g.ZoomSubgrid = {1, 3, 5, 7};
  SetHorizons(g, {1, 7});
  BCFRect r(1, 2, 3, 4);
  g.GetHorBounds(1, r);
  EXPECT_EQ(r, BCFRect(10, -5, 30, -25));
  g.ZoomSubgrid = {0, 2, 1, 3};
  g.GetHorBounds(1, r);
  EXPECT_EQ(r, BCFRect(0, -5, 20, -15));

  // Numbers outside the list and a horizon below the grid's lines leave r alone.
  const BCFRect before = r;
  for (int n : {0, 2, 3}) {
    g.GetHorBounds(n, r);
    EXPECT_EQ(r, before) << n;
  }
}
