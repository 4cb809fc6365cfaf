// Model tables for tests: a table directory with private templates, and records written and
// read directly, outside the filer.
#include "support/model_tables.h"

#include <sqlite3.h>

#include <filesystem>

#include "platform/environment.h"
#include "platform/table.h"

namespace {

void MakeEmptyTable(const std::string& dir, const std::string& name) {
  TTable table;
  table.SetDatabaseName(dir);
  table.SetTableName(name);
  table.CreateTable();
}

}  // namespace

TableDirs::TableDirs() : previousSampleDir_(G2_GetDBSampleDir()) {
  MakeEmptyTable(templates_.Path(), "model.db");
  MakeEmptyTable(templates_.Path(), "modelbk.db");
  G2_SetDBSampleDir(templates_.Path());
}

TableDirs::~TableDirs() {
  G2_SetDBSampleDir(previousSampleDir_);
}

std::string TableDirs::Table(bool backup) const {
  return db_.File(backup ? "modelbk.db" : "model.db");
}

std::vector<TableRecord> ReadRecords(const std::string& path) {
  std::vector<TableRecord> records;
  sqlite3* db = nullptr;
  sqlite3_stmt* stmt = nullptr;
  // Read-write, as the sqlite3 shell opens a file, so that a save abandoned by a killed or failed
  // process is rolled back first.
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
      sqlite3_prepare_v2(db,
                         "SELECT RecNo, X, Aux2, Z, V, Fix, Aux6, RayCov, V2 FROM model "
                         "ORDER BY rowid",
                         -1, &stmt, nullptr) == SQLITE_OK) {
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      TableRecord r;
      for (int pos = 0; pos < 9; ++pos) r[pos] = sqlite3_column_double(stmt, pos);
      records.push_back(r);
    }
  }
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return records;
}

void WriteRecords(const std::string& path, const std::vector<TableRecord>& records) {
  const std::filesystem::path file(path);
  std::filesystem::remove(file);
  TTable table;
  table.SetDatabaseName(file.parent_path().string());
  table.SetTableName(file.filename().string());
  table.CreateTable();
  table.Open();
  for (const TableRecord& r : records) {
    table.Append();
    for (int pos = 0; pos < 9; ++pos) table.GetField(pos)->SetAsFloat(r[pos]);
  }
  table.Close();
}

RecordErrors::RecordErrors()
    : previous_(SetErrorHandler([this](const AnsiString& t) { texts.push_back(t); })) {}

RecordErrors::~RecordErrors() {
  SetErrorHandler(previous_);
}
