// Settings of the environment: the template-table directory and coordinate comparison resolution.
#include "platform/environment.h"

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/table_templates.h"

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

bool HoldsTemplates(const std::filesystem::path& dir) {
  std::error_code ec;
  return std::filesystem::is_regular_file(dir / "model.db", ec) &&
         std::filesystem::is_regular_file(dir / "modelbk.db", ec);
}

// The folder of the running program: a tool installed under any prefix finds the templates
// installed beside it, in PREFIX/share/quasigrid/sample.
std::filesystem::path ProgramDir() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : exe.parent_path();
}

// Where no template folder exists (an installed copy moved away from both its prefix and its
// build tree), empty templates are written once into a folder of our own under the temporary
// directory, so that a missing table can still be made.
AnsiString MadeSampleDir() {
  std::error_code ec;
  const std::filesystem::path dir = std::filesystem::temp_directory_path(ec) /
                                    ("quasigrid-templates-" + std::to_string(getuid()));
  if (HoldsTemplates(dir)) return dir.string();
  std::string error;
  WriteTemplateTables(dir.string(), error);  // on failure the copy of a template fails later
  return dir.string();
}

AnsiString DefaultSampleDir() {
  const std::filesystem::path beside = ProgramDir();
  const std::filesystem::path candidates[] = {
      beside.empty() ? std::filesystem::path() : beside / "../share/quasigrid/sample",
      QUASIGRID_SAMPLE_DIR, QUASIGRID_INSTALLED_SAMPLE_DIR};
  for (const auto& dir : candidates) {
    if (!dir.empty() && HoldsTemplates(dir)) return dir.lexically_normal().string();
  }
  return MadeSampleDir();
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
