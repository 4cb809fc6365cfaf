// Writing and walking a table of 2,500,000 records through TTable, beside the same work done by a
// bare SQLite loop and by a raw binary write and read of the same floats.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/table.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRecords = 2500000;  // the largest model

// Field pos of record r: the record number, then floats that differ from record to record.
float Value(int r, int pos) {
  return pos == 0 ? static_cast<float>(r) : static_cast<float>(r) * 0.37f + static_cast<float>(pos);
}

// A scratch directory for the run, removed at exit.
class ScratchDir {
 public:
  ScratchDir()
      : path_(fs::temp_directory_path() / ("quasigrid_table_bench_" + std::to_string(getpid()))) {
    fs::create_directories(path_);
  }
  ~ScratchDir() { fs::remove_all(path_); }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

const fs::path& Dir() {
  static ScratchDir dir;
  return dir.Path();
}

// A closed table object on a file of the scratch directory.
void Name(TTable& table, const std::string& name) {
  table.SetDatabaseName(Dir().string());
  table.SetTableName(name);
}

// A new, empty table file (the same layout as the templates) in place of any old one.
void MakeEmptyTable(const std::string& name) {
  fs::remove(Dir() / name);
  TTable table;
  Name(table, name);
  table.CreateTable();
}

// The bare loops open the file as TTable does, without SQLite's per-call locking (a table is
// used by one thread), so that the comparison measures TTable's own work.
sqlite3* OpenBare(const std::string& name) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2((Dir() / name).c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                      nullptr) != SQLITE_OK)
    throw std::runtime_error(sqlite3_errmsg(db));
  return db;
}

void Check(int rc, sqlite3* db) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
    throw std::runtime_error(sqlite3_errmsg(db));
}

void TableAppend(const std::string& name) {
  TTable table;
  Name(table, name);
  table.Open();
  for (int r = 0; r < kRecords; ++r) {
    table.Append();
    for (int pos = 0; pos < kTableFieldCount; ++pos) table.GetField(pos)->SetAsFloat(Value(r, pos));
  }
  table.Post();
  table.Close();
}

void BareAppend(const std::string& name) {
  sqlite3* db = OpenBare(name);
  sqlite3_stmt* insert = nullptr;
  Check(sqlite3_prepare_v2(db, "INSERT INTO model VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)", -1,
                           &insert, nullptr),
        db);
  Check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
  for (int r = 0; r < kRecords; ++r) {
    for (int pos = 0; pos < kTableFieldCount; ++pos)
      sqlite3_bind_double(insert, pos + 1, Value(r, pos));
    Check(sqlite3_step(insert), db);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  Check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
  sqlite3_close(db);
}

// Reads every field of every record, as a model load does with the fields it needs.
double TableWalk(const std::string& name) {
  TTable table;
  Name(table, name);
  table.Open();
  double sum = table.RecordCount();
  for (table.First(); !table.Eof(); table.Next())
    for (int pos = 0; pos < kTableFieldCount; ++pos)
      sum += static_cast<float>(table.GetField(pos)->GetAsFloat());
  table.Close();
  return sum;
}

double BareWalk(const std::string& name) {
  sqlite3* db = OpenBare(name);
  sqlite3_stmt* select = nullptr;
  Check(sqlite3_prepare_v2(db, "SELECT * FROM model ORDER BY rowid", -1, &select, nullptr), db);
  double sum = 0;
  while (sqlite3_step(select) == SQLITE_ROW)
    for (int pos = 0; pos < kTableFieldCount; ++pos)
      sum += static_cast<float>(sqlite3_column_double(select, pos));
  sqlite3_finalize(select);
  sqlite3_close(db);
  return sum;
}

void BM_TableAppendCommit(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    MakeEmptyTable("ttable.db");
    state.ResumeTiming();
    TableAppend("ttable.db");
  }
}

void BM_BareSqliteInsertCommit(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    MakeEmptyTable("bare.db");
    state.ResumeTiming();
    BareAppend("bare.db");
  }
}

void BM_RawBinaryWrite(benchmark::State& state) {
  std::vector<float> values(static_cast<size_t>(kRecords) * kTableFieldCount);
  for (int r = 0; r < kRecords; ++r)
    for (int pos = 0; pos < kTableFieldCount; ++pos)
      values[static_cast<size_t>(r) * kTableFieldCount + static_cast<size_t>(pos)] = Value(r, pos);
  for (auto _ : state) {
    std::FILE* out = std::fopen((Dir() / "raw.bin").c_str(), "wb");
    benchmark::DoNotOptimize(std::fwrite(values.data(), sizeof(float), values.size(), out));
    std::fclose(out);
  }
}

// The walks read the files the appends wrote (each makes its own when run alone).
void BM_TableWalkRead(benchmark::State& state) {
  if (!fs::exists(Dir() / "ttable.db")) {
    MakeEmptyTable("ttable.db");
    TableAppend("ttable.db");
  }
  for (auto _ : state) benchmark::DoNotOptimize(TableWalk("ttable.db"));
}

void BM_BareSqliteSelect(benchmark::State& state) {
  if (!fs::exists(Dir() / "bare.db")) {
    MakeEmptyTable("bare.db");
    BareAppend("bare.db");
  }
  for (auto _ : state) benchmark::DoNotOptimize(BareWalk("bare.db"));
}

void BM_RawBinaryRead(benchmark::State& state) {
  std::vector<float> values(static_cast<size_t>(kRecords) * kTableFieldCount);
  if (!fs::exists(Dir() / "raw.bin")) {
    std::FILE* out = std::fopen((Dir() / "raw.bin").c_str(), "wb");
    std::fwrite(values.data(), sizeof(float), values.size(), out);
    std::fclose(out);
  }
  for (auto _ : state) {
    std::FILE* in = std::fopen((Dir() / "raw.bin").c_str(), "rb");
    benchmark::DoNotOptimize(std::fread(values.data(), sizeof(float), values.size(), in));
    std::fclose(in);
    benchmark::DoNotOptimize(values.data());
  }
}

#define TABLE_BENCHMARK(name) \
  BENCHMARK(name)->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond)->UseRealTime()

TABLE_BENCHMARK(BM_TableAppendCommit);
TABLE_BENCHMARK(BM_BareSqliteInsertCommit);
TABLE_BENCHMARK(BM_RawBinaryWrite);
TABLE_BENCHMARK(BM_TableWalkRead);
TABLE_BENCHMARK(BM_BareSqliteSelect);
TABLE_BENCHMARK(BM_RawBinaryRead);

}  // namespace
