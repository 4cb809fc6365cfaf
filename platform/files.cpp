// File system operations: existence, deletion and copying the files that match a name mask.
#include "platform/files.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

bool FileExists(const AnsiString& fileName) {
  std::error_code ec;
  return fs::is_regular_file(fs::path(fileName), ec);
}

bool DeleteFileAt(const AnsiString& fileName) {
  std::error_code ec;
  return fs::remove(fs::path(fileName), ec);
}

bool MatchesMask(const AnsiString& name, const AnsiString& mask) {
  // Greedy match with one backtrack point: the last '*' seen and the name position it covers.
  size_t n = 0, m = 0;
  size_t starMask = AnsiString::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || mask[m] == name[n])) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (starMask != AnsiString::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

int F_CopyDirFiles(const AnsiString& pathWithMask, const AnsiString& targetDir, bool overwrite) {
  // The folder and the mask, split with a path's own parts rather than string surgery.
  const fs::path full(pathWithMask);
  const fs::path sourceDir = full.has_parent_path() ? full.parent_path() : fs::path(".");
  const AnsiString mask = full.filename().string();

  std::error_code ec;
  fs::directory_iterator it(sourceDir, ec);
  if (ec) return 0;
  const fs::copy_options options =
      overwrite ? fs::copy_options::overwrite_existing : fs::copy_options::skip_existing;
  int copied = 0;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    std::error_code entryEc;
    if (!it->is_regular_file(entryEc)) continue;
    AnsiString name = it->path().filename().string();
    if (!MatchesMask(name, mask)) continue;
    if (fs::copy_file(it->path(), fs::path(targetDir) / name, options, entryEc)) ++copied;
  }
  return copied;
}
