// Cell extents and the fixed bit in cell queries, the selection's drag handle and top line, and
// the check that velocity does not drop with depth.
#include "editing/equasigrid.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/editable_grid.h"
#include "support/hand_grid.h"

TEST(CellQueries, ExtentsAndFixedBitOfACellOnSlopingLines) {
  BCEQuasiGrid g = Editable(SlopingGrid());
  g.CellFlags[2] = kCellSelected | kCellFixed;
  BCCellInfo info{5, 15, 0, 0, 0, 0, 0};  // between row 1 (13 at x 5) and row 2 (22)
  ASSERT_TRUE(g.GetCellInfo(info, false));
  EXPECT_EQ(info.Node, 2);
  EXPECT_EQ(info.Fixed, 0.0f);  // asked without the fixed bit
  ASSERT_TRUE(g.GetCellInfo(info, true));
  EXPECT_EQ(info.Fixed, 1.0f);
  float x1 = 0, x2 = 0, zBot = 0, zTop = 0;
  g.GetCellXRange(info.Col, x1, x2);
  g.GetCellZRange(info, zBot, zTop);
  EXPECT_EQ(x1, 0);
  EXPECT_EQ(x2, 10);
  EXPECT_EQ(zBot, 13);
  EXPECT_EQ(zTop, 22);
  BCDrawCell dc{};
  static_cast<BCQuasiGrid&>(g).CellInfoToDrawCell(info, dc);  // through the virtual slot
  EXPECT_TRUE(dc.Fixed);
  EXPECT_TRUE(dc.Selected);
}

TEST(CellQueries, DragPointInTheVisiblePartOfTheSelection) {
  // The whole width selected in row 2; the zoom window cuts it on the left, on the right, or not.
  struct Case {
    BCSubgrid zoom;
    float x, zMid, zTop, zBot;
  } cases[] = {
      {{0, 2, 1, 3}, 10, 20, 24, 16},
      {{1, 2, 5, 7}, 15, 18.5f, 23, 14},
      {{0, 1, 1, 3}, 5, 17.5f, 22, 13},
  };
  for (const Case& c : cases) {
    BCEQuasiGrid g = Editable(SlopingGrid());
    g.SelSubgrid = {0, 2, 2, 2};
    g.ZoomSubgrid = c.zoom;
    float x = 0, zMid = 0, zTop = 0, zBot = 0;
    g.GetSelSGDragPoint(x, zMid, zTop, zBot);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(zMid, c.zMid);
    EXPECT_EQ(zTop, c.zTop);
    EXPECT_EQ(zBot, c.zBot);
    EXPECT_EQ(g.GetSelSubgridTop(), 1);
  }
  // A stale selection: outputs untouched, no top line.
  BCEQuasiGrid g = Editable(SlopingGrid());
  g.SelSubgrid = {0, 3, 2, 2};
  float x = -1, zMid = -1, zTop = -1, zBot = -1;
  g.GetSelSGDragPoint(x, zMid, zTop, zBot);
  EXPECT_EQ(x + zMid + zTop + zBot, -4);
  EXPECT_EQ(g.GetSelSubgridTop(), -1);
}

TEST(CheckVelocityIncrease, FirstInversionFromTheLeftAndTop) {
  BCEQuasiGrid g = Editable(NodeNumberedGrid(3, 5));
  for (int i = 0; i < 15; ++i) g.VV[i] = 5000.0f - 1000.0f * static_cast<float>(i % 5);
  BCCellInfo info{};
  EXPECT_TRUE(g.CheckVelocityIncrease(info, 0));
  const float minRes = g.GetVelMinRes();
  g.VV[3] = g.VV[2] + minRes;  // the cell above faster by exactly the resolution passes
  EXPECT_TRUE(g.CheckVelocityIncrease(info, 0));
  BCCellInfo oneUlp{};
  g.VV[3] = std::nextafter(g.VV[3], INFINITY);
  EXPECT_FALSE(g.CheckVelocityIncrease(oneUlp, 0));
  EXPECT_EQ(oneUlp.Node, 2);
  g.VV[3] = NAN;  // so does a velocity that is not a number
  g.VV[0] = 0;    // and a slow copy node under the bottom cell
  // Column 2 has inversions at izrel 1 and 3: the upper one is reported.
  g.VV[6] = 100;
  g.VV[8] = 500;
  g.CellFlags[8] = kCellFixed;
  EXPECT_TRUE(g.CheckVelocityIncrease(info, 1));
  EXPECT_TRUE(g.CheckVelocityIncrease(info, 3));  // no such column
  EXPECT_TRUE(g.CheckVelocityIncrease(info, -1));
  EXPECT_EQ(info.Node, 0) << "info untouched";
  ASSERT_FALSE(g.CheckVelocityIncrease(info, 0));
  EXPECT_EQ(info.X, 10);
  EXPECT_EQ(info.Z, 8);
  EXPECT_EQ(info.Node, 8);
  EXPECT_EQ(info.Col, 2);
  EXPECT_EQ(info.HLine, 2);
  EXPECT_EQ(info.V, 500);
  EXPECT_EQ(info.Fixed, 1.0f);
}
