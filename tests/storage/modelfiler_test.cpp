// Tests of the model-table filer: refused tables and column moves.
#include "storage/modelfiler.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <vector>

#include "support/model_tables.h"

namespace {

// Refused: a missing table without a template to copy, a table of 2,500,000 records.
TEST(ModelFiler, RefusesTablesItCannotUse) {
  TableDirs dirs;
  G2_SetDBSampleDir(dirs.db.File("none"));
  EXPECT_FALSE(TCModelFiler(dirs.db.Path(), false, 'r').Valid);
  WriteRecords(dirs.table, {});
  sqlite3* db = nullptr;
  sqlite3_open(dirs.table.c_str(), &db);
  sqlite3_exec(db,
               "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n LIMIT 2500000) "
               "INSERT INTO model SELECT i, 0, 0, 0, 0, 0, 0, 0, 0 FROM n",
               nullptr, nullptr, nullptr);
  EXPECT_FALSE(TCModelFiler(dirs.db.Path(), false, 'r').Valid);
  sqlite3_exec(db, "DELETE FROM model WHERE rowid = 1", nullptr, nullptr, nullptr);
  EXPECT_TRUE(TCModelFiler(dirs.db.Path(), false, 'r').Valid);
  sqlite3_close(db);
}

// Loads append the lent fields of every record in record order (nothing lent: a plain walk);
// UpdateFA renumbers and rewrites the lent fields of the first RecCount records; a table or a
// vector shorter than RecCount refuses an update or a save before anything changes.
TEST(ModelFiler, MovesTheLentColumns) {
  TableDirs dirs;
  std::vector<TableRecord> expected(3);
  for (int r = 0; r < 3; ++r) expected[r] = {99, r + 0.5, 0, r + 1.5, 0, 0, 0, 0, r + 2.5};
  WriteRecords(dirs.table, expected);
  TCModelFiler filer(dirs.db.Path(), false, 'w');
  EXPECT_TRUE(filer.LoadFV());
  std::vector<float> x{-1}, v2;
  float z[3] = {};
  filer.SetFloatVectPtr(mfX, &x);
  filer.SetFloatVectPtr(mfV2, &v2);
  filer.FloatArr[mfZ] = z;
  EXPECT_TRUE(filer.LoadFV());
  filer.LoadFA();
  EXPECT_EQ(x, (std::vector<float>{-1, 0.5f, 1.5f, 2.5f}));
  EXPECT_EQ(v2, (std::vector<float>{2.5f, 3.5f, 4.5f}));
  EXPECT_EQ(std::vector<float>(z, z + 3), (std::vector<float>{1.5f, 2.5f, 3.5f}));
  z[0] = z[2] = -7;
  filer.RecCount = 2;
  ASSERT_TRUE(filer.UpdateFA());
  expected[0][mfZ] = -7;
  for (int r = 0; r < 2; ++r) expected[r][mfRecNo] = r;
  EXPECT_EQ(ReadRecords(dirs.table), expected);
  filer.RecCount = 4;
  EXPECT_FALSE(filer.UpdateFA());
  EXPECT_FALSE(filer.SaveFV());
  EXPECT_EQ(ReadRecords(dirs.table), expected);
}

}  // namespace
