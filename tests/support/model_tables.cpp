// Model tables for tests: a table directory with private empty templates, and records written
// and read outside the filer.
#include "support/model_tables.h"

#include <filesystem>

#include "platform/table.h"

std::vector<TableRecord> ReadRecords(const std::string& path) {
  std::vector<TableRecord> records;
  TTable table;
  table.SetDatabaseName(path.substr(0, path.rfind('/')));
  table.SetTableName(path.substr(path.rfind('/') + 1));
  for (table.Open(); !table.Eof(); table.Next()) {
    TableRecord& r = records.emplace_back();
    for (int pos = 0; pos < 9; ++pos) r[pos] = table.GetField(pos)->GetAsFloat();
  }
  return records;
}

void WriteRecords(const std::string& path, const std::vector<TableRecord>& records) {
  std::filesystem::remove(path);
  TTable table;
  table.SetDatabaseName(path.substr(0, path.rfind('/')));
  table.SetTableName(path.substr(path.rfind('/') + 1));
  table.CreateTable();
  table.Open();
  for (const TableRecord& r : records) {
    table.Append();
    for (int pos = 0; pos < 9; ++pos) table.GetField(pos)->SetAsFloat(r[pos]);
  }
}
