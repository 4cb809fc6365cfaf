// Inserting V-lines and H-lines: spacing, interpolation, refusals, and the renumbering of
// flags, selection, zoom and horizons.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "structure_checks.h"
#include "support/editable_grid.h"
#include "support/hand_grid.h"
#include "support/hand_model.h"

namespace {

using Floats = std::vector<float>;

// Cell column 0 from X 0 to width, selected, and one more column; three nodes per V-line.
BCEQuasiGrid ColumnModel(float width) {
  BCEQuasiGrid g = Editable(HandGrid({0, width, width + 100}, {0, 10, 20}));
  Select(g, {0, 1, 1, 2});
  return g;
}

}  // namespace

TEST(InsertVLines, SpacingAndRefusals) {
  struct Case {
    float width;
    int n;
    float q, minGap;
    Floats newX;  // empty: refused, model unchanged
  };
  const Case cases[] = {
      {100, 3, 1, 25, {25, 50, 75}},  // equal intervals, exactly minGap wide
      {100, 3, 1, 26, {}},
      {70, 2, 2, 10, {10, 30}},     // intervals 10, 20, 40
      {70, 2, 0.5f, 10, {40, 60}},  // intervals 40, 20, 10
      {70, 2, 0.5f, 10.5f, {}},     // the last, smallest interval is too narrow
      {70, 2, 2, 10.5f, {}},        // the first, smallest interval is too narrow
      {70, -1, 1, 1, {}},
      {70, 2, 1, 0, {}},
      {70, 2, NAN, 1, {}},
  };
  for (const Case& c : cases) {
    BCEQuasiGrid g = ColumnModel(c.width);
    const BCEQuasiGrid before = g;
    EXPECT_EQ(g.InsertVLines(c.n, c.q, c.minGap), c.newX.empty() ? 0 : c.n);
    if (c.newX.empty()) {
      EXPECT_TRUE(SameModel(g, before)) << c.q << " " << c.minGap;
      continue;
    }
    EXPECT_EQ(Floats(g.XX.begin() + 1, g.XX.end() - 2), c.newX);
    EXPECT_EQ(g.SelSubgrid, (BCSubgrid{0, c.n + 1, 1, 2}));
    // Deleting the new V-lines gives the grid back.
    Select(g, {1, c.n + 1, 4, 5});
    g.DeleteVLines();
    EXPECT_TRUE(g.XX == before.XX && g.ZZ == before.ZZ);
  }
  // (Nx + n) x Nz must stay below 2,500,000: (3 + 624,997) x 4 is refused.
  BCEQuasiGrid g = Editable(HandGrid({0, 100, 200}, {0, 10, 20, 30}));
  Select(g, {0, 1, 1, 3});
  EXPECT_EQ(g.InsertVLines(624997, 1, 1e-6f), 0);
  EXPECT_EQ(g.InsertVLines(624996, 1, 1e-6f), 624996);
}

TEST(InsertVLines, InterpolatesAndRenumbers) {
  BCEQuasiGrid g = ColumnModel(100);
  g.VV = {0, 2000, 0, 0, 3000, 3000, 0, 0, 0};
  g.CellFlags[1] = kCellFixed;
  g.ZZ[3] = 2;
  g.ZoomSubgrid = {1, 2, 4, 5};
  ASSERT_EQ(g.InsertVLines(1, 1, 1), 1);
  EXPECT_EQ(g.XX, (Floats{0, 50, 100, 200}));
  EXPECT_EQ((Floats(g.ZZ.begin() + 3, g.ZZ.begin() + 6)), (Floats{1, 10, 20}));
  // 2000 and 3000 give 2500 at t = 0.5; a cell of velocity 0 is copied.
  EXPECT_EQ((Floats(g.VV.begin() + 3, g.VV.begin() + 6)), (Floats{0, 2500, 0}));
  // The fixed cell keeps its top-left node on V-line 0; the new cells are free.
  EXPECT_EQ(g.CellFlags, (std::vector<unsigned char>{0, 3, 1, 0, 1, 1, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(g.ZoomSubgrid, (BCSubgrid{2, 3, 7, 8}));
  // Nothing to insert: nothing changes, but the selection is marked and active again.
  BCEQuasiGrid h = ColumnModel(100);
  h.UnselectCells();
  EXPECT_EQ(h.InsertVLines(0, 1, 1), 0);
  EXPECT_EQ(SelectedNodes(h), (std::vector<int>{1, 2}));
}

TEST(InsertHLines, SplitsTheRowOnEveryVLine) {
  // The selected row runs from 10 to 20 on V-line 0 and from 10 to 80 on V-line 1.
  BCEQuasiGrid g = Editable(HandModel({0, 10}, {0, 10, 20, 30, 0, 10, 80, 90}));
  g.VV = {0, 3000, 2000, 0, 0, 0, 2000, 0};
  g.CellFlags[2] = kCellFixed;
  SetHorizons(g, {0, 1, 2});  // above, on the top edge, on the bottom edge
  Select(g, {0, 1, 2, 2});
  const BCEQuasiGrid before = g;
  EXPECT_EQ(g.InsertHLines(1, 1, 5.1f), 0);  // too thin on V-line 0
  // So many lines that node indices would overflow: reported as exhausted memory.
  std::vector<AnsiString> errors;
  const ErrorHandler previous = SetErrorHandler([&](const AnsiString& t) { errors.push_back(t); });
  EXPECT_EQ(g.InsertHLines(INT_MAX, 1, 1e-30f), -1);
  SetErrorHandler(previous);
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_TRUE(SameModel(g, before));
  ASSERT_EQ(g.InsertHLines(1, 1, 5), 1);
  EXPECT_EQ(g.ZZ, (Floats{0, 10, 15, 20, 30, 0, 10, 45, 80, 90}));
  // Linear in elevation towards the cell below; the row's velocity where that is 0.
  EXPECT_EQ(g.VV[2], 2500);
  EXPECT_EQ(g.VV[7], 2000);
  EXPECT_EQ(g.CellFlags, (std::vector<unsigned char>{0, 0, 1, 3, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(HorizonLines(g), (std::vector<int>{0, 1, 3}));
  // Growing intervals 5, 10, 20 from the top edge (80) down in the row 45..80 of V-line 1.
  ASSERT_EQ(g.InsertHLines(2, 2, 0.5f), 0);  // the selection now spans two rows
  Select(g, {0, 1, 3, 3});
  ASSERT_EQ(g.InsertHLines(2, 2, 0.5f), 2);
  EXPECT_FLOAT_EQ(g.ZZ[g.NodeIndex(1, 4)], 75);
  EXPECT_FLOAT_EQ(g.ZZ[g.NodeIndex(1, 3)], 65);
}
