// Edits when the heap runs out: each allocation of an edit fails in turn, and the model comes out
// exactly as it went in, with one error box, and stays usable; the fill from known columns is
// done completely or not at all.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editing/checked_edits.h"
#include "editing/starting_model.h"
#include "structure_checks.h"
#include "support/editable_grid.h"
#include "support/failing_new.h"
#include "support/hand_grid.h"
#include "support/hand_model.h"
#include "support/model_tables.h"

namespace {

const std::vector<AnsiString> kTooThick{"Memory allocation error: too thick grid."};

// Runs run with its k-th allocation failing, k = 1, 2, ..., and calls failed(k) after each run
// that met the failure; returns the k of the first run that did not.
long FailEachAllocationInTurn(const std::function<void()>& run,
                              const std::function<void(long)>& failed) {
  for (long k = 1; k < 100; ++k) {
    gAllocationCountdown = k;
    run();
    const bool hit = gAllocationCountdown == 0;
    gAllocationCountdown = 0;
    if (!hit) return k;
    failed(k);
  }
  ADD_FAILURE() << "never ran through";
  return 0;
}

// A 5 x 6 model with something in every member that an edit touches.
BCEQuasiGrid Populated(const BCSubgrid& sel) {
  BCEQuasiGrid g;
  TIniModel m{BCFRect(0, 0, 100, -50), 5, 6, 1000, 2000, 3000, 4000, true};
  g.Init(m);
  for (int i : {3, 9, 16, 22}) g.CellFlags[i] = kCellFixed;
  SetHorizons(g, {0, 5});
  g.ZoomSubgrid = {1, 3, 7, 11};
  Select(g, sel);
  return g;
}

}  // namespace

TEST(EditsOutOfMemory, StructureEditsLeaveTheModelAsItWas) {
  TableDirs dirs;  // records every error box
  const struct {
    std::string name;
    BCSubgrid sel;
    std::function<int(BCEQuasiGrid&)> run;
    int failure;  // the result of exhausted memory
  } edits[] = {
      {"InsertVLines", {1, 2, 7, 11}, [](BCEQuasiGrid& g) { return g.InsertVLines(2, 1, 1); }, -1},
      {"InsertHLines", {0, 4, 3, 3}, [](BCEQuasiGrid& g) { return g.InsertHLines(2, 2, 1); }, -1},
      {"InsertVLine", {1, 2, 8, 8}, [](BCEQuasiGrid& g) { return int{g.InsertVLine(3)}; }, 0},
      {"DoubleColumns", {1, 3, 8, 9}, [](BCEQuasiGrid& g) { return g.DoubleColumns(1); }, 2},
      {"DoubleRows", {1, 3, 8, 9}, [](BCEQuasiGrid& g) { return g.DoubleRows(1); }, 2},
  };
  for (const auto& e : edits) {
    BCEQuasiGrid g = Populated(e.sel);
    const BCEQuasiGrid start = g;
    int result = 0;
    const long k = FailEachAllocationInTurn(
        [&] { result = e.run(g); },
        [&](long i) {
          EXPECT_EQ(result, e.failure) << e.name << " allocation " << i;
          EXPECT_EQ(dirs.errors, kTooThick);
          dirs.errors.clear();
          EXPECT_TRUE(SameModel(g, start)) << e.name << " allocation " << i;
          BCEQuasiGrid saved = g;  // still fit to be saved, copied and destroyed
          EXPECT_TRUE(saved.SaveModelDb(dirs.db.Path(), false, kSaveGeometry | kSaveFixed));
        });
    EXPECT_GT(k, 1) << e.name << " allocated nothing";
    EXPECT_EQ(BrokenRule(g), e.name == "InsertVLine" ? "WholeSubgrid" : "") << e.name;
  }
}

TEST(EditsOutOfMemory, AStartingModelIsBuiltOrTheModelLeftAsItWas) {
  TableDirs dirs;
  TStartingModel d;
  d.SurfaceX = {0, 500, 1000};
  d.SurfaceZ = {10, 30, 0};
  d.Nx = 9;
  d.Nz = 7;
  d.Bottom = -100;
  d.Law = vlProfile;
  d.ProfileDepth = {0, 50};
  d.ProfileV = {500, 1500};
  const BCEQuasiGrid start = Populated({0, 1, 1, 2});
  BCEQuasiGrid g = start;
  StartingModelResult r;
  FailEachAllocationInTurn([&] { r = BuildStartingModel(g, d); },
                           [&](long i) {
                             EXPECT_EQ(r.Fault, smOutOfMemory) << "allocation " << i;
                             EXPECT_EQ(dirs.errors, kTooThick);
                             dirs.errors.clear();
                             EXPECT_TRUE(SameModel(g, start)) << "allocation " << i;
                           });
  EXPECT_EQ(r.Fault, smBuilt);
  EXPECT_TRUE(dirs.errors.empty());
  EXPECT_EQ(g.VV.size(), 63u);
}

TEST(EditsOutOfMemory, TheFillFromKnownColumnsIsAllOrNothing) {
  BCEQuasiGrid g = Editable(HandGrid({0, 10, 20, 30, 40, 50, 60, 70}, {0, 5, 10}));
  for (size_t i = 0; i < g.VV.size(); ++i) g.VV[i] = 1000.0f + float(i);
  const std::vector<int> cols{2, 4, 7};
  const BCEQuasiGrid start = g;
  BCEQuasiGrid filled = g;
  filled.InterpolateVelBetweenCols(cols);
  const long k = FailEachAllocationInTurn(
      [&] { g.InterpolateVelBetweenCols(cols); },
      [&](long i) { EXPECT_TRUE(SameModel(g, start)) << "allocation " << i; });
  EXPECT_GT(k, 1);
  EXPECT_TRUE(SameModel(g, filled));
}

// The checked forms throw std::bad_alloc instead of showing the box, the model as it was.
TEST(EditsOutOfMemory, CheckedEditsThrowAndKeepTheModel) {
  TableDirs dirs;
  const std::function<void(BCEQuasiGrid&)> edits[] = {
      [](BCEQuasiGrid& g) { CheckedDoubleRows(g, 1); },
      [](BCEQuasiGrid& g) {
        CheckedRemesh(g, {3, std::vector<float>(5, -15.0f), false, true, 1});
      },
  };
  for (const auto& edit : edits) {
    BCEQuasiGrid g = Populated({0, 4, 2, 4});
    g.Hors.clear();
    const BCEQuasiGrid start = g;
    bool threw = false;
    FailEachAllocationInTurn(
        [&] {
          threw = false;
          try {
            edit(g);
          } catch (const std::bad_alloc&) {
            threw = true;
          }
        },
        [&](long i) {
          EXPECT_TRUE(threw && SameModel(g, start)) << "allocation " << i;
          EXPECT_TRUE(dirs.errors.empty());
        });
    EXPECT_FALSE(threw || SameModel(g, start));
  }
}
