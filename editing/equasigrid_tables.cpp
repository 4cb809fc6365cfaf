// The per-node columns that the editable model reads from the main model table: the initial
// velocities and the ray coverage.
#include "editing/equasigrid.h"

#include "storage/modelfiler.h"

#include <memory>

namespace {

// Fills v with one field of every record of the main model table in dbDir.
bool LoadMainTableColumn(const AnsiString& dbDir, int pos, std::vector<float>& v) {
  v.clear();
  // A failure while the filer is made passes to the caller, as for the whole-model loader.
  const auto filer = std::make_unique<TCModelFiler>(dbDir, false, 'r');
  try {
    if (!filer->Valid) return false;
    v.reserve(static_cast<size_t>(filer->RecCount));
    filer->SetFloatVectPtr(pos, &v);
    return filer->LoadFV();
  } catch (...) {
    return false;
  }
}

}  // namespace

bool BCEQuasiGrid::LoadIniVelocity(const AnsiString& dbDir, std::vector<float>& v) const {
  return LoadMainTableColumn(dbDir, mfV, v);
}

bool BCEQuasiGrid::LoadRayCoverage(const AnsiString& dbDir, std::vector<float>& v) const {
  return LoadMainTableColumn(dbDir, mfRayCov, v);
}
