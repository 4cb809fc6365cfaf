// Tests of the table store: walk order, record changes, foreign files and atomic rewrites.
#include "platform/table.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Record = std::array<double, kTableFieldCount>;

// Field pos of record r as the tests write it: the record number, then distinct fractions.
double Value(int r, int pos) {
  return pos == 0 ? r : r * 16.0 + pos + 0.25;
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Runs SQL on a database file of its own, outside the table store.
void RunSql(const fs::path& path, const char* sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
}

class TableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> serial{0};
    dir_ = fs::temp_directory_path() /
           ("quasigrid_table_test_" + std::to_string(getpid()) + "_" + std::to_string(serial++));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path PathOf(const std::string& name) const { return dir_ / name; }

  // A closed table object on a file of the test directory.
  std::unique_ptr<TTable> Table(const std::string& name = "model.db") const {
    auto table = std::make_unique<TTable>();
    table->SetDatabaseName(dir_.string());
    table->SetTableName(name);
    return table;
  }

  static void AppendRecord(TTable& table, int r) {
    table.Append();
    for (int pos = 0; pos < kTableFieldCount; ++pos) table.GetField(pos)->SetAsFloat(Value(r, pos));
  }

  // A new table file holding records 0..count-1 of Value.
  void MakeTable(int count, const std::string& name = "model.db") const {
    auto table = Table(name);
    table->CreateTable();
    table->Open();
    for (int r = 0; r < count; ++r) AppendRecord(*table, r);
    table->Close();
  }

  static Record ReadRecord(TTable& table) {
    Record record;
    for (int pos = 0; pos < kTableFieldCount; ++pos)
      record[static_cast<size_t>(pos)] = table.GetField(pos)->GetAsFloat();
    return record;
  }

  // Every record of an open table, walked from the first.
  static std::vector<Record> ReadAll(TTable& table) {
    std::vector<Record> records;
    for (table.First(); !table.Eof(); table.Next()) records.push_back(ReadRecord(table));
    return records;
  }

  std::vector<Record> ReadFile(const std::string& name = "model.db") const {
    auto table = Table(name);
    table->Open();
    return ReadAll(*table);
  }

  static Record Expected(int r) {
    Record record;
    for (int pos = 0; pos < kTableFieldCount; ++pos)
      record[static_cast<size_t>(pos)] = Value(r, pos);
    return record;
  }

  void ExpectTestRecords(const std::vector<Record>& records, int count) const {
    ASSERT_EQ(records.size(), static_cast<size_t>(count));
    for (int r = 0; r < count; ++r) ASSERT_EQ(records[static_cast<size_t>(r)], Expected(r));
  }

  fs::path dir_;
};

TEST(Variant, CastsToIntegerAndFloat) {
  EXPECT_TRUE(Variant().IsInteger());
  EXPECT_EQ(static_cast<int32_t>(Variant()), 0);
  EXPECT_EQ(static_cast<float>(Variant(int32_t{-7})), -7.0f);
  EXPECT_FALSE(Variant(2.5f).IsInteger());
  // Floats cast to integer truncate toward zero, clamp at the int32 range, and NaN gives 0.
  EXPECT_EQ(static_cast<int32_t>(Variant(-2.75f)), -2);
  EXPECT_EQ(static_cast<int32_t>(Variant(3e9f)), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(static_cast<int32_t>(Variant(-3e9f)), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(static_cast<int32_t>(Variant(std::nanf(""))), 0);
}

TEST_F(TableTest, WalksRecordsInAppendOrder) {
  MakeTable(5);
  auto table = Table();
  table->Open();
  EXPECT_TRUE(table->GetActive());
  EXPECT_EQ(table->RecordCount(), 5);
  // Open stands on the first record.
  EXPECT_FALSE(table->Eof());
  EXPECT_EQ(ReadRecord(*table), Expected(0));
  ExpectTestRecords(ReadAll(*table), 5);
  EXPECT_TRUE(table->Eof());
  table->Next();  // past the end stays at the end
  EXPECT_TRUE(table->Eof());
  EXPECT_EQ(table->GetField(3)->GetAsFloat(), 0.0);

  table->Last();
  EXPECT_EQ(ReadRecord(*table), Expected(4));
  table->Next();
  EXPECT_TRUE(table->Eof());
  table->SetActive(false);
  EXPECT_FALSE(table->GetActive());
  EXPECT_TRUE(table->Eof());
}

TEST_F(TableTest, EmptyTableIsAtEndAtOnce) {
  MakeTable(0);
  auto table = Table();
  table->SetActive(true);
  EXPECT_EQ(table->RecordCount(), 0);
  EXPECT_TRUE(table->Eof());
  table->First();
  EXPECT_TRUE(table->Eof());
  table->Last();
  EXPECT_TRUE(table->Eof());
}

TEST_F(TableTest, AppendedFieldsReadZeroUntilWritten) {
  MakeTable(0);
  auto table = Table();
  table->Open();
  table->Append();
  EXPECT_FALSE(table->Eof());
  EXPECT_EQ(ReadRecord(*table), Record{});
  table->GetField(3)->SetAsFloat(2.5);
  table->Append();  // stores the first record
  table->GetField(8)->SetAsFloat(-1.0);
  table->Post();
  EXPECT_EQ(table->RecordCount(), 2);
  EXPECT_EQ(table->GetField(8)->GetAsFloat(), -1.0);  // the posted record stays current
  table->Next();
  EXPECT_TRUE(table->Eof());
  table->Close();

  const auto records = ReadFile();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0], (Record{0, 0, 0, 2.5, 0, 0, 0, 0, 0}));
  EXPECT_EQ(records[1], (Record{0, 0, 0, 0, 0, 0, 0, 0, -1.0}));
}

TEST_F(TableTest, VariantsHoldIntegerRecordNumberAndFloatFields) {
  MakeTable(0);
  auto table = Table();
  table->Open();
  table->Append();
  table->GetField(0)->SetValue(int32_t{7});
  table->GetField(1)->SetValue(1.1f);
  table->GetField(2)->SetValue(int32_t{3});
  table->Append();
  table->GetField(0)->SetAsFloat(2.75);  // a fraction in field 0 reads back cut to integer
  table->GetField(4)->SetValue(Variant(9.5f));
  table->Close();

  table->Open();
  const Variant recNo = table->GetField(0)->GetValue();
  EXPECT_TRUE(recNo.IsInteger());
  EXPECT_EQ(static_cast<int32_t>(recNo), 7);
  const Variant x = table->GetField(1)->GetValue();
  EXPECT_FALSE(x.IsInteger());
  EXPECT_EQ(static_cast<float>(x), 1.1f);
  EXPECT_EQ(table->GetField(1)->GetAsFloat(), static_cast<double>(1.1f));
  EXPECT_EQ(static_cast<float>(table->GetField(2)->GetValue()), 3.0f);
  EXPECT_FALSE(table->GetField(8)->GetValue().IsInteger());
  table->Next();
  EXPECT_EQ(static_cast<int32_t>(table->GetField(0)->GetValue()), 2);
  EXPECT_EQ(static_cast<float>(table->GetField(4)->GetValue()), 9.5f);
}

TEST_F(TableTest, EditIsStoredByNextAndByPost) {
  constexpr int kCount = 3000;  // spans many pages, so the walk goes on across updates
  MakeTable(kCount);
  auto table = Table();
  table->Open();
  int visited = 0;
  for (table->First(); !table->Eof(); table->Next(), ++visited) {
    table->Edit();
    table->GetField(4)->SetAsFloat(-visited);
  }
  EXPECT_EQ(visited, kCount);
  table->First();
  table->Next();
  table->Edit();
  table->Edit();  // a second Edit keeps the open change
  table->GetField(5)->SetAsFloat(42);
  table->Post();
  EXPECT_EQ(table->GetField(5)->GetAsFloat(), 42);
  EXPECT_EQ(table->GetField(0)->GetAsFloat(), 1);  // still on record 1
  table->Close();

  const auto records = ReadFile();
  ASSERT_EQ(records.size(), static_cast<size_t>(kCount));
  for (int r = 0; r < kCount; ++r) {
    Record expected = Expected(r);
    expected[4] = -r;
    if (r == 1) expected[5] = 42;
    ASSERT_EQ(records[static_cast<size_t>(r)], expected) << "record " << r;
  }
}

TEST_F(TableTest, CloseAndDestructionCommitOpenRecords) {
  MakeTable(0);
  {
    auto table = Table();
    table->Open();
    AppendRecord(*table, 0);
    table->Close();  // stores the record that was never posted
    table->Open();
    AppendRecord(*table, 1);
    table->Post();
    AppendRecord(*table, 2);
  }
  ExpectTestRecords(ReadFile(), 3);
}

TEST_F(TableTest, MisuseRaisesEngineError) {
  MakeTable(2);
  auto table = Table();
  // A closed table has no records to count, walk or change.
  EXPECT_THROW(table->RecordCount(), EDBEngineError);
  EXPECT_THROW(table->First(), EDBEngineError);
  EXPECT_THROW(table->Append(), EDBEngineError);
  EXPECT_EQ(table->GetField(1)->GetAsFloat(), 0.0);  // no current record
  // Positions outside 0..8.
  EXPECT_THROW(table->GetField(9), EDBEngineError);
  EXPECT_THROW(table->GetFields()->GetField(-1), EDBEngineError);
  // An existing file is never made anew.
  EXPECT_THROW(table->CreateTable(), EDBEngineError);

  table->Open();
  // Fields are written only into a record opened by Append or Edit.
  EXPECT_THROW(table->GetField(1)->SetAsFloat(1), EDBEngineError);
  EXPECT_THROW(table->GetField(0)->SetValue(int32_t{1}), EDBEngineError);
  EXPECT_THROW(table->SetTableName("modelbk.db"), EDBEngineError);
  EXPECT_THROW(table->SetDatabaseName("/tmp"), EDBEngineError);
  table->Last();
  table->Next();
  EXPECT_THROW(table->Edit(), EDBEngineError);  // no current record at the end
  table->Close();
  ExpectTestRecords(ReadFile(), 2);
}

TEST_F(TableTest, EmptyingAndRefillingIsOneTransaction) {
  MakeTable(10);
  {
    // The order of steps with which a model is saved over an old one.
    auto writer = Table();
    writer->Open();
    writer->Close();
    writer->EmptyTable();
    EXPECT_FALSE(writer->GetActive());
    writer->Open();
    EXPECT_EQ(writer->RecordCount(), 0);
    EXPECT_TRUE(writer->Eof());
    for (int r = 100; r < 103; ++r) AppendRecord(*writer, r);
    writer->Post();
    EXPECT_EQ(writer->RecordCount(), 3);
    // Nothing is committed yet: another reader still sees the old content.
    ExpectTestRecords(ReadFile(), 10);
  }
  const auto records = ReadFile();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[2], Expected(102));
}

TEST_F(TableTest, CancelUpdatesKeepsCommittedContent) {
  MakeTable(10);
  auto table = Table();
  // Abandoned on an open table: it stays open on the first old record.
  table->Open();
  table->Close();
  table->EmptyTable();
  table->Open();
  for (int r = 100; r < 200; ++r) AppendRecord(*table, r);
  table->CancelUpdates();
  EXPECT_TRUE(table->GetActive());
  EXPECT_EQ(table->RecordCount(), 10);
  EXPECT_EQ(ReadRecord(*table), Expected(0));
  table->Close();
  ExpectTestRecords(ReadFile(), 10);

  // Abandoned on a closed table right after emptying it.
  table->EmptyTable();
  table->CancelUpdates();
  EXPECT_FALSE(table->GetActive());
  ExpectTestRecords(ReadFile(), 10);

  // Abandoning edits restores the old values.
  table->Open();
  table->Edit();
  table->GetField(1)->SetAsFloat(-5);
  table->Next();
  table->CancelUpdates();
  table->Close();
  ExpectTestRecords(ReadFile(), 10);
}

TEST_F(TableTest, FailedWriteAbandonsTheWholeSave) {
  // A table of someone else's making whose constraint refuses X of 1000 or more.
  RunSql(PathOf("model.db"),
         "CREATE TABLE model (RecNo, X CHECK (X < 1000), Aux2, Z, V, Fix, Aux6, RayCov, V2);"
         "INSERT INTO model (RecNo, X) VALUES (0, 1), (1, 2);");
  auto table = Table();
  table->Open();
  table->Close();
  table->EmptyTable();
  table->Open();
  AppendRecord(*table, 0);
  AppendRecord(*table, 100);  // X = 1601.25
  EXPECT_THROW(table->Post(), EDBEngineError);
  // The emptying and the first record went with the failed one, and the table is closed, so
  // nothing more can be added to what is left of the old content.
  EXPECT_FALSE(table->GetActive());
  EXPECT_THROW(table->Append(), EDBEngineError);
  table->Close();
  const auto records = ReadFile();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1][1], 2.0);
}

TEST_F(TableTest, FileIsAPlainSqliteTable) {
  // A table written by another program, with its own idea of types and case, is ours to read.
  RunSql(PathOf("model.db"),
         "CREATE TABLE MODEL (recno, x, aux2, z, v, fix, aux6, raycov, v2);"
         "INSERT INTO MODEL VALUES (0, 1.5, 0, 2, 3, 0, 0, 0, NULL), (1, '2.5', 0, 0, 0, 0, 0, 0, "
         "0);");
  auto table = Table();
  table->Open();
  EXPECT_EQ(table->RecordCount(), 2);
  EXPECT_EQ(table->GetField(8)->GetAsFloat(), 0.0);  // NULL reads as 0
  table->Next();
  EXPECT_EQ(table->GetField(1)->GetAsFloat(), 2.5);
  table->Close();

  // What we write, others read by column name in rowid order.
  MakeTable(4, "modelbk.db");
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(PathOf("modelbk.db").c_str(), &db), SQLITE_OK);
  sqlite3_stmt* stmt = nullptr;
  ASSERT_EQ(
      sqlite3_prepare_v2(db, "SELECT RecNo, Z, V2 FROM model ORDER BY rowid", -1, &stmt, nullptr),
      SQLITE_OK);
  int r = 0;
  for (; sqlite3_step(stmt) == SQLITE_ROW; ++r) {
    EXPECT_EQ(sqlite3_column_type(stmt, 0), SQLITE_INTEGER);
    EXPECT_EQ(sqlite3_column_int(stmt, 0), r);
    EXPECT_EQ(sqlite3_column_double(stmt, 1), Value(r, 3));
    EXPECT_EQ(sqlite3_column_double(stmt, 2), Value(r, 8));
  }
  EXPECT_EQ(r, 4);
  sqlite3_finalize(stmt);
  sqlite3_close(db);
}

TEST_F(TableTest, RefusesFilesThatAreNotTables) {
  MakeTable(20000, "big.db");
  const std::string big = ReadBytes(PathOf("big.db"));
  ASSERT_GT(big.size(), 1000000u);
  auto damaged = [&](size_t from, size_t length) {
    std::string bytes = big;
    for (size_t i = from; i < from + length; ++i) bytes[i] = static_cast<char>(0xA5 ^ (i * 7));
    return bytes;
  };
  const std::vector<std::pair<const char*, std::function<void(const fs::path&)>>> cases = {
      {"empty file", [](const fs::path& p) { WriteBytes(p, ""); }},
      {"text file", [](const fs::path& p) { WriteBytes(p, "X Z V\n1 2 3\n"); }},
      {"database without table model",
       [](const fs::path& p) { RunSql(p, "CREATE TABLE other (a, b);"); }},
      {"eight columns",
       [](const fs::path& p) {
         RunSql(p, "CREATE TABLE model (RecNo, X, Aux2, Z, V, Fix, Aux6, RayCov);");
       }},
      {"columns out of order",
       [](const fs::path& p) {
         RunSql(p, "CREATE TABLE model (RecNo, X, Z, Aux2, V, Fix, Aux6, RayCov, V2);");
       }},
      {"generated tenth column",
       [](const fs::path& p) {
         RunSql(p,
                "CREATE TABLE model (RecNo, X, Aux2, Z, V, Fix, Aux6, RayCov, V2,"
                " W AS (X + 1));");
       }},
      {"view named model",
       [](const fs::path& p) {
         RunSql(p,
                "CREATE TABLE t (RecNo, X, Aux2, Z, V, Fix, Aux6, RayCov, V2);"
                "CREATE VIEW model AS SELECT * FROM t;");
       }},
      {"table without rowid",
       [](const fs::path& p) {
         RunSql(p,
                "CREATE TABLE model (RecNo PRIMARY KEY, X, Aux2, Z, V, Fix, Aux6, RayCov, V2)"
                " WITHOUT ROWID;");
       }},
      {"garbage header", [&](const fs::path& p) { WriteBytes(p, damaged(0, 100)); }},
      {"garbage pages",
       [&](const fs::path& p) { WriteBytes(p, damaged(big.size() / 4, big.size() / 4)); }},
      {"truncated", [&](const fs::path& p) { WriteBytes(p, big.substr(0, big.size() / 2)); }},
  };
  for (const auto& [what, make] : cases) {
    SCOPED_TRACE(what);
    const fs::path path = PathOf("model.db");
    fs::remove(path);
    make(path);
    const std::string before = ReadBytes(path);
    auto table = Table();
    EXPECT_THROW(table->Open(), EDBEngineError);
    EXPECT_FALSE(table->GetActive());
    EXPECT_THROW(table->EmptyTable(), EDBEngineError);
    table.reset();
    EXPECT_EQ(ReadBytes(path), before);  // never turned into a table of ours
  }
  // A missing file is refused too, and not made.
  fs::remove(PathOf("model.db"));
  EXPECT_THROW(Table()->Open(), EDBEngineError);
  EXPECT_THROW(Table()->EmptyTable(), EDBEngineError);
  EXPECT_FALSE(fs::exists(PathOf("model.db")));
}

// Rewrites model.db with `count` records in a child process, which writes one byte to `signal`
// after `signalAfter` appends (at count: just before Close). Returns the child's id.
pid_t StartRewrite(const fs::path& dir, int count, int signalAfter, int signal) {
  const pid_t child = fork();
  if (child != 0) return child;
  try {
    TTable table;
    table.SetDatabaseName(dir.string());
    table.SetTableName("model.db");
    table.Open();
    table.Close();
    table.EmptyTable();
    table.Open();
    for (int r = 0; r <= count; ++r) {
      if (r == signalAfter && write(signal, "!", 1) != 1) _exit(2);
      if (r == count) break;
      table.Append();
      for (int pos = 0; pos < kTableFieldCount; ++pos)
        table.GetField(pos)->SetAsFloat(Value(r + 1000000, pos));
    }
    table.Close();
  } catch (...) {
    _exit(3);
  }
  _exit(0);
}

// Kills the rewriting child as soon as it signals; true when it died by the signal.
bool KillOnSignal(pid_t child, int signal) {
  char byte = 0;
  const bool signalled = read(signal, &byte, 1) == 1;
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  return signalled && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

TEST_F(TableTest, KilledRewriteLeavesPreviousContent) {
  MakeTable(1000);
  const auto sizeBefore = fs::file_size(PathOf("model.db"));
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  const pid_t child = StartRewrite(dir_, 1000000, 300000, pipeEnds[1]);
  ASSERT_GT(child, 0);
  EXPECT_TRUE(KillOnSignal(child, pipeEnds[0]));
  close(pipeEnds[0]);
  close(pipeEnds[1]);
  // The new records had reached the file when the writer died.
  EXPECT_GT(fs::file_size(PathOf("model.db")), sizeBefore);
  ExpectTestRecords(ReadFile(), 1000);
}

TEST_F(TableTest, KilledCommitLeavesOldOrNewContent) {
  MakeTable(1000);
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  constexpr int kCount = 1000000;
  const pid_t child = StartRewrite(dir_, kCount, kCount, pipeEnds[1]);
  ASSERT_GT(child, 0);
  KillOnSignal(child, pipeEnds[0]);  // the child may have finished its commit by then
  close(pipeEnds[0]);
  close(pipeEnds[1]);
  auto table = Table();
  table->Open();
  const int count = table->RecordCount();
  ASSERT_TRUE(count == 1000 || count == kCount) << count;
  const int base = count == kCount ? 1000000 : 0;
  table->Last();
  EXPECT_EQ(ReadRecord(*table), Expected(base + count - 1));
  table->First();
  EXPECT_EQ(ReadRecord(*table), Expected(base));
}

}  // namespace
