// The filer's column moves: whole fields of the table loaded into, saved from and updated from
// the vectors and arrays that the caller lends.
#include "storage/modelfiler.h"

#include "model/quasigrid.h"
#include "platform/table.h"
#include "storage/model_messages.h"

#include <cstddef>
#include <new>

bool TCModelFiler::LoadFV() {
  // The lent positions and their fields, looked up once for the whole walk.
  struct Lent {
    TField* field;
    std::vector<float>* column;
  };
  Lent lent[9];
  int lentCount = 0;
  for (int pos = 1; pos < 9; ++pos) {
    if (FloatVect[pos] != nullptr) lent[lentCount++] = {Table->GetField(pos), FloatVect[pos]};
  }
  try {
    for (Table->First(); !Table->Eof(); Table->Next()) {
      for (int k = 0; k < lentCount; ++k) {
        lent[k].column->push_back(static_cast<float>(lent[k].field->GetAsFloat()));
      }
    }
  } catch (const std::bad_alloc&) {
    ShowError(kLoadMemoryError);
    return false;
  }
  return true;
}

void TCModelFiler::LoadFA() {
  struct Lent {
    TField* field;
    float* column;
  };
  Lent lent[9];
  int lentCount = 0;
  for (int pos = 1; pos < 9; ++pos) {
    if (FloatArr[pos] != nullptr) lent[lentCount++] = {Table->GetField(pos), FloatArr[pos]};
  }
  size_t record = 0;
  for (Table->First(); !Table->Eof(); Table->Next(), ++record) {
    for (int k = 0; k < lentCount; ++k) {
      lent[k].column[record] = static_cast<float>(lent[k].field->GetAsFloat());
    }
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
    TField* fields[9];
    for (int pos = 0; pos < 9; ++pos) fields[pos] = Table->GetField(pos);
    for (int r = 0; r < RecCount; ++r) {
      Table->Append();
      fields[mfRecNo]->SetAsFloat(r);
      for (int pos = 1; pos < 9; ++pos) {
        fields[pos]->SetAsFloat(columns[pos] != nullptr ? columns[pos][r] : 0.0);
      }
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
    TField* fields[9];
    for (int pos = 0; pos < 9; ++pos) fields[pos] = Table->GetField(pos);
    Table->First();
    for (int r = 0; r < RecCount; ++r) {
      Table->Edit();
      if (writeRecNo) fields[mfRecNo]->SetAsFloat(r);
      for (int pos = 1; pos < 9; ++pos) {
        if (columns[pos] != nullptr) fields[pos]->SetAsFloat(columns[pos][r]);
      }
      Table->Next();  // stores the change
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
