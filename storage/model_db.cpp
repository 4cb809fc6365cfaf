// Saving a whole model into a model table and loading it back.
#include "model/quasigrid.h"

#include "platform/environment.h"
#include "platform/table.h"
#include "storage/model_messages.h"
#include "storage/modelfiler.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <utility>

namespace {

// A Fix field at least this large marks a fixed cell; smaller values are noise.
constexpr float kFixThreshold = 0.0001f;

// X of every node in record order: Nz copies of each V-line's X.
std::vector<float> NodeXs(const std::vector<float>& xx, int nz) {
  std::vector<float> x(xx.size() * static_cast<size_t>(nz));
  auto out = x.begin();
  for (const float lineX : xx) out = std::fill_n(out, nz, lineX);
  return x;
}

// 1.0 for each node whose flag byte marks a fixed cell, else 0.0.
std::vector<float> FixColumn(const std::vector<unsigned char>& flags, size_t n) {
  std::vector<float> fix(n, 0.0f);
  const size_t known = std::min(n, flags.size());
  for (size_t i = 0; i < known; ++i) {
    if (flags[i] & kCellFixed) fix[i] = 1.0f;
  }
  return fix;
}

// The columns read from a table, held aside until they have been checked.
struct TableColumns {
  std::vector<float> x;
  std::vector<float> z;
  std::vector<float> v;
  std::vector<float> fix;
};

// The model's V-lines and extent rebuilt from the X and Z columns.
struct LoadedGeometry {
  std::vector<float> xx;
  int nz = 0;
  BCFRect rect;
  float xres = 0;
  float zres = 0;
};

void LendColumns(TCModelFiler& filer, int what, bool reserve, size_t n, TableColumns& c) {
  if (what & kLoadGeometry) {
    if (reserve) {
      c.x.reserve(n);
      c.z.reserve(n);
      c.v.reserve(n);
    }
    filer.SetFloatVectPtr(mfX, &c.x);
    filer.SetFloatVectPtr(mfZ, &c.z);
    filer.SetFloatVectPtr((what & kLoadV2) ? mfV2 : mfV, &c.v);
  }
  if (what & kLoadFixed) {
    if (reserve) c.fix.reserve(n);
    filer.SetFloatVectPtr(mfFix, &c.fix);
  }
}

// The table keeps a zero as an integer, so -0 comes back as +0; the model is given the zeros the
// table will hold, so that a reload gives its values back bit for bit.
void MakeZerosPositive(std::vector<float>& values) {
  for (float& value : values) {
    if (value == 0.0f) value = 0.0f;
  }
}

// Whether every lent column got one value per record.
bool ColumnsComplete(const TableColumns& c, int what, size_t n) {
  if ((what & kLoadGeometry) && (c.x.size() != n || c.z.size() != n || c.v.size() != n)) {
    return false;
  }
  return !(what & kLoadFixed) || c.fix.size() == n;
}

bool AllFinite(const std::vector<float>& values) {
  return std::all_of(values.begin(), values.end(), [](float f) { return std::isfinite(f); });
}

// Rebuilds the V-lines and the extent from n node records: a new V-line starts where X moves
// by more than the X resolution. False when the records do not form a grid of at least 2 x 2
// nodes with strictly ascending V-lines, or hold a value that is not finite.
bool BuildGeometry(const TableColumns& c, size_t n, LoadedGeometry& g) {
  if (!AllFinite(c.x) || !AllFinite(c.z) || !AllFinite(c.v) || !AllFinite(c.fix)) return false;
  const float x0 = c.x.front();
  const float xN = c.x.back();
  const auto [lowest, highest] = std::minmax_element(c.z.begin(), c.z.end());
  g.rect = BCFRect(x0, *highest, xN, *lowest);
  g.xres = G2_GetCompResolution(x0, xN);
  g.zres = G2_GetCompResolution(*lowest, *highest);

  g.xx.push_back(x0);
  for (size_t i = 1; i < n; ++i) {
    if (std::fabs(c.x[i] - c.x[i - 1]) > g.xres) g.xx.push_back(c.x[i]);
  }
  const size_t nx = g.xx.size();
  if (nx < 2 || n % nx != 0 || n / nx < 2) return false;
  if (std::adjacent_find(g.xx.begin(), g.xx.end(), std::greater_equal<float>()) != g.xx.end()) {
    return false;
  }
  g.nz = static_cast<int>(n / nx);
  return true;
}

// Sets the fixed bit of every node whose Fix value reaches the threshold.
void MarkFixed(const std::vector<float>& fix, std::vector<unsigned char>& flags) {
  for (size_t i = 0; i < fix.size(); ++i) {
    if (fix[i] >= kFixThreshold) flags[i] |= kCellFixed;
  }
}

// Puts checked, complete arrays into the model. Nothing here allocates or can fail, so the
// model changes as a whole or not at all.
void AdoptGeometry(BCQuasiGrid& model, LoadedGeometry& g, TableColumns& c) {
  model.XX.swap(g.xx);
  model.ZZ.swap(c.z);
  model.VV.swap(c.v);
  model.Nz = g.nz;
  model.ModelRect = g.rect;
  model.IniRect = g.rect;
  model.ModelHeight = g.rect.top - g.rect.bottom;
  model.XRes = g.xres;
  model.ZRes = g.zres;
  model.TrimVelocity();
  model.WholeSubgrid = {0, model.GetNx() - 1, 1, model.Nz - 1};
  model.ZoomSubgrid = model.WholeSubgrid;
  model.SelActive = false;
  model.Hors.clear();
}

// The fields of host by their positions in a record.
std::array<std::pair<int, std::vector<float>*>, 4> HostFieldPositions(HostFields& host) {
  return {{{mfAux2, &host.Aux2}, {mfAux6, &host.Aux6}, {mfRayCov, &host.RayCov}, {mfV2, &host.V2}}};
}

// Lends the filer every host field that holds one value per record; the others stay 0.
void LendHostFields(TCModelFiler& filer, const HostFields& host, size_t n) {
  // The filer only reads what it is lent for a save.
  for (const auto& [pos, field] : HostFieldPositions(const_cast<HostFields&>(host))) {
    if (field->size() == n) filer.SetFloatVectPtr(pos, field);
  }
}

// The save of SaveModelDb, with the host fields of host (when given) written beside the
// model's own.
bool SaveModel(BCQuasiGrid& g, const AnsiString& dbDir, bool backup, int what,
               const HostFields* host) {
  if (what == 0) return false;
  const int64_t n = static_cast<int64_t>(g.GetNx()) * g.Nz;
  if (n >= kModelTableRecordLimit) {
    ShowError(kSaveOverflowError);
    return false;
  }
  // A failure while the filer is made passes to the caller; the filer goes in every case.
  const auto filer = std::make_unique<TCModelFiler>(dbDir, backup, 'w');
  try {
    if (!filer->Valid) return false;
    std::vector<float> x;
    std::vector<float> fix;
    try {
      if (what & kSaveGeometry) {
        x = NodeXs(g.XX, g.Nz);
        // The copy nodes are written as TrimVelocity completes them.
        g.TrimVelocity();
        for (std::vector<float>* values : {&x, &g.XX, &g.ZZ, &g.VV}) MakeZerosPositive(*values);
      }
      if (what & kSaveFixed) fix = FixColumn(g.CellFlags, static_cast<size_t>(n));
    } catch (const std::bad_alloc&) {
      ShowError(kSaveMemoryError);
      return false;
    }
    filer->RecCount = static_cast<int>(n);
    if (what & kSaveGeometry) {
      filer->SetFloatVectPtr(mfX, &x);
      filer->SetFloatVectPtr(mfZ, &g.ZZ);
      filer->SetFloatVectPtr(mfV, &g.VV);
      if (host != nullptr) LendHostFields(*filer, *host, static_cast<size_t>(n));
    }
    if (what & kSaveFixed) filer->SetFloatVectPtr(mfFix, &fix);
    // Without the geometry only the Fix field of the existing records is rewritten.
    return (what & kSaveGeometry) ? filer->SaveFV() : filer->UpdateFV();
  } catch (...) {
    return false;
  }
}

}  // namespace

bool BCQuasiGrid::SaveModelDb(const AnsiString& dbDir, bool backup, int what) {
  return SaveModel(*this, dbDir, backup, what, nullptr);
}

bool SaveModelDbWithHostFields(BCQuasiGrid& g, const AnsiString& dbDir, bool backup,
                               const HostFields& host) {
  return SaveModel(g, dbDir, backup, kSaveGeometry | kSaveFixed, &host);
}

bool LoadHostFields(const AnsiString& dbDir, bool backup, HostFields& host) {
  HostFields read;
  const auto filer = std::make_unique<TCModelFiler>(dbDir, backup, 'r');
  try {
    if (!filer->Valid) return false;
    for (const auto& [pos, field] : HostFieldPositions(read)) filer->SetFloatVectPtr(pos, field);
    if (!filer->LoadFV()) return false;
  } catch (...) {
    return false;
  }
  host = std::move(read);
  return true;
}

bool BCQuasiGrid::LoadModelDb(const AnsiString& dbDir, bool backup, int what, bool reserve) {
  if (what == 0) return false;
  const auto filer = std::make_unique<TCModelFiler>(dbDir, backup, 'r');
  try {
    if (!filer->Valid || filer->RecCount <= 0) return false;
    const size_t n = static_cast<size_t>(filer->RecCount);
    // Everything is read and checked aside; the model changes only once all of it is ready.
    TableColumns columns;
    LoadedGeometry geometry;
    std::vector<unsigned char> flags;
    try {
      LendColumns(*filer, what, reserve, n, columns);
      // A NULL, a text or a blob reads as 0 and would pass for a number: it refuses the load.
      filer->Table->WatchNonNumeric(true);
      if (!filer->LoadFV()) return false;  // the filer has shown the message
      if (filer->Table->SawNonNumeric()) return false;
      if (!ColumnsComplete(columns, what, n)) return false;
      if (what & kLoadGeometry) {
        if (!BuildGeometry(columns, n, geometry)) return false;
      } else if (n != static_cast<size_t>(GetNx()) * static_cast<size_t>(Nz)) {
        return false;
      }
      flags.assign(n, 0);
      if (what & kLoadFixed) MarkFixed(columns.fix, flags);
    } catch (const std::bad_alloc&) {
      ShowError(kLoadMemoryError);
      return false;
    }
    if (what & kLoadGeometry) AdoptGeometry(*this, geometry, columns);
    // Selection and fixed marks are rebuilt from the table whatever was loaded.
    CellFlags.swap(flags);
    return true;
  } catch (...) {
    return false;
  }
}
