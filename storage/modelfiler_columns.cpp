// The filer's column moves: whole fields of the table loaded into, saved from and updated from
// the vectors and arrays that the caller lends.
#include "storage/modelfiler.h"

#include "model/quasigrid.h"
#include "platform/progress.h"
#include "platform/table.h"
#include "storage/model_messages.h"

#include <cstddef>
#include <new>

namespace {

// A lent column and the field it belongs to, looked up once for a whole walk of the table.
template <typename Column>
struct LentField {
  TField* field;
  Column column;
};

// Collects the lent entries of columns (positions 1..8) with their fields; returns how many.
template <typename Column>
int CollectLent(TTable* table, const Column* columns, LentField<Column>* lent) {
  int count = 0;
  for (int pos = 1; pos < 9; ++pos) {
    if (columns[pos] != nullptr) lent[count++] = {table->GetField(pos), columns[pos]};
  }
  return count;
}

}  // namespace

bool TCModelFiler::LoadFV() {
  LentField<std::vector<float>*> lent[8];
  const int lentCount = CollectLent(Table, FloatVect, lent);
  try {
    ProgressWalk progress("reading the table", Table->RecordCount());
    for (Table->First(); !Table->Eof(); Table->Next()) {
      for (int k = 0; k < lentCount; ++k) {
        lent[k].column->push_back(static_cast<float>(lent[k].field->GetAsFloat()));
      }
      progress.Step();
    }
  } catch (const std::bad_alloc&) {
    ShowError(kLoadMemoryError);
    return false;
  }
  return true;
}

void TCModelFiler::LoadFA() {
  LentField<float*> lent[8];
  const int lentCount = CollectLent(Table, FloatArr, lent);
  size_t record = 0;
  ProgressWalk progress("reading the table", Table->RecordCount());
  for (Table->First(); !Table->Eof(); Table->Next(), ++record) {
    for (int k = 0; k < lentCount; ++k) {
      lent[k].column[record] = static_cast<float>(lent[k].field->GetAsFloat());
    }
    progress.Step();
  }
}

bool TCModelFiler::SaveFV() {
  if (!ClearDB()) return false;
  if (RecCount <= 0) return KeepEmptied();
  if (!LentVectorsCover(RecCount)) {
    Abandon();
    return false;
  }
  const float* columns[9];
  VectorColumns(columns);
  return AppendRecords(columns);
}

bool TCModelFiler::SaveFA() {
  if (!ClearDB()) return false;
  if (RecCount <= 0) return KeepEmptied();
  return AppendRecords(FloatArr);
}

bool TCModelFiler::UpdateFV() {
  if (RecCount <= 0 || !LentVectorsCover(RecCount)) return false;
  const float* columns[9];
  VectorColumns(columns);
  return UpdateRecords(columns, false);
}

bool TCModelFiler::UpdateFA() {
  if (RecCount <= 0) return false;
  return UpdateRecords(FloatArr, true);
}

// Appends RecCount records to the emptied table inside the transaction that emptied it, and
// commits. A failure rolls the whole transaction back, so the table keeps its previous content.
bool TCModelFiler::AppendRecords(const float* const columns[9]) {
  try {
    TField* recNo = Table->GetField(mfRecNo);
    LentField<const float*> lent[8];
    const int lentCount = CollectLent(Table, columns, lent);
    ProgressWalk progress("writing the table", RecCount);
    for (int r = 0; r < RecCount; ++r) {
      // A new record reads 0 in every field, so the fields not lent need no write.
      Table->Append();
      recNo->SetAsFloat(r);
      for (int k = 0; k < lentCount; ++k) lent[k].field->SetAsFloat(lent[k].column[r]);
      progress.Step();
    }
    Table->Post();
    Commit();
    return true;
  } catch (const EDBEngineError&) {
    Abandon();
    ShowError(kSaveOverflowError);
    return false;
  } catch (...) {
    Abandon();
    return false;
  }
}

// Rewrites the lent fields (and field 0 when writeRecNo) of the first RecCount records, all in
// one transaction. A table too short for RecCount is refused before anything is written.
bool TCModelFiler::UpdateRecords(const float* const columns[9], bool writeRecNo) {
  try {
    if (Table->RecordCount() < RecCount) return false;
    TField* recNo = Table->GetField(mfRecNo);
    LentField<const float*> lent[8];
    const int lentCount = CollectLent(Table, columns, lent);
    Table->First();
    ProgressWalk progress("writing the table", RecCount);
    for (int r = 0; r < RecCount; ++r) {
      Table->Edit();
      if (writeRecNo) recNo->SetAsFloat(r);
      for (int k = 0; k < lentCount; ++k) lent[k].field->SetAsFloat(lent[k].column[r]);
      Table->Next();  // stores the change
      progress.Step();
    }
    Commit();
    return true;
  } catch (...) {
    Abandon();
    return false;
  }
}

// A save of no records leaves the table emptied, and fails.
bool TCModelFiler::KeepEmptied() {
  try {
    Commit();
  } catch (...) {
    // The emptying is rolled back with the failed commit.
  }
  return false;
}

bool TCModelFiler::LentVectorsCover(int count) const {
  for (int pos = 1; pos < 9; ++pos) {
    if (FloatVect[pos] != nullptr && FloatVect[pos]->size() < static_cast<size_t>(count)) {
      return false;
    }
  }
  return true;
}

void TCModelFiler::VectorColumns(const float* columns[9]) const {
  columns[0] = nullptr;
  for (int pos = 1; pos < 9; ++pos) {
    columns[pos] = FloatVect[pos] != nullptr ? FloatVect[pos]->data() : nullptr;
  }
}
