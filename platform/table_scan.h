// Reading a table file exactly as it is stored, with the type of every value, for checks that
// must neither create nor change the file.
#pragma once

#include <array>
#include <cstdint>

#include "platform/runtime.h"
#include "platform/table_schema.h"

struct sqlite3;
struct sqlite3_stmt;

// What a stored field holds. The store keeps NaN as NULL.
enum class StoredKind : uint8_t { kNumber, kNull, kText, kBlob };

// One record as stored: value is the number for kNumber, else 0.
struct StoredRecord {
  std::array<double, kTableFieldCount> value{};
  std::array<StoredKind, kTableFieldCount> kind{};
};

// A table file opened read-only and walked in rowid order, the order in which TTable walks it.
class TableScan {
 public:
  // Opens the file; raises EDBEngineError with the store's reason when it cannot be read, is no
  // database ("file is not a database") or holds no table of ours.
  explicit TableScan(const AnsiString& path);
  ~TableScan();
  TableScan(const TableScan&) = delete;
  TableScan& operator=(const TableScan&) = delete;

  int64_t RecordCount();
  // The next record; false at the end. A read failure raises EDBEngineError.
  bool Next(StoredRecord& record);

 private:
  [[noreturn]] void Fail(const AnsiString& what) const;
  void Close();

  AnsiString path_;
  sqlite3* db_ = nullptr;
  sqlite3_stmt* walk_ = nullptr;
};
