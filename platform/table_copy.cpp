// Whole-table copies through SQLite's online backup.
#include "platform/table_copy.h"

#include <sqlite3.h>

#include <filesystem>
#include <memory>

#include "platform/table.h"

namespace {

struct CloseDb {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using DbHandle = std::unique_ptr<sqlite3, CloseDb>;

DbHandle OpenDb(const AnsiString& path, int flags) {
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
  DbHandle handle(db);
  if (rc != SQLITE_OK)
    throw EDBEngineError("cannot open " + path + ": " +
                         (db ? sqlite3_errmsg(db) : "out of memory"));
  return handle;
}

// Refuses a source that is not a table of ours, before anything is written.
void CheckIsTable(const AnsiString& path) {
  std::filesystem::path p(path);
  TTable table;
  table.SetDatabaseName(p.parent_path().string());
  table.SetTableName(p.filename().string());
  table.Open();
  table.Close();
}

}  // namespace

void CopyTableFile(const AnsiString& fromPath, const AnsiString& toPath) {
  CheckIsTable(fromPath);
  DbHandle from = OpenDb(fromPath, SQLITE_OPEN_READONLY);
  DbHandle to = OpenDb(toPath, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  sqlite3_backup* backup = sqlite3_backup_init(to.get(), "main", from.get(), "main");
  if (!backup) throw EDBEngineError("cannot copy onto " + toPath + ": " + sqlite3_errmsg(to.get()));
  // One step over all pages: the target is written in a single transaction.
  int rc = sqlite3_backup_step(backup, -1);
  sqlite3_backup_finish(backup);
  if (rc != SQLITE_DONE)
    throw EDBEngineError("cannot copy " + fromPath + " onto " + toPath + ": " + sqlite3_errstr(rc));
}
