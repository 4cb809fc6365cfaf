// Read-only walks of a table file that report each stored value with its type.
#include "platform/table_scan.h"

#include <sqlite3.h>

#include <string>

#include "platform/table.h"

TableScan::TableScan(const AnsiString& path) : path_(path) {
  // Read-only: a missing file is refused rather than made, and nothing is ever written.
  const int rc =
      sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  try {
    if (rc != SQLITE_OK) Fail("cannot open the table");
    // A file is data: no trigger or schema function it brings along runs.
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    const std::string fault = FindModelTableFault(db_);
    if (!fault.empty()) throw EDBEngineError(path_ + ": not a model table: " + fault);
    std::string sql = "SELECT ";
    for (size_t i = 0; i < kModelColumns.size(); ++i) {
      sql += (i > 0 ? ", " : "") + std::string(kModelColumns[i]);
    }
    sql += " FROM model ORDER BY rowid";
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &walk_, nullptr) != SQLITE_OK) {
      Fail("not a model table");
    }
  } catch (...) {
    Close();
    throw;
  }
}

TableScan::~TableScan() {
  Close();
}

void TableScan::Close() {
  sqlite3_finalize(walk_);
  walk_ = nullptr;
  sqlite3_close(db_);
  db_ = nullptr;
}

void TableScan::Fail(const AnsiString& what) const {
  throw EDBEngineError(path_ + ": " + what + ": " +
                       (db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory"));
}

int64_t TableScan::RecordCount() {
  sqlite3_stmt* count = nullptr;
  if (sqlite3_prepare_v2(db_, "SELECT count(*) FROM model", -1, &count, nullptr) != SQLITE_OK) {
    Fail("cannot count the records");
  }
  const int rc = sqlite3_step(count);
  const int64_t records = sqlite3_column_int64(count, 0);
  sqlite3_finalize(count);
  if (rc != SQLITE_ROW) Fail("cannot count the records");
  return records;
}

bool TableScan::Next(StoredRecord& record) {
  const int rc = sqlite3_step(walk_);
  if (rc == SQLITE_DONE) return false;
  if (rc != SQLITE_ROW) Fail("cannot read the records");
  for (int pos = 0; pos < kTableFieldCount; ++pos) {
    const auto p = static_cast<size_t>(pos);
    // The type is asked before the value: a conversion may change what SQLite reports.
    switch (sqlite3_column_type(walk_, pos)) {
      case SQLITE_INTEGER:
      case SQLITE_FLOAT:
        record.kind[p] = StoredKind::kNumber;
        record.value[p] = sqlite3_column_double(walk_, pos);
        continue;
      case SQLITE_NULL:
        record.kind[p] = StoredKind::kNull;
        break;
      case SQLITE_TEXT:
        record.kind[p] = StoredKind::kText;
        break;
      default:
        record.kind[p] = StoredKind::kBlob;
        break;
    }
    record.value[p] = 0.0;
  }
  return true;
}
