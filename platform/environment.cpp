// Settings of the environment: the template-table directory and coordinate comparison resolution.
#include "platform/environment.h"

#include <cmath>

#ifndef QUASIGRID_SAMPLE_DIR
#define QUASIGRID_SAMPLE_DIR "."
#endif

namespace {

AnsiString WithoutTrailingSeparator(AnsiString dir) {
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

AnsiString& SampleDir() {
  static AnsiString dir = WithoutTrailingSeparator(QUASIGRID_SAMPLE_DIR);
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
