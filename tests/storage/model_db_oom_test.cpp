// Saving and loading a model when the heap runs out: each allocation fails in turn, and a
// failed load must leave the model exactly as it was, a failed save the table as it was.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <new>
#include <vector>

#include "model/quasigrid.h"
#include "support/failing_new.h"
#include "support/hand_model.h"
#include "support/model_tables.h"

namespace {

constexpr long kMostAllocations = 100000;
const AnsiString kLoadMemory = "Memory allocation error at loading model.";
const AnsiString kSaveMemory = "Memory allocation error at saving model.";

// A 3 x 4 model with a selection, a horizon and fixed cells, so that any change shows.
BCQuasiGrid Populated(float base) {
  BCQuasiGrid g = HandModel({0, 10, 25}, {-30, -20, -10, 0, -31, -21, -11, 1, -32, -22, -12, 2});
  for (size_t i = 0; i < g.VV.size(); ++i) g.VV[i] = base + static_cast<float>(i);
  g.TrimVelocity();
  g.CellFlags[5] = 2;
  g.CellFlags[6] = 1;
  g.SelActive = true;
  g.SelSubgrid = {1, 2, 5, 6};
  g.Hors.push_back(BCHor());
  return g;
}

// Runs op with the k-th allocation failing. An exception escapes only while the filer is being
// made, before any table or model is touched; it counts as a failure.
template <typename Op>
bool WithFailingAllocation(long k, Op op) {
  gAllocationCountdown = k;
  bool result = false;
  try {
    result = op();
  } catch (const std::bad_alloc&) {
    result = false;
  }
  gAllocationCountdown = 0;
  return result;
}

TEST(ModelDbOutOfMemory, AFailedLoadLeavesTheModelAsItWas) {
  TableDirs dirs;
  BCQuasiGrid stored = Populated(2000);
  ASSERT_TRUE(stored.SaveModelDb(dirs.Db(), false, 3));
  BCQuasiGrid expected = stored;
  ASSERT_TRUE(expected.LoadModelDb(dirs.Db(), false, 5, false));

  for (const int what : {5, 4, 3}) {
    for (const bool reserve : {true, false}) {
      bool loaded = false;
      int boxes = 0;
      long k = 1;
      for (; !loaded && k < kMostAllocations; ++k) {
        BCQuasiGrid g = Populated(1000);
        const BCQuasiGrid before = g;
        RecordErrors errors;
        loaded = WithFailingAllocation(
            k, [&] { return g.LoadModelDb(dirs.Db(), false, what, reserve); });
        if (loaded) {
          if (what == 5) {
            EXPECT_TRUE(SameModel(g, expected));
          }
          break;
        }
        ASSERT_TRUE(SameModel(g, before)) << "what " << what << ", allocation " << k;
        // One box at most, and only the loader's.
        ASSERT_LE(errors.texts.size(), 1u);
        if (!errors.texts.empty()) {
          ASSERT_EQ(errors.texts[0], kLoadMemory);
          ++boxes;
        }
      }
      ASSERT_TRUE(loaded) << "what " << what;
      // The loader's own allocations were among those that failed.
      EXPECT_GT(boxes, 0) << "what " << what;
    }
  }
}

TEST(ModelDbOutOfMemory, AFailedSaveLeavesTheTableAsItWas) {
  TableDirs dirs;
  BCQuasiGrid old = Populated(1000);
  ASSERT_TRUE(old.SaveModelDb(dirs.Db(), false, 3));
  const std::vector<TableRecord> oldRecords = ReadRecords(dirs.Table());

  for (const int what : {3, 1, 2}) {
    bool saved = false;
    int boxes = 0;
    long k = 1;
    for (; !saved && k < kMostAllocations; ++k) {
      BCQuasiGrid g = Populated(5000);
      g.CellFlags[9] = 2;
      RecordErrors errors;
      saved = WithFailingAllocation(k, [&] { return g.SaveModelDb(dirs.Db(), false, what); });
      if (saved) break;
      ASSERT_EQ(ReadRecords(dirs.Table()), oldRecords) << "what " << what << ", allocation " << k;
      ASSERT_LE(errors.texts.size(), 1u);
      if (!errors.texts.empty()) {
        ASSERT_TRUE(errors.texts[0] == kSaveMemory ||
                    errors.texts[0] == "Model database overflow at saving model.");
        ++boxes;
      }
    }
    ASSERT_TRUE(saved) << "what " << what;
    EXPECT_GT(boxes, 0) << "what " << what;
    EXPECT_NE(ReadRecords(dirs.Table()), oldRecords);
    // Back to the old content for the next case.
    ASSERT_TRUE(old.SaveModelDb(dirs.Db(), false, 3));
  }
}

}  // namespace
