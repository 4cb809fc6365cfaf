// Tests of the table store: walk order, record changes, foreign files and atomic rewrites.
#include "platform/table.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/scratch_dir.h"

namespace {

using Record = std::array<double, kTableFieldCount>;

// Record r as the tests write it: its number, then fractions that differ in every field.
Record Expected(int r) {
  Record record{};
  for (int pos = 0; pos < kTableFieldCount; ++pos)
    record[pos] = pos == 0 ? r : r * 16.0 + pos + 0.25;
  return record;
}

// Records first..last-1 as the tests write them.
std::vector<Record> Range(int first, int last) {
  std::vector<Record> records;
  for (int r = first; r < last; ++r) records.push_back(Expected(r));
  return records;
}

void WriteRecord(TTable& table, int r, bool append = false) {
  const Record record = Expected(r);
  if (append) table.Append();
  for (int pos = 0; pos < kTableFieldCount; ++pos) table.GetField(pos)->SetAsFloat(record[pos]);
}

Record ReadRecord(TTable& table) {
  Record record{};
  for (int pos = 0; pos < kTableFieldCount; ++pos) record[pos] = table.GetField(pos)->GetAsFloat();
  return record;
}

const std::map<char, void (TTable::*)()> kSteps = {
    {'o', &TTable::Open},          {'c', &TTable::Close},  {'x', &TTable::EmptyTable},
    {'u', &TTable::CancelUpdates}, {'f', &TTable::First},  {'n', &TTable::Next},
    {'l', &TTable::Last},          {'a', &TTable::Append}, {'e', &TTable::Edit},
    {'p', &TTable::Post}};

class TableTest : public ::testing::Test {
 protected:
  std::unique_ptr<TTable> Table() const {
    auto table = std::make_unique<TTable>();
    table->SetDatabaseName(dir_.Path());
    table->SetTableName("model.db");
    return table;
  }

  // A new table file holding records 0..count-1.
  void MakeTable(int count) const {
    auto table = Table();
    table->CreateTable();
    table->Open();
    for (int r = 0; r < count; ++r) WriteRecord(*table, r, true);
    table->Close();
  }

  std::vector<Record> ReadFile() const {
    auto table = Table();
    std::vector<Record> records;
    for (table->Open(); !table->Eof(); table->Next()) records.push_back(ReadRecord(*table));
    return records;
  }

  // The bytes of a database file made by SQL outside the table store.
  std::string SqlFile(const std::string& sql) const {
    std::filesystem::remove(dir_.File("sql.db"));
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(dir_.File("sql.db").c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
    return dir_.Read("sql.db");
  }

  // Steps: o Open, c Close, x EmptyTable, u CancelUpdates, f First, n Next, l Last, a Append,
  // e Edit, p Post; wN writes record N's fields; rN checks the current record is N, a bare r
  // that the table is at its end (fields read 0). A step ending in ! must raise EDBEngineError.
  void Run(TTable& table, const std::string& script) const {
    std::istringstream steps(script);
    for (std::string step; steps >> step;) {
      SCOPED_TRACE(step);
      const bool fails = step.back() == '!';
      if (fails) step.pop_back();
      const int n = step.size() > 1 ? std::stoi(step.substr(1)) : -1;
      auto act = [&] {
        if (step[0] == 'w') return WriteRecord(table, n);
        if (step[0] != 'r') return (table.*kSteps.at(step[0]))();
        EXPECT_EQ(std::pair(table.Eof(), ReadRecord(table)),
                  std::pair(n < 0, n < 0 ? Record{} : Expected(n)));
      };
      if (fails)
        EXPECT_THROW(act(), EDBEngineError);
      else
        act();
    }
  }

  ScratchDir dir_;
};

TEST(Variant, CastToIntegerClampsAndZeroesNaN) {
  EXPECT_EQ(static_cast<int32_t>(Variant(3e9f)), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(static_cast<int32_t>(Variant(-3e9f)), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(static_cast<int32_t>(Variant(std::nanf(""))), 0);
}

TEST_F(TableTest, StepsLeaveTheFileAsExpected) {
  // Each script runs on a file of records 0..2 and ends by destroying the table.
  const struct {
    const char* script;
    std::vector<int> file;
  } cases[] = {
      {"o r0 n r1 n r2 n r n r l r2 n r f r0", {0, 1, 2}},  // walk order; the end
      {"o c x o r l r a w5 a w6", {5, 6}},  // emptied: at its end at once, then appended to
      {"o a w3 c o a w4 p r4 a w5", {0, 1, 2, 3, 4, 5}},  // Close and destruction commit
      {"o n e w7 e n r2 e w8 l r8 c", {0, 7, 8}},         // Next and Last store an edit; Edit twice
      {"o c x o a w5 u r0 c", {0, 1, 2}},   // CancelUpdates: the old content, from its start
      {"o e w7 n u c x u", {0, 1, 2}},      // abandoned edits; an abandoned emptying
      {"a! n! o w1! l n e! c", {0, 1, 2}},  // closed; no Append or Edit; at the end
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    std::filesystem::remove(dir_.File("model.db"));
    MakeTable(3);
    Run(*Table(), c.script);
    std::vector<Record> expected;
    for (int r : c.file) expected.push_back(Expected(r));
    EXPECT_EQ(ReadFile(), expected);
  }
}

TEST_F(TableTest, UnwrittenFieldsReadZeroAndTheRecordNumberAnInteger) {
  MakeTable(0);
  auto table = Table();
  EXPECT_THROW(table->CreateTable(), EDBEngineError);  // the file is there already
  EXPECT_THROW(table->GetField(9), EDBEngineError);
  Run(*table, "o a");
  table->GetField(0)->SetAsFloat(2.75);
  table->GetField(1)->SetValue(1.1f);
  table->Append();
  EXPECT_EQ(ReadRecord(*table), Record{});
  Run(*table, "c o");
  EXPECT_EQ(ReadRecord(*table), (Record{2.75, 1.1f, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(table->GetField(0)->GetValue().IsInteger());
  EXPECT_EQ(static_cast<int32_t>(table->GetField(0)->GetValue()), 2);
  EXPECT_FALSE(table->GetField(1)->GetValue().IsInteger());
}

TEST_F(TableTest, EditsAlongAWalkOfManyPages) {
  MakeTable(3000);
  auto table = Table();
  for (table->Open(); !table->Eof(); table->Next()) {
    table->Edit();
    table->GetField(4)->SetAsFloat(-table->GetField(0)->GetAsFloat());
  }
  table->Close();
  std::vector<Record> expected = Range(0, 3000);
  for (Record& record : expected) record[4] = -record[0];
  EXPECT_EQ(ReadFile(), expected);
}

TEST_F(TableTest, FailedWriteAbandonsTheWholeSave) {
  // A table of someone else's making whose constraint refuses X of 1000 or more.
  dir_.Write("model.db",
             SqlFile("CREATE TABLE model (RecNo, X CHECK (X < 1000), Aux2, Z, V, Fix, Aux6, RayCov,"
                     " V2); INSERT INTO model (RecNo, X) VALUES (0, 1), (1, 2);"));
  auto table = Table();
  // The emptying and record 0 go with the refused record 100, and nothing more can be added.
  Run(*table, "o c x o a w0 a w100 p! a! c");
  EXPECT_EQ(ReadFile(), (std::vector<Record>{{0, 1}, {1, 2}}));
}

TEST_F(TableTest, RefusesFilesThatAreNotTablesAndLeavesThemAlone) {
  MakeTable(20000);
  const std::string big = dir_.Read("model.db");
  std::string garbled = big;
  std::fill_n(garbled.begin() + big.size() / 4, big.size() / 4, '\xA5');
  const std::string columns = "(RecNo, X, Aux2, Z, V, Fix, Aux6, RayCov, V2";
  const std::pair<const char*, std::string> cases[] = {
      {"empty file", ""},
      {"text file", "X Z V\n1 2 3\n"},
      {"eight columns", SqlFile("CREATE TABLE model (RecNo, X, Aux2, Z, V, Fix, Aux6, RayCov);")},
      {"order", SqlFile("CREATE TABLE model (RecNo, X, Z, Aux2, V, Fix, Aux6, RayCov, V2);")},
      {"tenth column", SqlFile("CREATE TABLE model " + columns + ", W AS (X + 1));")},
      {"view", SqlFile("CREATE TABLE t " + columns + "); CREATE VIEW model AS SELECT * FROM t;")},
      {"no rowid", SqlFile("CREATE TABLE model " + columns + ", PRIMARY KEY (X)) WITHOUT ROWID;")},
      {"damaged pages", garbled},
  };
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    dir_.Write("model.db", bytes);
    EXPECT_THROW(Table()->Open(), EDBEngineError);
    EXPECT_THROW(Table()->EmptyTable(), EDBEngineError);
    EXPECT_EQ(dir_.Read("model.db"), bytes);
  }
  // A missing file is refused too, and not made.
  std::filesystem::remove(dir_.File("model.db"));
  EXPECT_THROW(Table()->Open(), EDBEngineError);
  EXPECT_FALSE(std::filesystem::exists(dir_.File("model.db")));
}

TEST_F(TableTest, KilledRewriteLeavesThePreviousContent) {
  constexpr int kOld = 200000;  // many pages, which the new records overwrite once freed
  MakeTable(kOld);
  const std::string path = dir_.File("model.db");
  const auto sizeBefore = std::filesystem::file_size(path);
  const pid_t child = fork();
  if (child == 0) {
    try {
      auto table = Table();
      Run(*table, "o c x o");
      for (int r = 0; r < 1000000; ++r) WriteRecord(*table, kOld + r, true);
      table->Close();
    } catch (...) {
      _exit(3);
    }
    _exit(0);
  }
  // Killed once the new records have filled the freed pages and grown the file.
  for (int i = 0; i < 100000 && std::filesystem::file_size(path) <= sizeBefore; ++i) usleep(100);
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
  EXPECT_EQ(ReadFile(), Range(0, kOld));
}

}  // namespace
