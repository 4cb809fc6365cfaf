// Structure edits when the heap runs out: each allocation of a growing edit fails in turn, and the
// model must come out exactly as it went in, selection marks included, and stay usable. Removals
// allocate nothing at all.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "editing/equasigrid.h"
#include "structure_checks.h"
#include "support/failing_new.h"
#include "support/hand_grid.h"
#include "support/hand_model.h"
#include "support/model_tables.h"

namespace {

// A 5 x 6 model with something in every member that an edit touches.
BCEQuasiGrid Populated(const BCSubgrid& sel) {
  BCEQuasiGrid g;
  TIniModel m{BCFRect(0, 0, 100, -50), 5, 6, 1000, 2000, 3000, 4000, true};
  g.Init(m);
  for (int i : {3, 9, 16, 22}) g.CellFlags[i] = kCellFixed;
  SetHorizons(g, {0, 5});
  g.ZoomSubgrid = {1, 3, 7, 11};
  g.RemeshTopLine = 2;
  Select(g, sel);
  return g;
}

struct Edit {
  const char* name;
  BCSubgrid sel;
  std::function<int(BCEQuasiGrid&)> run;
  int failure;  // the result that reports exhausted memory
};

}  // namespace

TEST(StructureEditsOutOfMemory, EachFailedAllocationLeavesTheModelAsItWas) {
  TableDirs dirs;  // records every error box
  const std::vector<AnsiString> tooThick{"Memory allocation error: too thick grid."};
  const Edit edits[] = {
      {"InsertVLines", {1, 2, 7, 11}, [](BCEQuasiGrid& g) { return g.InsertVLines(2, 1, 1); }, -1},
      {"InsertHLines", {0, 4, 3, 3}, [](BCEQuasiGrid& g) { return g.InsertHLines(2, 2, 1); }, -1},
      {"InsertVLine", {1, 2, 8, 8}, [](BCEQuasiGrid& g) { return int{g.InsertVLine(3)}; }, 0},
      {"DoubleColumns", {1, 3, 8, 9}, [](BCEQuasiGrid& g) { return g.DoubleColumns(1); }, 2},
      {"DoubleRows", {1, 3, 8, 9}, [](BCEQuasiGrid& g) { return g.DoubleRows(1); }, 2},
  };
  for (const Edit& e : edits) {
    SCOPED_TRACE(e.name);
    BCEQuasiGrid g = Populated(e.sel);
    const BCEQuasiGrid start = g;
    for (long k = 1;; ++k) {
      ASSERT_LT(k, 100) << "never succeeded";
      dirs.errors.clear();
      gAllocationCountdown = k;
      const int result = e.run(g);
      gAllocationCountdown = 0;
      if (result != e.failure) break;
      EXPECT_EQ(dirs.errors, tooThick);
      ASSERT_TRUE(SameModel(g, start)) << "allocation " << k;
      EXPECT_EQ(g.RemeshTopLine, 2);
      BCEQuasiGrid saved = g;  // still fit to be saved, copied and destroyed
      EXPECT_TRUE(saved.SaveModelDb(dirs.db.Path(), false, kSaveGeometry | kSaveFixed));
    }
    EXPECT_TRUE(dirs.errors.empty());
    EXPECT_EQ(BrokenRule(g), e.name == std::string("InsertVLine") ? "WholeSubgrid" : "");
  }
}

TEST(StructureEditsOutOfMemory, RemovalsAllocateNothing) {
  const Edit removals[] = {
      {"DeleteSelectedLines",
       {1, 3, 7, 11},
       [](BCEQuasiGrid& g) { return g.DeleteSelectedLines(); },
       1},
      {"DeleteVLines",
       {1, 3, 7, 11},
       [](BCEQuasiGrid& g) {
         g.DeleteVLines();
         return 0;
       },
       1},
      {"DeleteHLines",
       {0, 4, 2, 3},
       [](BCEQuasiGrid& g) {
         g.DeleteHLines();
         return 0;
       },
       1},
      {"HalveColumns",
       {0, 3, 1, 5},
       [](BCEQuasiGrid& g) {
         g.HalveColumns();
         return 0;
       },
       1},
      {"HalveRows", {0, 4, 1, 4}, [](BCEQuasiGrid& g) { return int{!g.HalveRows()}; }, 1},
  };
  for (const Edit& e : removals) {
    BCEQuasiGrid g = Populated(e.sel);
    const size_t nodes = g.VV.size();
    gAllocationCountdown = 1;
    EXPECT_NE(e.run(g), e.failure) << e.name;
    EXPECT_EQ(gAllocationCountdown, 1) << e.name << " allocated";
    gAllocationCountdown = 0;
    EXPECT_LT(g.VV.size(), nodes) << e.name;
  }
}
