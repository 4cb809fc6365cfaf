// TTable's records: the walk in rowid order, appending and editing, and access to the fields.
#include "platform/table.h"

#include <sqlite3.h>

#include <algorithm>
#include <climits>
#include <limits>
#include <string>

TFields::TFields(TTable* table) {
  for (int pos = 0; pos < kTableFieldCount; ++pos) {
    fields_[static_cast<size_t>(pos)].table_ = table;
    fields_[static_cast<size_t>(pos)].pos_ = pos;
  }
}

void TFields::FailPosition(int pos) {
  throw EDBEngineError("no field at position " + std::to_string(pos));
}

void TField::SetAsFloat(double value) {
  table_->WriteField(pos_, value);
}

Variant TField::GetValue() const {
  const double value = table_->ReadField(pos_);
  if (pos_ == 0) return Variant(CastToInt32(value));
  return Variant(static_cast<float>(value));
}

void TField::SetValue(const Variant& value) {
  table_->WriteField(pos_, value.IsInteger() ? static_cast<double>(static_cast<int32_t>(value))
                                             : static_cast<double>(static_cast<float>(value)));
}

int TTable::RecordCount() const {
  RequireActive("RecordCount");
  return static_cast<int>(std::min<int64_t>(recordCount_, INT_MAX));
}

void TTable::First() {
  RequireActive("First");
  StorePending();
  Seek(std::numeric_limits<int64_t>::min());
}

void TTable::Last() {
  RequireActive("Last");
  StorePending();
  if (sqlite3_step(maxRowid_) != SQLITE_ROW) {
    const std::string message = sqlite3_errmsg(db_);
    sqlite3_reset(maxRowid_);
    Fail("cannot find the last record: " + message);
  }
  // max(rowid) of an empty table is NULL; seeking from the lowest rowid then finds nothing.
  const bool empty = sqlite3_column_type(maxRowid_, 0) == SQLITE_NULL;
  const int64_t last = sqlite3_column_int64(maxRowid_, 0);
  sqlite3_reset(maxRowid_);
  Seek(empty ? std::numeric_limits<int64_t>::min() : last);
}

void TTable::Next() {
  RequireActive("Next");
  StorePending();
  if (eof_) return;
  // After an append the cursor no longer stands on the current record: seek past it instead.
  if (cursorOnCurrent_)
    StepCursor();
  else if (currentRowid_ == std::numeric_limits<int64_t>::max())
    MarkEof();  // nothing can follow the largest rowid
  else
    Seek(currentRowid_ + 1);
}

bool TTable::Eof() const {
  return eof_;
}

void TTable::Append() {
  RequireActive("Append");
  StorePending();
  buffer_.fill(0.0);
  state_ = State::Append;
  source_ = Source::Buffer;
  eof_ = false;
}

void TTable::Edit() {
  RequireActive("Edit");
  if (state_ != State::Browse) return;  // the open record is open for change already
  if (source_ == Source::None) Fail("Edit needs a current record");
  if (source_ == Source::Cursor) {
    currentRowid_ = sqlite3_column_int64(cursor_, 0);  // read only when needed, to spare the walk
    for (int pos = 0; pos < kTableFieldCount; ++pos)
      buffer_[static_cast<size_t>(pos)] = sqlite3_column_double(cursor_, pos + 1);
    source_ = Source::Buffer;
  }
  state_ = State::Edit;
}

void TTable::Post() {
  RequireActive("Post");
  StorePending();
}

void TTable::Seek(int64_t rowid) {
  sqlite3_reset(cursor_);
  sqlite3_bind_int64(cursor_, 1, rowid);
  StepCursor();
}

void TTable::StepCursor() {
  const int rc = sqlite3_step(cursor_);
  if (rc == SQLITE_ROW) {
    eof_ = false;
    source_ = Source::Cursor;
    cursorOnCurrent_ = true;
    return;
  }
  MarkEof();
  const std::string message = rc == SQLITE_DONE ? std::string() : sqlite3_errmsg(db_);
  sqlite3_reset(cursor_);  // ends the read at the end of a walk
  if (rc != SQLITE_DONE) Fail("cannot read the records: " + message);
}

void TTable::MarkEof() {
  eof_ = true;
  source_ = Source::None;
  cursorOnCurrent_ = false;
}

void TTable::StorePending() {
  if (state_ == State::Browse) return;
  BindBuffer(state_ == State::Append ? insert_ : update_);
  if (state_ == State::Append) {
    Write(insert_, "cannot append a record");
    currentRowid_ = sqlite3_last_insert_rowid(db_);
    ++recordCount_;
    cursorOnCurrent_ = false;
  } else {
    // Updating a record in place leaves the cursor standing on it.
    sqlite3_bind_int64(update_, kTableFieldCount + 1, currentRowid_);
    Write(update_, "cannot store the record");
  }
  state_ = State::Browse;
}

void TTable::BindBuffer(sqlite3_stmt* stmt) {
  for (int pos = 0; pos < kTableFieldCount; ++pos)
    sqlite3_bind_double(stmt, pos + 1, buffer_[static_cast<size_t>(pos)]);
}

double TTable::ReadField(int pos) const {
  // Kept lean: a walk reads millions of fields. A closed table has no current record either.
  if (source_ == Source::Cursor) {
    // The type is asked first: converting the value may change what SQLite reports.
    if (watchNonNumeric_) NoteFieldType(pos);
    return sqlite3_column_double(cursor_, pos + 1);
  }
  return source_ == Source::Buffer ? buffer_[static_cast<size_t>(pos)] : 0.0;
}

void TTable::NoteFieldType(int pos) const {
  const int type = sqlite3_column_type(cursor_, pos + 1);
  if (type != SQLITE_INTEGER && type != SQLITE_FLOAT) sawNonNumeric_ = true;
}

void TTable::WriteField(int pos, double value) {
  RequireActive("writing a field");
  if (state_ == State::Browse) Fail("a field is written only after Append or Edit");
  buffer_[static_cast<size_t>(pos)] = value;
}
