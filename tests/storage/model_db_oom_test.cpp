// Saving and loading a model while allocations fail one by one: a failure must change nothing.
#include <gtest/gtest.h>

#include <new>
#include <utility>
#include <vector>

#include "support/failing_new.h"
#include "support/hand_model.h"
#include "support/model_tables.h"

namespace {

// A 3 x 4 trimmed model with a selection, a horizon and fixed cells, so that any change shows.
BCQuasiGrid Populated(float base) {
  BCQuasiGrid g = HandModel({0, 10, 25}, {-30, -20, -10, 0, -31, -21, -11, 1, -32, -22, -12, 2});
  for (size_t i = 0; i < g.VV.size(); ++i) g.VV[i] = base + static_cast<float>(i);
  g.TrimVelocity();
  g.CellFlags = {0, 0, 0, 0, 0, 2, 1, 0, 0, 0, 0, 0};
  g.SelActive = true;
  g.Hors.push_back(BCHor());
  return g;
}

// Fails allocation k = 1, 2, ... of op until op succeeds; each failure must keep unchanged() true
// and show no box but `box`, which some failure must show. (Making the filer may throw.)
template <typename Op, typename Check>
void FailEachAllocation(TableDirs& dirs, Op op, Check unchanged, const AnsiString& box) {
  bool done = false, shown = false;
  for (long k = 1; !done && k < 100000; ++k) {
    dirs.errors.clear();
    gAllocationCountdown = k;
    try {
      done = op();
    } catch (const std::bad_alloc&) {
    }
    gAllocationCountdown = 0;
    if (done) break;
    ASSERT_TRUE(unchanged()) << "allocation " << k;
    ASSERT_TRUE(dirs.errors.empty() || dirs.errors == std::vector<AnsiString>{box}) << k;
    shown = shown || !dirs.errors.empty();
  }
  EXPECT_TRUE(done && shown) << done;
}

TEST(ModelDbOutOfMemory, AFailedLoadLeavesTheModelAsItWas) {
  TableDirs dirs;
  ASSERT_TRUE(Populated(2000).SaveModelDb(dirs.db.Path(), false, 3));
  for (const auto& [what, reserve] : {std::pair{5, true}, {4, false}, {3, false}}) {
    SCOPED_TRACE(testing::Message() << "what " << what << ", reserve " << reserve);
    BCQuasiGrid g = Populated(1000);
    FailEachAllocation(
        dirs, [&] { return g.LoadModelDb(dirs.db.Path(), false, what, reserve); },
        [&] { return SameModel(g, Populated(1000)); }, "Memory allocation error at loading model.");
  }
}

TEST(ModelDbOutOfMemory, AFailedSaveLeavesTheTableAsItWas) {
  TableDirs dirs;
  BCQuasiGrid old = Populated(1000);
  ASSERT_TRUE(old.SaveModelDb(dirs.db.Path(), false, 1));  // Fix 0 everywhere
  const std::vector<TableRecord> oldRecords = ReadRecords(dirs.table);
  for (const int what : {3, 1, 2}) {
    SCOPED_TRACE(testing::Message() << "what " << what);
    BCQuasiGrid g = Populated(5000);
    FailEachAllocation(
        dirs, [&] { return g.SaveModelDb(dirs.db.Path(), false, what); },
        [&] { return ReadRecords(dirs.table) == oldRecords; },
        "Memory allocation error at saving model.");
    EXPECT_NE(ReadRecords(dirs.table), oldRecords);
    ASSERT_TRUE(old.SaveModelDb(dirs.db.Path(), false, 1));  // back to the old content
  }
}

}  // namespace
