// The exchange files at just under 2,500,000 nodes: VFT import, VFT and DAT export and the VEL
// writer, each next to the bare loops that do the same work (SQLite select or insert with
// to_chars or from_chars) and, for the exports, to the same lines made by one snprintf each.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <charconv>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/quasigrid.h"
#include "bench/bench_support.h"
#include "platform/table.h"
#include "storage/internal/number_text.h"
#include "storage/mimpex.h"
#include "storage/modelfiler.h"
#include "support/scratch_dir.h"

namespace {

constexpr int kNx = 2499;
constexpr int kNz = 1000;  // 2,499,000 nodes

// A scratch directory with the model saved in its table and exported as a VFT file.
class Workspace {
 public:
  Workspace() : dir_(scratch_.Path()) {
    TTable table;
    table.SetDatabaseName(dir_);
    table.SetTableName("model.db");
    table.CreateTable();
    TIniModel m{BCFRect(0, 0, 24980, -9990), kNx, kNz, 1500, 1800, 4000, 4500, true};
    if (!model_.Init(m) || !model_.SaveModelDb(dir_, false, kSaveGeometry)) {
      throw std::runtime_error("no model");
    }
    TCModelImpex impex(File("model.vft"), dir_, 'E');
    if (!impex.ExportVFT(false)) throw std::runtime_error("no VFT file");
  }
  const std::string& Dir() const { return dir_; }
  std::string File(const char* name) const { return dir_ + "/" + name; }
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

sqlite3* OpenTable(const Workspace& w) {
  sqlite3* db = nullptr;
  CheckSqlite(sqlite3_open_v2((w.Dir() + "/model.db").c_str(), &db,
                              SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr),
              db);
  return db;
}

// The bare export: the fields an export reads (RecNo, X, Z, V, V2) of every record in rowid
// order, each line made by line() from X, Z and V, written with fwrite.
template <typename Line>
void SelectAndWrite(const Workspace& w, const char* file, Line line) {
  sqlite3* db = OpenTable(w);
  sqlite3_stmt* select = nullptr;
  CheckSqlite(sqlite3_prepare_v2(db, "SELECT RecNo, X, Z, V, V2 FROM model ORDER BY rowid", -1,
                                 &select, nullptr),
              db);
  FILE* out = std::fopen(w.File(file).c_str(), "wb");
  std::vector<char> block;
  block.reserve(1 << 17);
  int sum = 0;
  for (int k = 0; sqlite3_step(select) == SQLITE_ROW; ++k) {
    sum += sqlite3_column_int(select, 0);
    line(block, k, static_cast<float>(sqlite3_column_double(select, 1)),
         static_cast<float>(sqlite3_column_double(select, 2)),
         static_cast<float>(sqlite3_column_double(select, 3)));
    benchmark::DoNotOptimize(static_cast<float>(sqlite3_column_double(select, 4)));
    if (block.size() >= (1 << 16)) {
      std::fwrite(block.data(), 1, block.size(), out);
      block.clear();
    }
  }
  std::fwrite(block.data(), 1, block.size(), out);
  std::fclose(out);
  benchmark::DoNotOptimize(sum);
  sqlite3_finalize(select);
  sqlite3_close(db);
}

void Append(std::vector<char>& block, const char* text, size_t length) {
  block.insert(block.end(), text, text + length);
}

void AppendFixed(std::vector<char>& block, float value, int width, int precision) {
  char buf[kFieldBufferSize];
  Append(block, buf, FormatFixed(buf, value, width, precision, false));
}

int VFTIndex(int k) {
  return (k % kNz) * kNx + k / kNz;
}

void VFTLineToChars(std::vector<char>& block, int k, float x, float z, float v) {
  char buf[kFieldBufferSize];
  Append(block, buf, FormatInt(buf, VFTIndex(k), 9));
  for (const float value : {x, z, v}) {
    Append(block, "     ", 5);
    AppendFixed(block, value, 12, 3);
  }
  block.push_back('\n');
}

void VFTLineSnprintf(std::vector<char>& block, int k, float x, float z, float v) {
  char buf[256];
  const int n = std::snprintf(buf, sizeof buf, "%9d     %12.3f     %12.3f     %12.3f\n",
                              VFTIndex(k), x, z, v);
  Append(block, buf, static_cast<size_t>(n));
}

void DATLineToChars(std::vector<char>& block, int, float x, float z, float v) {
  AppendFixed(block, x, 12, 3);
  Append(block, ",   ", 4);
  AppendFixed(block, z, 12, 3);
  Append(block, ",   ", 4);
  AppendFixed(block, v, 12, 3);
  block.push_back('\n');
}

void DATLineSnprintf(std::vector<char>& block, int, float x, float z, float v) {
  char buf[256];
  const int n = std::snprintf(buf, sizeof buf, "%12.3f,   %12.3f,   %12.3f\n", x, z, v);
  Append(block, buf, static_cast<size_t>(n));
}

void BM_ExportVFTBaselineToChars(benchmark::State& state) {
  Workspace& w = Shared();
  Measure(state, "vft_to_chars", {}, [&] { SelectAndWrite(w, "base.vft", VFTLineToChars); });
}

void BM_ExportVFTBaselineSnprintf(benchmark::State& state) {
  Workspace& w = Shared();
  Measure(state, "vft_snprintf", {}, [&] { SelectAndWrite(w, "base.vft", VFTLineSnprintf); });
}

void BM_ExportVFT(benchmark::State& state) {
  Workspace& w = Shared();
  Measure(state, "ExportVFT", {"vft_to_chars", "vft_snprintf"}, [&] {
    TCModelImpex impex(w.File("out.vft"), w.Dir(), 'E');
    if (!impex.ExportVFT(false)) state.SkipWithError("export failed");
  });
}

void BM_ExportDATBaselineToChars(benchmark::State& state) {
  Workspace& w = Shared();
  Measure(state, "dat_to_chars", {}, [&] { SelectAndWrite(w, "base.dat", DATLineToChars); });
}

void BM_ExportDATBaselineSnprintf(benchmark::State& state) {
  Workspace& w = Shared();
  Measure(state, "dat_snprintf", {}, [&] { SelectAndWrite(w, "base.dat", DATLineSnprintf); });
}

void BM_ExportDAT(benchmark::State& state) {
  Workspace& w = Shared();
  Measure(state, "ExportDAT", {"dat_to_chars", "dat_snprintf"}, [&] {
    TCModelImpex impex(w.File("out.dat"), w.Dir(), 'E');
    if (!impex.ExportDAT(false)) state.SkipWithError("export failed");
  });
}

// Parses the next number of a VFT line at p with from_chars, skipping the separators before it.
const char* NextNumber(const char* p, const char* end, float& value) {
  while (p < end && (*p == ' ' || *p == ',' || *p == '\t')) ++p;
  return std::from_chars(p, end, value).ptr;
}

// The bare import: the VFT file read line by line, fields 2 to 4 parsed with from_chars and
// inserted with one prepared statement in one transaction, after emptying the table.
void BM_ImportVFTBaseline(benchmark::State& state) {
  Workspace& w = Shared();
  Measure(state, "vft_from_chars_insert", {}, [&] {
    sqlite3* db = OpenTable(w);
    sqlite3_stmt* insert = nullptr;
    CheckSqlite(
        sqlite3_prepare_v2(db,
                           "INSERT INTO model (RecNo, X, Aux2, Z, V, Fix, Aux6, RayCov, V2) "
                           "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)",
                           -1, &insert, nullptr),
        db);
    CheckSqlite(sqlite3_exec(db, "BEGIN IMMEDIATE; DELETE FROM model", nullptr, nullptr, nullptr),
                db);
    std::ifstream in(w.File("model.vft"), std::ios::binary);
    std::string line;
    for (int k = 0; std::getline(in, line) && !line.empty(); ++k) {
      const char* end = line.data() + line.size();
      float index = 0, x = 0, z = 0, v = 0;
      const char* p = NextNumber(line.data(), end, index);
      p = NextNumber(p, end, x);
      p = NextNumber(p, end, z);
      NextNumber(p, end, v);
      sqlite3_bind_int(insert, 1, k);
      sqlite3_bind_double(insert, 2, x);
      sqlite3_bind_double(insert, 3, 0.0);
      sqlite3_bind_double(insert, 4, z);
      sqlite3_bind_double(insert, 5, v);
      sqlite3_bind_double(insert, 6, 0.0);
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

void BM_ImportVFT(benchmark::State& state) {
  Workspace& w = Shared();
  Measure(state, "ImportVFT", {"vft_from_chars_insert"}, [&] {
    TCModelImpex impex(w.File("model.vft"), w.Dir(), 'I');
    int lineNo = 0;
    if (impex.ImportVFT(1, lineNo) != vftOk) state.SkipWithError("import failed");
  });
}

// The VEL velocities written with to_chars, row by row from the top, without the header.
void BM_SaveVELBaselineToChars(benchmark::State& state) {
  Workspace& w = Shared();
  const std::vector<float>& vv = w.Model().VV;
  Measure(state, "vel_to_chars", {}, [&] {
    FILE* out = std::fopen(w.File("base.vel").c_str(), "wb");
    std::vector<char> block;
    block.reserve(1 << 17);
    for (int row = 1; row <= kNz; ++row) {
      for (int c = 1; c <= kNx; ++c) AppendFixed(block, vv[c * kNz - row], 9, 2);
      block.push_back('\n');
      if (block.size() >= (1 << 16)) {
        std::fwrite(block.data(), 1, block.size(), out);
        block.clear();
      }
    }
    std::fwrite(block.data(), 1, block.size(), out);
    std::fclose(out);
  });
}

void BM_SaveVelocityToVELfile(benchmark::State& state) {
  Workspace& w = Shared();
  Measure(state, "SaveVelocityToVELfile", {"vel_to_chars"}, [&] {
    if (!SaveVelocityToVELfile(w.File("out.vel"), &w.Model())) state.SkipWithError("failed");
  });
}

#define EXCHANGE_BENCHMARK(name) \
  BENCHMARK(name)->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime()

EXCHANGE_BENCHMARK(BM_ExportVFTBaselineToChars);
EXCHANGE_BENCHMARK(BM_ExportVFTBaselineSnprintf);
EXCHANGE_BENCHMARK(BM_ExportVFT);
EXCHANGE_BENCHMARK(BM_ExportDATBaselineToChars);
EXCHANGE_BENCHMARK(BM_ExportDATBaselineSnprintf);
EXCHANGE_BENCHMARK(BM_ExportDAT);
EXCHANGE_BENCHMARK(BM_ImportVFTBaseline);
EXCHANGE_BENCHMARK(BM_ImportVFT);
EXCHANGE_BENCHMARK(BM_SaveVELBaselineToChars);
EXCHANGE_BENCHMARK(BM_SaveVelocityToVELfile);

}  // namespace
