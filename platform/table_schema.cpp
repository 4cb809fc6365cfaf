// Creation and recognition of the table `model` inside a table file.
#include "platform/table_schema.h"

#include <sqlite3.h>
#include <strings.h>

namespace {

// The largest pages SQLite has (64 KiB rather than 4 KiB) make appending and walking a whole
// model a fifth faster and counting its records five times faster; a file keeps the page size
// it was made with.
constexpr const char* kCreateSql =
    "PRAGMA page_size = 65536;"
    "CREATE TABLE model (RecNo INTEGER, X REAL, Aux2 REAL, Z REAL, V REAL, Fix REAL, Aux6 REAL,"
    " RayCov REAL, V2 REAL);";

// Type of the schema entry named `model` ("table", "view", ...), or empty text when none.
int FindModelEntryType(sqlite3* db, std::string& type) {
  sqlite3_stmt* stmt = nullptr;
  int rc = sqlite3_prepare_v2(
      db, "SELECT type FROM sqlite_master WHERE name = 'model' COLLATE NOCASE", -1, &stmt, nullptr);
  if (rc == SQLITE_OK) {
    rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) type = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    if (rc == SQLITE_ROW || rc == SQLITE_DONE) rc = SQLITE_OK;
  }
  sqlite3_finalize(stmt);
  return rc;
}

// Compares the columns of `model`, hidden and generated ones included, with ours.
std::string FindColumnFault(sqlite3* db) {
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, "PRAGMA table_xinfo(model)", -1, &stmt, nullptr) != SQLITE_OK)
    return sqlite3_errmsg(db);
  size_t count = 0;
  bool matches = true;
  int rc;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1));
    const bool hidden = sqlite3_column_int(stmt, 6) != 0;
    // SQL names compare without regard to case.
    matches = matches && count < kModelColumns.size() && !hidden && name != nullptr &&
              strcasecmp(name, kModelColumns[count]) == 0;
    ++count;
  }
  std::string fault;
  if (rc != SQLITE_DONE)
    fault = sqlite3_errmsg(db);
  else if (!matches || count != kModelColumns.size())
    fault = "table model does not have the columns RecNo, X, Aux2, Z, V, Fix, Aux6, RayCov, V2";
  sqlite3_finalize(stmt);
  return fault;
}

}  // namespace

int CreateModelTable(sqlite3* db) {
  return sqlite3_exec(db, kCreateSql, nullptr, nullptr, nullptr);
}

std::string FindModelTableFault(sqlite3* db) {
  std::string type;
  // The first read of the schema is where a file that is no database at all is refused.
  if (FindModelEntryType(db, type) != SQLITE_OK) return sqlite3_errmsg(db);
  if (type.empty()) return "the file holds no table model";
  if (type != "table") return "model is a " + type + ", not a table";
  return FindColumnFault(db);
}
