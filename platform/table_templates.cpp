// Writing the empty template tables, shared by the build-time generator and the library's own
// fallback when no template folder can be found.
#include "platform/table_templates.h"

#include <sqlite3.h>

#include <filesystem>
#include <system_error>

#include "platform/table_schema.h"

namespace {

bool WriteTemplate(const std::filesystem::path& target, std::string& error) {
  std::filesystem::path scratch = target;
  scratch += ".new";
  std::error_code ec;
  std::filesystem::remove(scratch, ec);
  sqlite3* db = nullptr;
  int rc =
      sqlite3_open_v2(scratch.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc == SQLITE_OK) rc = CreateModelTable(db);
  if (rc != SQLITE_OK)
    error = scratch.string() + ": " + (db ? sqlite3_errmsg(db) : "out of memory");
  if (sqlite3_close(db) != SQLITE_OK && rc == SQLITE_OK) {
    rc = SQLITE_ERROR;
    error = scratch.string() + ": cannot close the file";
  }
  if (rc == SQLITE_OK) {
    std::filesystem::rename(scratch, target, ec);
    if (ec) error = target.string() + ": " + ec.message();
  }
  if (rc != SQLITE_OK || ec) {
    std::filesystem::remove(scratch, ec);
    return false;
  }
  return true;
}

}  // namespace

bool WriteTemplateTables(const std::string& dir, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    error = dir + ": " + ec.message();
    return false;
  }
  const std::filesystem::path folder = dir;
  return WriteTemplate(folder / "model.db", error) && WriteTemplate(folder / "modelbk.db", error);
}
