// The checked edits: the numbering users see, refusals in words with the model untouched, and
// the remesh done as one call.
#include "editing/checked_edits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "structure_checks.h"
#include "support/editable_grid.h"
#include "support/hand_grid.h"
#include "support/hand_model.h"

namespace {

// Five V-lines at X 0, 10, .., 40 with six nodes at elevations 0, 10, .., 50 (H-line h at
// 50 - 10 h); node i has velocity 1000 + i.
BCEQuasiGrid Grid() {
  BCEQuasiGrid g = Editable(HandGrid({0, 10, 20, 30, 40}, {0, 10, 20, 30, 40, 50}));
  for (size_t i = 0; i < g.VV.size(); ++i) g.VV[i] = 1000.0f + float(i);
  return g;
}

std::string Refusal(const std::function<void()>& edit) {
  try {
    edit();
  } catch (const EditRefused& e) {
    return e.what();
  }
  return "accepted";
}

}  // namespace

TEST(CheckedEdits, SelectCountsColumnsAndRowsAsUsersSeeThem) {
  BCEQuasiGrid g = Grid();
  // Columns 2..3 lie between V-lines 1 and 3; rows 4..2 (either order) under H-lines 2..4,
  // whose top-left nodes on V-line 1 have izrel 2..4.
  CheckedSelect(g, {2, 3}, {4, 2});
  EXPECT_EQ(g.SelSubgrid, (BCSubgrid{1, 3, 6 + 2, 6 + 4}));
  EXPECT_EQ(BrokenRule(g), "");
  CheckedSelect(g, {}, {1, 1});
  EXPECT_EQ(g.GetSelShape(), ssRow);
  EXPECT_EQ(g.SelSubgrid.TopNode, 5);
  EXPECT_EQ(Refusal([&] { CheckedSelect(g, {0, 5}, {}); }), "columns 0..5 do not lie within 1..4");
  EXPECT_EQ(g.SelSubgrid.TopNode, 5);
}

TEST(CheckedEdits, RefusalsSayWhyAndChangeNothing) {
  const struct {
    NumberRange cols, rows;  // the selection; {-1, -1} columns: none
    std::function<void(BCEQuasiGrid&)> edit;
    std::string why;
  } cases[] = {
      {{-1, -1}, {}, [](BCEQuasiGrid& g) { CheckedSetVelocity(g, 5); }, "nothing is selected"},
      {{2, 3},
       {},
       [](BCEQuasiGrid& g) { CheckedInsertVLines(g, 1, 1, 1); },
       "the selection must be exactly one cell column of full height"},
      {{2, 2},
       {},
       [](BCEQuasiGrid& g) { CheckedInsertVLines(g, 9, 1, 2); },
       "the new columns would be narrower than the min gap 2"},
      {{},
       {3, 3},
       [](BCEQuasiGrid& g) { CheckedInsertHLines(g, 1, NAN, 1); },
       "the ratio must be a finite number"},
      {{1, 2},
       {},
       [](BCEQuasiGrid& g) { CheckedDeleteSelectedLines(g); },
       "the columns start at the left edge, whose V-line stays"},
      {{},
       {1, 2},
       [](BCEQuasiGrid& g) { CheckedDeleteSelectedLines(g); },
       "the rows include the top row, whose H-line stays"},
      {{2, 3},
       {2, 3},
       [](BCEQuasiGrid& g) { CheckedDoubleRows(g, 5); },
       "a selected row is not thicker than twice the min gap 5"},
      {{},
       {},
       [](BCEQuasiGrid& g) { CheckedMoveHLine(g, 1, 1, 0); },
       "the top H-line cannot move up"},
      {{},
       {},
       [](BCEQuasiGrid& g) { CheckedMoveHLine(g, 3, -9.5f, 1); },
       "the move would bring H-line 3 closer than the min gap 1 to its neighbour"},
      {{},
       {1, 2},
       [](BCEQuasiGrid& g) { CheckedMoveSelection(g, -4, 0); },
       "the selection reaches the top H-line, which stays"},
      {{},
       {},
       [](BCEQuasiGrid& g) { CheckedModifyVelocity(g, 5, true, 9, 1); },
       "the lowest velocity 9 exceeds the highest 1"},
      {{2, 2},
       {},
       [](BCEQuasiGrid& g) { CheckedContinueVelocity(g, 'X'); },
       "no direction 'X'; use D, U, R, L or B"},
      {{},
       {},
       [](BCEQuasiGrid& g) {
         CheckedInterpolateFromColumns(g, {3, 2});
       },
       "the columns must be given in ascending order"},
      {{3, 3},
       {},
       [](BCEQuasiGrid& g) {
         CheckedSetColumn(g, 25, {45, 35, 25, 15, 5}, {0, 0, 0, 0, 0});
       },
       "the profile has no velocity above 0"},
      {{},
       {},
       [](BCEQuasiGrid& g) {
         CheckedReplaceVelocityColumn(g, 1, {5, 9}, {1, 1});
       },
       "the elevations must descend strictly"},
  };
  for (const auto& c : cases) {
    BCEQuasiGrid g = Grid();
    if (c.cols.First >= 0) CheckedSelect(g, c.cols, c.rows);
    const BCEQuasiGrid before = g;
    EXPECT_EQ(Refusal([&] { c.edit(g); }), c.why);
    EXPECT_TRUE(SameModel(g, before)) << c.why;
  }
}

TEST(CheckedEdits, EditsThatNeedMoreThanOneLine) {
  BCEQuasiGrid g = Grid();
  CheckedSelect(g, {2, 2}, {});
  EXPECT_EQ(Refusal([&] { CheckedHalveColumns(g); }), "at least two columns must be selected");
  CheckedSelect(g, {}, {2, 2});
  EXPECT_EQ(Refusal([&] { CheckedHalveRows(g); }), "at least two rows must be selected");
  SetHorizons(g, {2});  // between the first two of rows 2..4, on a line the merge removes
  CheckedSelect(g, {}, {2, 4});
  EXPECT_EQ(Refusal([&] { CheckedHalveRows(g); }),
            "a horizon lies on an H-line inside the selected rows");
  CheckedSelect(g, {}, {2, 3});
  CheckedDoubleRows(g, 1);
  EXPECT_EQ(g.Nz, 8);
  EXPECT_EQ(HorizonLines(g), std::vector<int>{3});  // row 2 split above it
}

// The band of rows 2..4, between H-lines 2 and 5, with its line 3 moved onto a curve;
// a curve outside the band is refused after the band has been started, and the velocities that
// the start clears are all back.
TEST(CheckedEdits, RemeshIsOneCallOrNothing) {
  BCEQuasiGrid g = Grid();
  CheckedSelect(g, {}, {2, 4});
  const BCEQuasiGrid before = g;
  RemeshRequest r{3, std::vector<float>(5, 45.0f), false, false, 1};
  EXPECT_EQ(Refusal([&] { CheckedRemesh(g, r); }), "the curve must lie strictly inside the band");
  EXPECT_TRUE(SameModel(g, before));
  r.Line = 2;
  EXPECT_EQ(Refusal([&] { CheckedRemesh(g, r); }),
            "line 2 does not lie inside the band, H-lines 3..4");
  r.Line = 3;
  r.Curve.assign(5, 35.0f);
  CheckedRemesh(g, r);
  EXPECT_EQ(g.ZZ[g.NodeIndex(4, 3)], 35.0f);
  EXPECT_EQ(g.VV, before.VV);  // the cells moved, their velocities stayed
  EXPECT_EQ(g.RemeshTopLine, -1);
}

// A min gap of 0 lets lines come close but never onto one another: a grid with two H-lines at
// one elevation could not be saved.
TEST(CheckedEdits, AZeroGapKeepsLinesApart) {
  BCEQuasiGrid g = Grid();
  EXPECT_EQ(Refusal([&] { CheckedMoveHLine(g, 3, -10, 0); }),
            "the move would bring H-line 3 closer than the min gap 0 to its neighbour");
  CheckedMoveHLine(g, 3, -9.5f, 0);
  CheckedSelect(g, {}, {2, 2});  // its lower edge onto the bottom line squeezes the rows below
  EXPECT_EQ(Refusal([&] { CheckedMoveSelectionBottom(g, -20.5f, 0); }),
            "the move would leave a row thinner than the min gap 0");
  EXPECT_EQ(BrokenRule(g), "");
}
