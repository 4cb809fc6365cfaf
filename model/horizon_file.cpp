// Loading, validating and saving the model's horizons through the horizon file.
#include "model/quasigrid.h"

#include "platform/files.h"

namespace {

// Ranges a loaded horizon must keep. H-line 0, the model's top, cannot carry a horizon.
bool InLoadingRanges(const BCHor& hor, int nz) {
  return hor.IH >= 1 && hor.IH <= nz - 1 && hor.ID >= 1 && hor.ID <= 99 && hor.Width <= 20 &&
         hor.Color >= 0 && hor.Status >= 0;
}

}  // namespace

int BCQuasiGrid::LoadHor(const AnsiString& fileName) {
  if (!FileExists(fileName)) return -1;
  int badLine = Hors.Load(fileName);
  if (badLine != 0) return badLine;
  int bad = CheckHrznsAtLoading();
  if (bad < GetHors()) {
    Hors.clear();
    return bad + 1;
  }
  return 0;
}

int BCQuasiGrid::CheckHrznsAtLoading() {
  for (int i = 0; i < GetHors(); ++i) {
    if (!InLoadingRanges(Hors[static_cast<size_t>(i)], Nz)) return i;
  }
  return GetHors();
}

void BCQuasiGrid::SaveHor(const AnsiString& fileName) {
  Hors.Save(fileName);
}
