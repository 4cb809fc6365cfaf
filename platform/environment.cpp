// Settings of the environment: the template-table directory and coordinate comparison resolution.
#include "platform/environment.h"

#include <cmath>

#include <filesystem>

#ifndef QUASIGRID_SAMPLE_DIR
#define QUASIGRID_SAMPLE_DIR "."
#endif
#ifndef QUASIGRID_INSTALLED_SAMPLE_DIR
#define QUASIGRID_INSTALLED_SAMPLE_DIR QUASIGRID_SAMPLE_DIR
#endif

namespace {

AnsiString WithoutTrailingSeparator(AnsiString dir) {
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

// The build tree's templates while they exist, else those of the installed package: a host
// linked against an installed library finds them without being told.
AnsiString DefaultSampleDir() {
  std::error_code ec;
  if (std::filesystem::exists(QUASIGRID_SAMPLE_DIR "/model.db", ec)) return QUASIGRID_SAMPLE_DIR;
  return QUASIGRID_INSTALLED_SAMPLE_DIR;
}

AnsiString& SampleDir() {
  static AnsiString dir = WithoutTrailingSeparator(DefaultSampleDir());
  return dir;
}

}  // namespace

AnsiString G2_GetDBSampleDir() {
  return SampleDir();
}

void G2_SetDBSampleDir(const AnsiString& dir) {
  SampleDir() = WithoutTrailingSeparator(dir);
}

float G2_GetCompResolution(float lo, float hi) {
  float res = std::fabs(hi - lo) * 1e-5f;
  if (res != 0.0f && std::isfinite(res)) return res;
  // A degenerate or overflowing range: a resolution relative to the coordinates' magnitude.
  return 1e-6f * std::fmax(1.0f, std::fmax(std::fabs(lo), std::fabs(hi)));
}
