// Cell extents and the fixed bit in cell queries, the selection's drag handle and top line, and
// the check that velocity does not drop with depth.
#include "editing/equasigrid.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/editable_grid.h"
#include "support/hand_grid.h"

TEST(CellQueries, ExtentsAndFixedBitOfACellOnSlopingLines) {
  BCEQuasiGrid g = Editable(SlopingGrid());
  g.CellFlags[2] = kCellFixed;
  BCCellInfo info{5, 15, 0, 0, 0, 0, 0};  // between row 1 (13 at x 5) and row 2 (22)
  ASSERT_TRUE(g.GetCellInfo(info, false));
  EXPECT_EQ(info.Fixed, 0.0f);  // not asked for
  ASSERT_TRUE(g.GetCellInfo(info, true));
  EXPECT_EQ(info.Fixed, 1.0f);
  float x1 = 0, x2 = 0, zBot = 0, zTop = 0;
  g.GetCellXRange(info.Col, x1, x2);
  g.GetCellZRange(info, zBot, zTop);
  EXPECT_EQ((std::vector<float>{x1, x2, zBot, zTop}), (std::vector<float>{0, 10, 13, 22}));
  BCDrawCell dc{};
  static_cast<BCQuasiGrid&>(g).CellInfoToDrawCell(info, dc);  // through the virtual slot
  EXPECT_TRUE(dc.Fixed);
}

TEST(CellQueries, DragPointInTheVisiblePartOfTheSelection) {
  // Row 2 selected over the whole width; the zoom window cuts it on the left, the right, or not.
  // Expected x, zMid, zTop, zBot; a stale selection leaves them.
  const BCSubgrid zooms[] = {{0, 2, 1, 3}, {1, 2, 5, 7}, {0, 1, 1, 3}, {0, 2, 1, 3}};
  const std::vector<float> points[] = {
      {10, 20, 24, 16}, {15, 18.5f, 23, 14}, {5, 17.5f, 22, 13}, {-1, -1, -1, -1}};
  for (int k = 0; k < 4; ++k) {
    BCEQuasiGrid g = Editable(SlopingGrid());
    g.SelSubgrid = k < 3 ? BCSubgrid{0, 2, 2, 2} : BCSubgrid{0, 3, 2, 2};
    g.ZoomSubgrid = zooms[k];
    std::vector<float> p(4, -1);
    g.GetSelSGDragPoint(p[0], p[1], p[2], p[3]);
    EXPECT_EQ(p, points[k]) << k;
    EXPECT_EQ(g.GetSelSubgridTop(), k < 3 ? 1 : -1);
  }
}

TEST(CheckVelocityIncrease, FirstInversionFromTheLeftAndTop) {
  BCEQuasiGrid g = Editable(NodeNumberedGrid(3, 5));
  for (int i = 0; i < 15; ++i) g.VV[i] = 5000.0f - 1000.0f * static_cast<float>(i % 5);
  BCCellInfo info{};
  g.VV[3] = g.VV[2] + g.GetVelMinRes();  // faster above by exactly the resolution: passes
  EXPECT_TRUE(g.CheckVelocityIncrease(info, 0));
  g.VV[3] = std::nextafter(g.VV[3], INFINITY);
  EXPECT_FALSE(g.CheckVelocityIncrease(info, 1));
  g.VV[3] = NAN;  // passes, as does a slow copy node under the bottom cell
  g.VV[0] = 0;
  g.VV[6] = 100;  // column 2 slows down under izrel 2 and under izrel 4: the top one counts
  g.VV[8] = 500;
  g.CellFlags[8] = kCellFixed;
  info = {};
  EXPECT_TRUE(g.CheckVelocityIncrease(info, 1) && g.CheckVelocityIncrease(info, 3));
  EXPECT_EQ(info.Node, 0) << "info untouched";
  ASSERT_FALSE(g.CheckVelocityIncrease(info, 0));
  // X, Z, node, column, H-line, velocity and the fixed flag of the slower cell.
  const std::vector<float> got{
      info.X, info.Z, float(info.Node), float(info.Col), float(info.HLine), info.V, info.Fixed};
  EXPECT_EQ(got, (std::vector<float>{10, 8, 8, 2, 2, 500, 1}));
}
