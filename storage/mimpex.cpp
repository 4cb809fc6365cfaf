// The model importer's table and streams: construction in stages, and one record moved between
// the table and Rec.
#include "storage/mimpex.h"

#include "platform/table.h"
#include "storage/modelfiler.h"

#include <memory>

TCModelImpex::TCModelImpex(const AnsiString& fileName, const AnsiString& dbDir, char mode)
    : Table(nullptr), InitStatus(1), Rec{} {
  // Failures before the table is touched pass to the caller.
  auto table = std::make_unique<TTable>(nullptr);
  table->SetDatabaseName(dbDir);
  table->SetTableName("model.db");
  if (mode == 'E') NumFmt = "%12.3f";
  Table = table.release();
  try {
    // Emptied while closed, the table keeps the deletion in the transaction that the imported
    // records then join.
    if (mode == 'I') Table->EmptyTable();
    Table->Open();
    InitStatus = 2;
    if (mode == 'E') {
      Out.open(fileName, std::ios::binary | std::ios::trunc);
    } else if (mode == 'I') {
      In.open(fileName, std::ios::binary);
    } else {
      return;
    }
    InitStatus = 0;
  } catch (...) {
    // The stage reached stays in InitStatus.
  }
}

TCModelImpex::~TCModelImpex() {
  try {
    Table->Close();  // commits an import; does nothing on a closed table
  } catch (...) {
    // A failed commit has abandoned the import: the table keeps its previous content.
  }
  delete Table;
}

void TCModelImpex::ApndRec() {
  Table->Append();
  Table->GetField(mfRecNo)->SetValue(Rec.RecNo);
  Table->GetField(mfX)->SetValue(Rec.X);
  Table->GetField(mfAux2)->SetValue(Rec.Aux2);
  Table->GetField(mfZ)->SetValue(Rec.Z);
  Table->GetField(mfV)->SetValue(Rec.V);
  Table->GetField(mfFix)->SetValue(Rec.Fix);
  Table->GetField(mfV2)->SetValue(Rec.V2);
  Table->Post();
}

void TCModelImpex::ReadRec() {
  Rec.RecNo = Table->GetField(mfRecNo)->GetValue();
  Rec.X = Table->GetField(mfX)->GetValue();
  Rec.Z = Table->GetField(mfZ)->GetValue();
  Rec.V = Table->GetField(mfV)->GetValue();
  Rec.V2 = Table->GetField(mfV2)->GetValue();
}
