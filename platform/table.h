// TTable: a record-oriented table of nine numeric fields kept in a SQLite file, with its fields
// and its error type.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>

#include "platform/runtime.h"
#include "platform/table_schema.h"
#include "platform/variant.h"

struct sqlite3;
struct sqlite3_stmt;

// Failure of the table store itself: a file that is missing or not a table of ours, a damaged
// file, a full disk, an operation the table's state does not allow.
// Each one made is noted as the store's last failure (LastTableStoreError).
class EDBEngineError : public std::runtime_error {
 public:
  explicit EDBEngineError(const AnsiString& what);
  explicit EDBEngineError(const char* what) : EDBEngineError(AnsiString(what)) {}
};

// The text of the last failure of the table store in this process, such as
// "DIR/model.db: cannot open the table: unable to open database file"; empty before the first
// and after ClearTableStoreError. A host told false by a save or a load prints it as the reason.
AnsiString LastTableStoreError();
// Forgets the last failure. A model-table filer calls it when it is made, so that after a failed
// save or load the text is that operation's own, or empty when the store did not fail in it.
void ClearTableStoreError();

class TTable;

// One field of the current record, reached by position 0..8.
class TField {
 public:
  // Reads the value; 0 when there is no current record (at the end, or the table is closed) or
  // the field was never written.
  double GetAsFloat() const;  // (defined below TTable: a walk reads millions of fields)
  // Stores the value into the record opened by Append or Edit.
  void SetAsFloat(double value);
  // Reads the value as a variant: an integer for field 0, a float for fields 1..8.
  Variant GetValue() const;
  void SetValue(const Variant& value);

 private:
  friend class TFields;
  TTable* table_ = nullptr;
  int pos_ = 0;
};

// The nine fields of a table, by position.
class TFields {
 public:
  explicit TFields(TTable* table);
  // The field at position pos (0..8); any other position raises EDBEngineError.
  TField* GetField(int pos) {
    if (pos < 0 || pos >= kTableFieldCount) FailPosition(pos);
    return &fields_[static_cast<size_t>(pos)];
  }

 private:
  [[noreturn]] static void FailPosition(int pos);
  std::array<TField, kTableFieldCount> fields_;
};

// A table file such as model.db in a directory, opened as a walkable list of records.
//
// Walk: First, Last and Next move in the order in which the records were appended (rowid
// order); Eof turns true when Next moves past the last record, and at once for an empty table.
// Open stands on the first record.
//
// Changes: Append starts a new record at the end (its fields read 0 until written), Edit opens
// the current record for change. The open record is stored by Post, by the next Append, Edit,
// First, Last or Next, and by Close.
//
// Transactions: stored records are not yet committed. Every change since the last commit is
// kept in one transaction, committed by Close (also of a closed table) or by the destructor, and
// abandoned by CancelUpdates. EmptyTable on a closed table keeps the file and its transaction
// across the following Open, so emptying a table, reopening it and appending a new content is
// one transaction: a process killed at any moment leaves the file holding either its whole
// previous content or the whole new one. The file has a rollback journal beside it while a
// transaction is under way; the next open of the file rolls an abandoned one back. Commits are
// synchronous (the data is on disk when Close returns), so a power failure keeps the file whole
// too.
//
// Failures raise EDBEngineError. A write that fails (a record, the emptying, the commit of Close)
// abandons the whole transaction and closes the table: the file keeps its last committed content
// and no later write can add to a save that has lost records. The destructor commits too but
// cannot report a failure, so a writer that must know the outcome calls Close itself.
class TTable {
 public:
  explicit TTable(void* owner = nullptr);  // the owner is not used: the caller deletes the table
  ~TTable();
  TTable(const TTable&) = delete;
  TTable& operator=(const TTable&) = delete;

  // Directory of the table file (no trailing separator) and the file name; fixed while the
  // table holds its file.
  void SetDatabaseName(const AnsiString& dir);
  void SetTableName(const AnsiString& name);

  // Makes a new, empty table file under the current names; a file already there is refused.
  void CreateTable();

  // Opens the table file and stands on the first record. A file that is missing, damaged or not
  // a table of ours is refused and left as it was. Opening an open table does nothing.
  void Open();
  // Stores the open record, commits and releases the file.
  void Close();
  bool GetActive() const { return active_; }
  void SetActive(bool active);  // true opens, false closes

  // Deletes every record (inside the current transaction).
  void EmptyTable();
  // Abandons the open record and every change since the last commit; the file keeps its
  // committed content. An open table stays open and stands on its first record.
  void CancelUpdates();

  int RecordCount() const;  // stored records of the open table
  void First();
  void Last();
  void Next();
  bool Eof() const;

  void Append();
  void Edit();  // Opens the current record for change; the following Next stores the change.
  void Post();  // Stores the open record.

  // Watching for values that are no numbers: while on, every field read from a stored record
  // checks the value's type, and a NULL, a text or a blob (which still reads as 0) is noted.
  // Turning the watch on forgets what was noted before. A loader that must refuse such values
  // reads with the watch on and asks SawNonNumeric afterwards; a type look-up per field is all
  // it costs.
  void WatchNonNumeric(bool on) {
    watchNonNumeric_ = on;
    sawNonNumeric_ = false;
  }
  bool SawNonNumeric() const { return sawNonNumeric_; }

  TFields* GetFields() { return &fields_; }
  TField* GetField(int pos) { return fields_.GetField(pos); }  // GetFields()->GetField(pos)

 private:
  friend class TField;
  enum class State : uint8_t { Browse, Append, Edit };   // what the open record is
  enum class Source : uint8_t { None, Cursor, Buffer };  // where the current values are

  AnsiString Path() const;
  [[noreturn]] void Fail(const AnsiString& what) const;
  [[noreturn]] void FailSql(const AnsiString& what) const;
  void RequireActive(const char* operation) const;
  void RequireFree(const char* operation) const;

  void Connect();
  void Prepare(const AnsiString& sql, sqlite3_stmt*& stmt);
  void Disconnect();
  void Abandon();
  void BeginWrite();
  void Commit();
  void Rollback();
  void Write(sqlite3_stmt* stmt, const char* what);

  int64_t CountRecords();
  void Seek(int64_t rowid);
  void StepCursor();
  void MarkEof();
  void StorePending();
  void BindBuffer(sqlite3_stmt* stmt);

  double ReadField(int pos) const;
  void NoteFieldType(int pos) const;
  void WriteField(int pos, double value);

  AnsiString databaseName_;
  AnsiString tableName_;
  sqlite3* db_ = nullptr;           // held from Open or EmptyTable to Close, with the transaction
  sqlite3_stmt* cursor_ = nullptr;  // records from a rowid on, in rowid order
  sqlite3_stmt* insert_ = nullptr;
  sqlite3_stmt* update_ = nullptr;  // all nine fields of one rowid
  sqlite3_stmt* count_ = nullptr;
  sqlite3_stmt* maxRowid_ = nullptr;
  sqlite3_stmt* delete_ = nullptr;

  bool active_ = false;
  bool eof_ = true;
  bool cursorOnCurrent_ = false;  // cursor_ stands on the current record, so Next steps it
  bool watchNonNumeric_ = false;
  mutable bool sawNonNumeric_ = false;  // noted by reads, which are const
  State state_ = State::Browse;
  Source source_ = Source::None;
  // Rowid of the current record; one the cursor stands on is read from the cursor only by Edit,
  // which spares the walk a column per record.
  int64_t currentRowid_ = 0;
  int64_t recordCount_ = 0;
  std::array<double, kTableFieldCount> buffer_{};  // the open record, or the last one stored
  TFields fields_{this};
};

inline double TField::GetAsFloat() const {
  return table_->ReadField(pos_);
}
