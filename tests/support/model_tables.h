// Model tables for tests: a table directory with private templates, and records written and
// read directly, outside the filer.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/runtime.h"
#include "platform/error_box.h"
#include "support/scratch_dir.h"

using TableRecord = std::array<double, 9>;

// A scratch table directory, and a scratch template directory holding empty model.db and
// modelbk.db that G2_GetDBSampleDir names while the object lives.
class TableDirs {
 public:
  TableDirs();
  ~TableDirs();
  TableDirs(const TableDirs&) = delete;
  TableDirs& operator=(const TableDirs&) = delete;

  const std::string& Db() const { return db_.Path(); }
  const ScratchDir& Templates() const { return templates_; }
  // Path of the main or backup table in the table directory.
  std::string Table(bool backup = false) const;

 private:
  ScratchDir templates_;
  ScratchDir db_;
  AnsiString previousSampleDir_;
};

// Every record of the table file in rowid order, read with SQLite directly (which first rolls
// back a transaction that a failed or killed writer left behind); empty when the file cannot be
// read.
std::vector<TableRecord> ReadRecords(const std::string& path);

// Replaces the table file by a new one holding the records.
void WriteRecords(const std::string& path, const std::vector<TableRecord>& records);

// Records every error box instead of printing it.
class RecordErrors {
 public:
  RecordErrors();
  ~RecordErrors();
  RecordErrors(const RecordErrors&) = delete;
  RecordErrors& operator=(const RecordErrors&) = delete;
  std::vector<AnsiString> texts;

 private:
  ErrorHandler previous_;
};
