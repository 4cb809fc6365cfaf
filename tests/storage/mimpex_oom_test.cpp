// The VFT import when the heap runs out: each allocation fails in turn. A failure while reading
// is a bad line; one while keeping the records for the grid check only sends the check to the
// table, which gives the same result.
#include "storage/mimpex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/failing_new.h"
#include "support/model_tables.h"

TEST(ModelImpexOutOfMemory, EachFailedAllocationGivesABadLineOrTheSameResult) {
  // Columns at X 0 and 50 of 40 nodes each, so that the kept copy is regrown several times.
  std::string text;
  for (int c = 0; c < 2; ++c) {
    for (int k = 0; k < 40; ++k) {
      text += "0 " + std::to_string(50 * c) + " " + std::to_string(k - 40) + " 1500\n";
    }
  }
  bool sawSuccess = false;
  for (long k = 1;; ++k) {
    ASSERT_LT(k, 1000) << "the import never got through";
    TableDirs dirs;
    WriteRecords(dirs.table, {});
    dirs.db.Write("in.vft", text);
    int lineNo = 0;
    int result = 0;
    {
      TCModelImpex impex(dirs.db.File("in.vft"), dirs.db.Path(), 'I');
      gAllocationCountdown = k;
      result = impex.ImportVFT(1, lineNo);
      const bool untouched = gAllocationCountdown > 0;
      gAllocationCountdown = 0;
      if (untouched) {
        EXPECT_EQ(result, vftOk);
        break;
      }
    }
    if (result == vftOk) {
      sawSuccess = true;
      EXPECT_EQ(lineNo, 81);
      EXPECT_EQ(ReadRecords(dirs.table).size(), 80u);
    } else {
      EXPECT_EQ(result, vftBadLine) << "allocation " << k;
    }
  }
  EXPECT_TRUE(sawSuccess) << "no failure fell back on the table's check";
}
