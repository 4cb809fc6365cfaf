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

// The fields are written and read as the doubles that the 32-bit integer and the floats of Rec
// convert to exactly, which is what passing them as variants gives.
void TCModelImpex::ApndRec() {
  Table->Append();
  Table->GetField(mfRecNo)->SetAsFloat(Rec.RecNo);
  Table->GetField(mfX)->SetAsFloat(Rec.X);
  Table->GetField(mfAux2)->SetAsFloat(Rec.Aux2);
  Table->GetField(mfZ)->SetAsFloat(Rec.Z);
  Table->GetField(mfV)->SetAsFloat(Rec.V);
  Table->GetField(mfFix)->SetAsFloat(Rec.Fix);
  Table->GetField(mfV2)->SetAsFloat(Rec.V2);
  Table->Post();
}

void TCModelImpex::ReadRec() {
  Rec.RecNo = CastToInt32(Table->GetField(mfRecNo)->GetAsFloat());
  Rec.X = static_cast<float>(Table->GetField(mfX)->GetAsFloat());
  Rec.Z = static_cast<float>(Table->GetField(mfZ)->GetAsFloat());
  Rec.V = static_cast<float>(Table->GetField(mfV)->GetAsFloat());
  Rec.V2 = static_cast<float>(Table->GetField(mfV2)->GetAsFloat());
}
