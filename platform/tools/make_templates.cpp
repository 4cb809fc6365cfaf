// Build-time generator of the empty template tables model.db and modelbk.db in a directory.
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/table_schema.h"

namespace {

// Writes an empty table under a temporary name and renames it over the target, so that a
// rebuild replaces a template whole and never leaves a half-made one.
bool MakeTemplate(const std::filesystem::path& target) {
  std::filesystem::path scratch = target;
  scratch += ".new";
  std::error_code error;
  std::filesystem::remove(scratch, error);
  sqlite3* db = nullptr;
  int rc =
      sqlite3_open_v2(scratch.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc == SQLITE_OK) rc = CreateModelTable(db);
  if (rc != SQLITE_OK)
    std::fprintf(stderr, "%s: %s\n", scratch.c_str(), db ? sqlite3_errmsg(db) : "out of memory");
  if (sqlite3_close(db) != SQLITE_OK) rc = SQLITE_ERROR;
  if (rc == SQLITE_OK) std::filesystem::rename(scratch, target, error);
  if (rc != SQLITE_OK || error) {
    if (error) std::fprintf(stderr, "%s: %s\n", target.c_str(), error.message().c_str());
    std::filesystem::remove(scratch, error);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <template directory>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (error) {
    std::fprintf(stderr, "%s: %s\n", dir.c_str(), error.message().c_str());
    return 1;
  }
  const bool made = MakeTemplate(dir / "model.db") && MakeTemplate(dir / "modelbk.db");
  return made ? 0 : 1;
}
