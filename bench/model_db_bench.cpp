// Saving and loading a model of just under 2,500,000 nodes, next to the bare SQLite loops that
// do the same work and a raw binary write and read of the same arrays.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/quasigrid.h"
#include "bench/bench_support.h"
#include "platform/table.h"
#include "support/scratch_dir.h"

namespace {

constexpr int kNx = 2499;
constexpr int kNz = 1000;  // 2,499,000 nodes

// A scratch directory with a model table, shared by every benchmark of the run.
class Workspace {
 public:
  Workspace() : dir_(scratch_.Path()) {
    TTable table;
    table.SetDatabaseName(dir_);
    table.SetTableName("model.db");
    table.CreateTable();
    TIniModel m{BCFRect(0, 0, 24980, -9990), kNx, kNz, 1500, 1800, 4000, 4500, true};
    if (!model_.Init(m)) throw std::runtime_error("Init failed");
    for (size_t i = 0; i < model_.CellFlags.size(); i += 7) model_.CellFlags[i] = 2;
  }
  const std::string& Dir() const { return dir_; }
  std::string Table() const { return dir_ + "/model.db"; }
  BCQuasiGrid& Model() { return model_; }

 private:
  ScratchDir scratch_;
  std::string dir_;
  BCQuasiGrid model_;
};

Workspace& Shared() {
  static Workspace workspace;
  return workspace;
}

// The columns a full save writes, in record order.
struct Columns {
  std::vector<float> x, z, v, fix;
};

Columns ModelColumns(BCQuasiGrid& g) {
  Columns c;
  const size_t n = g.ZZ.size();
  c.x.resize(n);
  c.fix.resize(n);
  for (size_t i = 0; i < n; ++i) {
    c.x[i] = g.XX[i / static_cast<size_t>(g.Nz)];
    c.fix[i] = (g.CellFlags[i] & kCellFixed) ? 1.0f : 0.0f;
  }
  c.z = g.ZZ;
  c.v = g.VV;
  return c;
}

// The bare rewrite: empty the table and insert every record with one prepared statement, all
// in one transaction.
void BM_SqliteInsertBaseline(benchmark::State& state) {
  Workspace& w = Shared();
  const Columns c = ModelColumns(w.Model());
  Measure(state, "insert", {}, [&] {
    sqlite3* db = nullptr;
    CheckSqlite(sqlite3_open_v2(w.Table().c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                                nullptr),
                db);
    sqlite3_stmt* insert = nullptr;
    CheckSqlite(
        sqlite3_prepare_v2(db,
                           "INSERT INTO model (RecNo, X, Aux2, Z, V, Fix, Aux6, RayCov, V2) "
                           "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)",
                           -1, &insert, nullptr),
        db);
    CheckSqlite(sqlite3_exec(db, "BEGIN IMMEDIATE; DELETE FROM model", nullptr, nullptr, nullptr),
                db);
    for (size_t r = 0; r < c.x.size(); ++r) {
      sqlite3_bind_double(insert, 1, static_cast<double>(r));
      sqlite3_bind_double(insert, 2, c.x[r]);
      sqlite3_bind_double(insert, 3, 0.0);
      sqlite3_bind_double(insert, 4, c.z[r]);
      sqlite3_bind_double(insert, 5, c.v[r]);
      sqlite3_bind_double(insert, 6, c.fix[r]);
      sqlite3_bind_double(insert, 7, 0.0);
      sqlite3_bind_double(insert, 8, 0.0);
      sqlite3_bind_double(insert, 9, 0.0);
      CheckSqlite(sqlite3_step(insert), db);
      sqlite3_reset(insert);
    }
    CheckSqlite(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_finalize(insert);
    sqlite3_close(db);
  });
}

void BM_SaveModelDb(benchmark::State& state) {
  Workspace& w = Shared();
  Measure(state, "save", {"insert"}, [&] {
    if (!w.Model().SaveModelDb(w.Dir(), false, 3)) state.SkipWithError("save failed");
  });
}

// The bare read: one prepared SELECT in rowid order into the columns a full load needs.
void BM_SqliteSelectBaseline(benchmark::State& state) {
  Workspace& w = Shared();
  Measure(state, "select", {}, [&] {
    sqlite3* db = nullptr;
    CheckSqlite(sqlite3_open_v2(w.Table().c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                                nullptr),
                db);
    sqlite3_stmt* select = nullptr;
    CheckSqlite(sqlite3_prepare_v2(db,
                                   "SELECT RecNo, X, Aux2, Z, V, Fix, Aux6, RayCov, V2 FROM model "
                                   "ORDER BY rowid",
                                   -1, &select, nullptr),
                db);
    Columns c;
    const size_t n = static_cast<size_t>(kNx) * kNz;
    c.x.reserve(n);
    c.z.reserve(n);
    c.v.reserve(n);
    c.fix.reserve(n);
    while (sqlite3_step(select) == SQLITE_ROW) {
      c.x.push_back(static_cast<float>(sqlite3_column_double(select, 1)));
      c.z.push_back(static_cast<float>(sqlite3_column_double(select, 3)));
      c.v.push_back(static_cast<float>(sqlite3_column_double(select, 4)));
      c.fix.push_back(static_cast<float>(sqlite3_column_double(select, 5)));
    }
    sqlite3_finalize(select);
    sqlite3_close(db);
    benchmark::DoNotOptimize(c.v.data());
  });
}

void BM_LoadModelDb(benchmark::State& state) {
  Workspace& w = Shared();
  BCQuasiGrid g;
  Measure(state, "load", {"select"}, [&] {
    if (!g.LoadModelDb(w.Dir(), false, 5, true)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(g.VV.data());
  });
}

// The same four columns written to a plain file and made durable, and read back.
void BM_RawBinaryWrite(benchmark::State& state) {
  Workspace& w = Shared();
  const Columns c = ModelColumns(w.Model());
  const std::string path = w.Dir() + "/columns.bin";
  Measure(state, "raw write", {}, [&] {
    FILE* f = std::fopen(path.c_str(), "wb");
    for (const std::vector<float>* col : {&c.x, &c.z, &c.v, &c.fix}) {
      std::fwrite(col->data(), sizeof(float), col->size(), f);
    }
    std::fflush(f);
    fsync(fileno(f));
    std::fclose(f);
  });
}

void BM_RawBinaryRead(benchmark::State& state) {
  Workspace& w = Shared();
  const std::string path = w.Dir() + "/columns.bin";
  const size_t n = static_cast<size_t>(kNx) * kNz;
  Measure(state, "raw read", {}, [&] {
    Columns c;
    FILE* f = std::fopen(path.c_str(), "rb");
    for (std::vector<float>* col : {&c.x, &c.z, &c.v, &c.fix}) {
      col->resize(n);
      if (std::fread(col->data(), sizeof(float), n, f) != n) state.SkipWithError("short read");
    }
    std::fclose(f);
    benchmark::DoNotOptimize(c.v.data());
  });
}

BENCHMARK(BM_SqliteInsertBaseline)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
BENCHMARK(BM_SaveModelDb)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
BENCHMARK(BM_SqliteSelectBaseline)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
BENCHMARK(BM_LoadModelDb)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
BENCHMARK(BM_RawBinaryWrite)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
BENCHMARK(BM_RawBinaryRead)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

}  // namespace
