// Fuzz target: the bytes become a model table (records of nine fields, some NULL, text or blobs,
// most of them near a regular grid), which is loaded, checked, drawn, and saved and loaded again.
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "picture/picture.h"
#include "model/quasigrid.h"
#include "platform/table.h"
#include "platform/table_schema.h"  // kTableFieldCount
#include "storage/model_check.h"

namespace {

constexpr size_t kMaxInput = 4096;
constexpr int kMaxRecords = 400;
constexpr uint8_t kGridByte = 0xF8;  // a field byte that keeps the grid value

// The table of the library's layout (columns from kModelColumns' order), in pages of 4 KiB.
constexpr const char* kSmallTableSql =
    "PRAGMA page_size = 4096; PRAGMA synchronous = OFF;"
    "CREATE TABLE model (RecNo INTEGER, X REAL, Aux2 REAL, Z REAL, V REAL, Fix REAL, Aux6 REAL,"
    " RayCov REAL, V2 REAL); BEGIN";

// The scratch folder, whose backup table is made once with small pages; the saves rewrite it.
const std::string& Dir() {
  static const std::string path = [] {
    const std::string p = FuzzScratch().Path();
    sqlite3* db = nullptr;
    FuzzCheck(sqlite3_open((p + "/modelbk.db").c_str(), &db) == SQLITE_OK);
    FuzzCheck(sqlite3_exec(db, kSmallTableSql, nullptr, nullptr, nullptr) == SQLITE_OK);
    FuzzCheck(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK);
    sqlite3_close(db);
    return p;
  }();
  return path;
}

// Reads the fuzz bytes in order; past their end every field keeps its grid value.
class Bytes {
 public:
  Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t Next() { return at_ < size_ ? data_[at_++] : kGridByte; }
  template <typename T>
  T Raw() {
    std::array<uint8_t, sizeof(T)> b{};
    for (uint8_t& x : b) x = Next();
    return std::bit_cast<T>(b);
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// Where a regular grid of nz nodes per V-line would put field pos of record r.
double GridValue(int pos, int r, int nz, double x0) {
  switch (pos) {
    case 0:
      return r;
    case 1:
      return x0 + 10.0 * (r / nz);
    case 3:
      return -100.0 + 5.0 * (r % nz);
    case 4:
      return 1500.0 + r;
    case 5:
      return r % 3 == 0 ? 1.0 : 0.0;
    default:
      return 0.0;
  }
}

// Binds field pos of record r: mostly its grid value, sometimes moved, replaced by a number of
// any bits, or by something that is no number.
void BindField(sqlite3_stmt* insert, int pos, double grid, Bytes& in) {
  const uint8_t b = in.Next();
  const int param = pos + 1;
  switch (b & 0x0F) {
    case 0:
      sqlite3_bind_null(insert, param);
      return;
    case 1:
      sqlite3_bind_text(insert, param, "x", -1, SQLITE_STATIC);
      return;
    case 2:
      sqlite3_bind_blob(insert, param, "\x01\x02", 2, SQLITE_STATIC);
      return;
    case 3:  // numeric text, which the column turns into a number
      sqlite3_bind_text(insert, param, std::to_string(grid + 0.5).c_str(), -1, SQLITE_TRANSIENT);
      return;
    case 4:
      sqlite3_bind_double(insert, param, grid + static_cast<int8_t>(in.Next()));
      return;
    case 5:
      sqlite3_bind_double(insert, param, in.Raw<float>());
      return;
    case 6:
      sqlite3_bind_double(insert, param, in.Raw<double>());
      return;
    case 7:
      sqlite3_bind_double(insert, param, grid * (1.0 + static_cast<int8_t>(in.Next()) * 1e-7));
      return;
    default:
      sqlite3_bind_double(insert, param, grid);
  }
}

// Replaces the main table by the records the bytes describe; gives their number.
int WriteTable(Bytes& in) {
  const std::string path = Dir() + "/model.db";
  std::filesystem::remove(path);
  const int nz = 1 + in.Next() % 6;
  const int records = in.Next() % kMaxRecords;
  const double x0 = in.Next() % 2 == 0 ? 0.0 : 1e7;
  sqlite3* db = nullptr;
  FuzzCheck(sqlite3_open(path.c_str(), &db) == SQLITE_OK);
  // Small pages keep the store's page cache small, which makes a run several times cheaper.
  FuzzCheck(sqlite3_exec(db, kSmallTableSql, nullptr, nullptr, nullptr) == SQLITE_OK);
  sqlite3_stmt* insert = nullptr;
  FuzzCheck(sqlite3_prepare_v2(db, "INSERT INTO model VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)",
                               -1, &insert, nullptr) == SQLITE_OK);
  for (int r = 0; r < records; ++r) {
    for (int pos = 0; pos < kTableFieldCount; ++pos) {
      BindField(insert, pos, GridValue(pos, r, nz, x0), in);
    }
    FuzzCheck(sqlite3_step(insert) == SQLITE_DONE);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  FuzzCheck(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK);
  sqlite3_close(db);
  return records;
}

std::vector<uint32_t> Bits(const std::vector<float>& values) {
  std::vector<uint32_t> bits(values.size());
  std::transform(values.begin(), values.end(), bits.begin(),
                 [](float v) { return std::bit_cast<uint32_t>(v); });
  return bits;
}

// A model the check passes is saved into the backup table and must load back bit for bit.
void SaveAndReload(BCQuasiGrid& model) {
  if (!LoadBackProblem(model).empty()) return;
  FuzzCheck(model.SaveModelDb(Dir(), true, 3));
  BCQuasiGrid back;
  FuzzCheck(back.LoadModelDb(Dir(), true, 5, true));
  FuzzCheck(back.Nz == model.Nz && Bits(back.XX) == Bits(model.XX));
  FuzzCheck(Bits(back.ZZ) == Bits(model.ZZ) && Bits(back.VV) == Bits(model.VV));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  Bytes in(data, size);
  const int records = WriteTable(in);
  SetErrorHandler([](const AnsiString&) {});
  BCQuasiGrid model;
  const bool loaded = model.LoadModelDb(Dir(), false, 5, true);
  const std::vector<ModelProblem> problems = CheckModelTable(Dir() + "/model.db");
  // The check refuses exactly what the loader refuses.
  const bool refused =
      std::any_of(problems.begin(), problems.end(), [](const ModelProblem& p) { return !p.Loads; });
  FuzzCheck(loaded != refused);
  if (!loaded) return 0;
  // A table without problems loads as a grid of one node per record.
  FuzzCheck(!problems.empty() || static_cast<int64_t>(model.GetNx()) * model.Nz == records);
  const std::vector<uint32_t> raster = RenderCellRaster(model, PictureOptions{}, 64, 32);
  FuzzCheck(raster.size() == 64u * 32u);
  SaveAndReload(model);
  return 0;
}
