// Structure edits when the heap runs out: each allocation of a growing edit fails in turn, and the
// model comes out exactly as it went in, selection marks included, and stays usable.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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
  Select(g, sel);
  return g;
}

struct Edit {
  std::string name;
  BCSubgrid sel;
  std::function<int(BCEQuasiGrid&)> run;
  int failure;  // the result of exhausted memory
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
    BCEQuasiGrid g = Populated(e.sel);
    const BCEQuasiGrid start = g;
    long k = 1;
    for (;; ++k) {
      ASSERT_LT(k, 100) << e.name << " never succeeded";
      dirs.errors.clear();
      gAllocationCountdown = k;
      const int result = e.run(g);
      gAllocationCountdown = 0;
      if (result != e.failure) break;
      EXPECT_EQ(dirs.errors, tooThick);
      ASSERT_TRUE(SameModel(g, start)) << e.name << " allocation " << k;
      BCEQuasiGrid saved = g;  // still fit to be saved, copied and destroyed
      EXPECT_TRUE(saved.SaveModelDb(dirs.db.Path(), false, kSaveGeometry | kSaveFixed));
    }
    EXPECT_GT(k, 1) << e.name << " allocated nothing";
    EXPECT_EQ(BrokenRule(g), e.name == "InsertVLine" ? "WholeSubgrid" : "") << e.name;
  }
}
