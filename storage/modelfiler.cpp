// Opening, clearing and closing a model table, and the lent-pointer bookkeeping of the filer.
#include "storage/modelfiler.h"

#include "platform/environment.h"
#include "platform/files.h"
#include "platform/table.h"

#include <memory>

TCModelFiler::TCModelFiler(const AnsiString& dbDir, bool backup, [[maybe_unused]] char mode)
    : Valid(false), RecCount(0), FloatArr{}, FloatVect{}, Table(nullptr) {
  // The store's failure text then tells what went wrong in this filer's operation only.
  ClearTableStoreError();
  const AnsiString tableName = backup ? "modelbk.db" : "model.db";
  if (!FileExists(dbDir + "/" + tableName)) {
    // A failed copy shows up as a table that cannot be opened below.
    F_CopyDirFiles(G2_GetDBSampleDir() + (backup ? "/modelbk.*" : "/model.*"), dbDir, false);
  }
  auto table = std::make_unique<TTable>(nullptr);
  table->SetDatabaseName(dbDir);
  table->SetTableName(tableName);
  Table = table.release();
  try {
    Table->Open();
    RecCount = Table->RecordCount();
    if (RecCount >= kModelTableRecordLimit) {
      Table->Close();
    } else {
      Valid = true;
    }
  } catch (...) {
    // Any refusal of the store only makes the filer invalid.
    Valid = false;
  }
  Nullify();
}

TCModelFiler::~TCModelFiler() {
  if (Table == nullptr) return;
  try {
    if (Table->GetActive()) Table->Close();
  } catch (...) {
    // A failed close has abandoned whatever was pending; the file keeps its committed content.
  }
  delete Table;
}

void TCModelFiler::Nullify() {
  for (int pos = 0; pos < 9; ++pos) {
    FloatArr[pos] = nullptr;
    FloatVect[pos] = nullptr;
  }
}

bool TCModelFiler::ClearDB() {
  try {
    if (Table->GetActive()) Table->Close();
    // Emptied while closed, the table keeps the deletion pending in the transaction that the
    // records appended after reopening join.
    Table->EmptyTable();
    Table->Open();
    return true;
  } catch (...) {
    return false;
  }
}

void TCModelFiler::SetFloatVectPtr(int pos, std::vector<float>* v) {
  FloatVect[pos] = v;
}

// Makes the pending transaction permanent. The table is reopened so that the filer stays
// usable; a failed reopen does not undo the commit, and the next use of the table reports it.
void TCModelFiler::Commit() {
  Table->Close();
  try {
    Table->Open();
  } catch (...) {
  }
}

// Drops every change since the last commit, so the table keeps its previous content. A failed
// rollback has disconnected the table, which rolls the transaction back all the same.
void TCModelFiler::Abandon() {
  try {
    Table->CancelUpdates();
  } catch (...) {
  }
}
