// Model tables for tests: a table directory with private empty templates, and records written
// and read outside the filer.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/environment.h"
#include "platform/error_box.h"
#include "support/scratch_dir.h"

using TableRecord = std::array<double, 9>;

// Every record of a table file in rowid order, once the open has undone what a killed writer left.
std::vector<TableRecord> ReadRecords(const std::string& path);
// Replaces the table file by one holding the records.
void WriteRecords(const std::string& path, const std::vector<TableRecord>& records);

// While it lives, G2_GetDBSampleDir names `templates` (empty model.db and modelbk.db) and every
// error box is recorded in `errors` instead of shown.
struct TableDirs {
  TableDirs() {
    for (const char* name : {"model.db", "modelbk.db"}) WriteRecords(templates.File(name), {});
    G2_SetDBSampleDir(templates.Path());
  }
  ~TableDirs() {
    G2_SetDBSampleDir(previousSampleDir);
    SetErrorHandler(previousHandler);
  }
  ScratchDir templates, db;
  const std::string table = db.File("model.db"), backupTable = db.File("modelbk.db");
  std::vector<AnsiString> errors;
  const AnsiString previousSampleDir = G2_GetDBSampleDir();
  const ErrorHandler previousHandler =
      SetErrorHandler([this](const AnsiString& text) { errors.push_back(text); });
};
