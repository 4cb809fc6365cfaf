// TTable's file and transaction: opening and checking the file, emptying, commits and rollbacks.
#include "platform/table.h"

#include <sqlite3.h>

#include <filesystem>
#include <string>

namespace {

// How long a write waits for another process that reads the same file.
constexpr int kBusyTimeoutMs = 5000;

// "RecNo, X, ..." with each column name followed by suffix(position).
template <typename Suffix>
std::string ColumnList(Suffix suffix) {
  std::string list;
  for (size_t i = 0; i < kModelColumns.size(); ++i) {
    if (i > 0) list += ", ";
    list += kModelColumns[i] + suffix(i);
  }
  return list;
}

std::string NoSuffix(size_t) {
  return {};
}
std::string Parameter(size_t i) {
  return " = ?" + std::to_string(i + 1);
}

std::string ParameterList() {
  std::string list;
  for (size_t i = 0; i < kModelColumns.size(); ++i)
    list += (i > 0 ? ", ?" : "?") + std::to_string(i + 1);
  return list;
}

}  // namespace

TTable::TTable(void* /*owner*/) {}

TTable::~TTable() {
  try {
    Close();
  } catch (...) {
    // Close has abandoned the transaction: the file keeps its previous content.
  }
}

void TTable::SetDatabaseName(const AnsiString& dir) {
  RequireFree("change the directory");
  databaseName_ = dir;
}

void TTable::SetTableName(const AnsiString& name) {
  RequireFree("change the table name");
  tableName_ = name;
}

AnsiString TTable::Path() const {
  return databaseName_.empty() ? tableName_ : databaseName_ + "/" + tableName_;
}

void TTable::Fail(const AnsiString& what) const {
  throw EDBEngineError(Path() + ": " + what);
}

void TTable::FailSql(const AnsiString& what) const {
  Fail(what + ": " + (db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory"));
}

void TTable::RequireActive(const char* operation) const {
  if (!active_) Fail(AnsiString(operation) + " needs an open table");
}

void TTable::RequireFree(const char* operation) const {
  if (db_ != nullptr) Fail(AnsiString("cannot ") + operation + " while the table holds its file");
}

void TTable::CreateTable() {
  RequireFree("create the table");
  std::error_code error;
  if (std::filesystem::exists(Path(), error) || error) Fail("a file of that name is already there");
  sqlite3* db = nullptr;
  int rc =
      sqlite3_open_v2(Path().c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc == SQLITE_OK) rc = CreateModelTable(db);
  const std::string message = db != nullptr ? sqlite3_errmsg(db) : "out of memory";
  sqlite3_close(db);
  if (rc != SQLITE_OK) {
    std::filesystem::remove(Path(), error);
    Fail("cannot create the table: " + message);
  }
}

void TTable::Open() {
  if (active_) return;
  // A file still held after EmptyTable is reopened inside the same transaction.
  if (db_ == nullptr) Connect();
  try {
    recordCount_ = CountRecords();
    active_ = true;
    First();
  } catch (...) {
    Abandon();
    throw;
  }
}

void TTable::Close() {
  if (db_ == nullptr) return;
  try {
    StorePending();
    Commit();
  } catch (...) {
    Abandon();
    throw;
  }
  Disconnect();
}

void TTable::SetActive(bool active) {
  if (active)
    Open();
  else
    Close();
}

void TTable::EmptyTable() {
  if (db_ == nullptr) Connect();
  state_ = State::Browse;  // an open record goes with the rest
  sqlite3_reset(cursor_);
  Write(delete_, "cannot empty the table");
  recordCount_ = 0;
  MarkEof();
}

void TTable::CancelUpdates() {
  if (db_ == nullptr) return;
  state_ = State::Browse;
  try {
    Rollback();
    if (!active_) {
      Disconnect();
      return;
    }
    recordCount_ = CountRecords();
    First();
  } catch (...) {
    Abandon();
    throw;
  }
}

void TTable::Connect() {
  if (tableName_.empty()) Fail("no table name");
  // Without SQLITE_OPEN_CREATE a missing file is refused rather than made. A table serves one
  // thread, so the connection goes without SQLite's lock around every call (a tenth of a walk).
  const int rc =
      sqlite3_open_v2(Path().c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  try {
    if (rc != SQLITE_OK) FailSql("cannot open the table");
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    // A commit returns once the journal and the records are on disk.
    sqlite3_exec(db_, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr);
    // A file is data: run no trigger or schema function that it brings along.
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    const std::string fault = FindModelTableFault(db_);
    if (!fault.empty()) Fail("not a model table: " + fault);
    const std::string columns = ColumnList(NoSuffix);
    Prepare("SELECT rowid, " + columns + " FROM model WHERE rowid >= ?1 ORDER BY rowid", cursor_);
    Prepare("INSERT INTO model (" + columns + ") VALUES (" + ParameterList() + ")", insert_);
    Prepare("UPDATE model SET " + ColumnList(Parameter) + " WHERE rowid = ?10", update_);
    Prepare("SELECT count(*) FROM model", count_);
    Prepare("SELECT max(rowid) FROM model", maxRowid_);
    Prepare("DELETE FROM model", delete_);
  } catch (...) {
    Disconnect();
    throw;
  }
}

void TTable::Prepare(const AnsiString& sql, sqlite3_stmt*& stmt) {
  if (sqlite3_prepare_v3(db_, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) !=
      SQLITE_OK)
    FailSql("not a model table");
}

void TTable::Disconnect() {
  for (sqlite3_stmt** stmt : {&cursor_, &insert_, &update_, &count_, &maxRowid_, &delete_}) {
    sqlite3_finalize(*stmt);
    *stmt = nullptr;
  }
  sqlite3_close(db_);  // rolls back a transaction that is still open
  db_ = nullptr;
  active_ = false;
  state_ = State::Browse;
  recordCount_ = 0;
  MarkEof();
}

void TTable::Abandon() {
  try {
    Rollback();
  } catch (...) {
    // Closing the connection below rolls back all the same.
  }
  Disconnect();
}

void TTable::BeginWrite() {
  // IMMEDIATE takes the write lock now, so a busy file fails here and not halfway through.
  if (sqlite3_get_autocommit(db_) != 0 &&
      sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
    FailSql("cannot start a transaction");
}

void TTable::Commit() {
  if (sqlite3_get_autocommit(db_) != 0) return;
  sqlite3_reset(cursor_);
  if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) FailSql("cannot commit");
}

void TTable::Rollback() {
  // SQLite may have rolled back by itself after a full disk or an I/O error.
  if (sqlite3_get_autocommit(db_) != 0) return;
  sqlite3_reset(cursor_);
  if (sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr) != SQLITE_OK)
    FailSql("cannot roll back");
}

void TTable::Write(sqlite3_stmt* stmt, const char* what) {
  try {
    BeginWrite();
    if (sqlite3_step(stmt) != SQLITE_DONE) {
      const std::string message = sqlite3_errmsg(db_);
      sqlite3_reset(stmt);
      Fail(AnsiString(what) + ": " + message);
    }
    sqlite3_reset(stmt);
  } catch (...) {
    // SQLite may have rolled part of the transaction back already (a full disk does). Writing
    // on would commit a mixture of old and new records, so the whole transaction goes.
    Abandon();
    throw;
  }
}

int64_t TTable::CountRecords() {
  if (sqlite3_step(count_) != SQLITE_ROW) {
    const std::string message = sqlite3_errmsg(db_);
    sqlite3_reset(count_);
    Fail("cannot count the records: " + message);
  }
  const int64_t count = sqlite3_column_int64(count_, 0);
  sqlite3_reset(count_);
  return count;
}
