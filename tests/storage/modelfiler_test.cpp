// Tests of the model-table filer: opening and the record limit, column loads, saves and updates,
// and what a failed save leaves behind.
#include "storage/modelfiler.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "model/quasigrid.h"
#include "platform/files.h"
#include "support/model_tables.h"

namespace {

// Record r as the tests write it: its number, then a distinct value per field.
TableRecord Numbered(int r) {
  TableRecord rec;
  rec[0] = r;
  for (int pos = 1; pos < 9; ++pos) rec[pos] = r * 10.0 + pos + 0.5;
  return rec;
}

std::vector<TableRecord> NumberedRecords(int count) {
  std::vector<TableRecord> records;
  for (int r = 0; r < count; ++r) records.push_back(Numbered(r));
  return records;
}

void RunSql(const std::string& path, const char* sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
}

TEST(ModelFiler, OpensACopyOfTheTemplateWhenTheTableIsMissing) {
  TableDirs dirs;
  WriteRecords(dirs.Templates().File("modelbk.db"), NumberedRecords(3));
  {
    TCModelFiler main(dirs.Db(), false, 'r');
    EXPECT_TRUE(main.Valid);
    EXPECT_EQ(main.RecCount, 0);
    EXPECT_TRUE(FileExists(dirs.Table(false)));
    EXPECT_FALSE(FileExists(dirs.Table(true)));
    for (int pos = 0; pos < 9; ++pos) {
      EXPECT_EQ(main.FloatArr[pos], nullptr);
      EXPECT_EQ(main.FloatVect[pos], nullptr);
    }
  }
  TCModelFiler backup(dirs.Db(), true, 'w');
  EXPECT_TRUE(backup.Valid);
  EXPECT_EQ(backup.RecCount, 3);
}

TEST(ModelFiler, RefusesTablesItCannotUse) {
  TableDirs dirs;
  // No template to copy from.
  std::filesystem::remove(dirs.Templates().File("model.db"));
  EXPECT_FALSE(TCModelFiler(dirs.Db(), false, 'r').Valid);
  // A file that is not a table.
  ScratchDir other;
  other.Write("model.db", "not a table at all");
  EXPECT_FALSE(TCModelFiler(other.Path(), false, 'r').Valid);
  EXPECT_EQ(other.Read("model.db"), "not a table at all");
}

TEST(ModelFiler, HoldsFewerThanTwoAndAHalfMillionRecords) {
  TableDirs dirs;
  WriteRecords(dirs.Table(), {});
  RunSql(dirs.Table(),
         "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 2499999) "
         "INSERT INTO model (RecNo, X, Aux2, Z, V, Fix, Aux6, RayCov, V2) "
         "SELECT i, 0, 0, 0, 0, 0, 0, 0, 0 FROM n");
  {
    TCModelFiler full(dirs.Db(), false, 'r');
    EXPECT_FALSE(full.Valid);
    EXPECT_EQ(full.RecCount, 2500000);
  }
  RunSql(dirs.Table(), "DELETE FROM model WHERE rowid = (SELECT max(rowid) FROM model)");
  TCModelFiler largest(dirs.Db(), false, 'r');
  EXPECT_TRUE(largest.Valid);
  EXPECT_EQ(largest.RecCount, 2499999);
}

TEST(ModelFiler, LoadsLentFieldsInRecordOrder) {
  TableDirs dirs;
  WriteRecords(dirs.Table(), NumberedRecords(4));
  TCModelFiler filer(dirs.Db(), false, 'r');
  ASSERT_TRUE(filer.Valid);

  // Nothing lent: the walk still succeeds.
  EXPECT_TRUE(filer.LoadFV());

  std::vector<float> x{-1.0f};  // appended to, not replaced
  std::vector<float> v2;
  filer.SetFloatVectPtr(mfX, &x);
  filer.SetFloatVectPtr(mfV2, &v2);
  EXPECT_TRUE(filer.LoadFV());
  EXPECT_EQ(x, (std::vector<float>{-1.0f, 1.5f, 11.5f, 21.5f, 31.5f}));
  EXPECT_EQ(v2, (std::vector<float>{8.5f, 18.5f, 28.5f, 38.5f}));

  float z[4] = {};
  filer.FloatArr[mfZ] = z;
  filer.LoadFA();
  EXPECT_EQ(z[0], 3.5f);
  EXPECT_EQ(z[3], 33.5f);
}

TEST(ModelFiler, SaveReplacesTheTableAndWritesZeroWhereNothingIsLent) {
  TableDirs dirs;
  WriteRecords(dirs.Table(), NumberedRecords(5));
  TCModelFiler filer(dirs.Db(), false, 'w');
  ASSERT_TRUE(filer.Valid);
  std::vector<float> z{7.0f, 8.0f, 9.0f};  // longer than RecCount: only the first two go
  filer.SetFloatVectPtr(mfZ, &z);
  filer.RecCount = 2;
  EXPECT_TRUE(filer.SaveFV());
  EXPECT_EQ(ReadRecords(dirs.Table()),
            (std::vector<TableRecord>{{0, 0, 0, 7, 0, 0, 0, 0, 0}, {1, 0, 0, 8, 0, 0, 0, 0, 0}}));

  float v[2] = {4.0f, 5.0f};
  filer.Nullify();
  filer.FloatArr[mfV] = v;
  EXPECT_TRUE(filer.SaveFA());
  EXPECT_EQ(ReadRecords(dirs.Table()),
            (std::vector<TableRecord>{{0, 0, 0, 0, 4, 0, 0, 0, 0}, {1, 0, 0, 0, 5, 0, 0, 0, 0}}));

  // No records to write: the table is emptied, and the save fails.
  filer.RecCount = 0;
  EXPECT_FALSE(filer.SaveFA());
  EXPECT_TRUE(ReadRecords(dirs.Table()).empty());
}

TEST(ModelFiler, AShortVectorFailsTheSaveAndKeepsThePreviousContent) {
  TableDirs dirs;
  const std::vector<TableRecord> before = NumberedRecords(3);
  WriteRecords(dirs.Table(), before);
  RecordErrors errors;
  TCModelFiler filer(dirs.Db(), false, 'w');
  std::vector<float> x(4, 1.0f);
  std::vector<float> z(3, 1.0f);
  filer.SetFloatVectPtr(mfX, &x);
  filer.SetFloatVectPtr(mfZ, &z);
  filer.RecCount = 4;
  EXPECT_FALSE(filer.SaveFV());
  EXPECT_FALSE(filer.UpdateFV());
  EXPECT_TRUE(errors.texts.empty());
  EXPECT_EQ(ReadRecords(dirs.Table()), before);
}

TEST(ModelFiler, UpdateRewritesOnlyTheLentFieldsOfTheFirstRecords) {
  TableDirs dirs;
  WriteRecords(dirs.Table(), NumberedRecords(3));
  std::vector<TableRecord> expected = NumberedRecords(3);
  {
    TCModelFiler filer(dirs.Db(), false, 'w');
    std::vector<float> fix{1.0f, 0.0f};
    filer.SetFloatVectPtr(mfFix, &fix);
    filer.RecCount = 2;
    EXPECT_TRUE(filer.UpdateFV());
    expected[0][mfFix] = 1.0;
    expected[1][mfFix] = 0.0;
  }
  EXPECT_EQ(ReadRecords(dirs.Table()), expected);

  // UpdateFA also numbers the records it rewrites.
  RunSql(dirs.Table(), "UPDATE model SET RecNo = 99");
  TCModelFiler filer(dirs.Db(), false, 'w');
  float rayCov[2] = {0.25f, 0.75f};
  filer.FloatArr[mfRayCov] = rayCov;
  filer.RecCount = 2;
  EXPECT_TRUE(filer.UpdateFA());
  expected[0][mfRayCov] = 0.25;
  expected[1][mfRayCov] = 0.75;
  expected[2][0] = 99;

  // Nothing to update, or more records than the table holds: refused before any write.
  filer.RecCount = 0;
  EXPECT_FALSE(filer.UpdateFA());
  filer.RecCount = 4;
  EXPECT_FALSE(filer.UpdateFA());
  EXPECT_EQ(ReadRecords(dirs.Table()), expected);
}

// A disk that fills up while the records are appended: the child process saves under a small
// file-size limit and reports its result and error boxes through its exit code.
TEST(ModelFiler, AStoreFailureWhileAppendingShowsOverflowAndKeepsThePreviousContent) {
  TableDirs dirs;
  const std::vector<TableRecord> before = NumberedRecords(10);
  WriteRecords(dirs.Table(), before);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{256 * 1024, 256 * 1024};
    setrlimit(RLIMIT_FSIZE, &limit);
    RecordErrors errors;
    TCModelFiler filer(dirs.Db(), false, 'w');
    std::vector<float> v(200000, 1500.0f);
    filer.SetFloatVectPtr(mfV, &v);
    filer.RecCount = static_cast<int>(v.size());
    const bool saved = filer.SaveFV();
    const bool overflow =
        errors.texts == std::vector<AnsiString>{"Model database overflow at saving model."};
    _exit(!saved && overflow ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadRecords(dirs.Table()), before);
}

}  // namespace
