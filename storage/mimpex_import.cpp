// The VFT import: one model record appended per line, then the check that the records form a
// quasi-grid.
#include "storage/mimpex.h"

#include "model/quasigrid.h"
#include "platform/strings.h"
#include "platform/table.h"
#include "platform/textfile.h"
#include "storage/modelfiler.h"

#include <cfloat>
#include <cmath>
#include <new>
#include <vector>

// The X and Z of the imported records, kept beside the table so that the grid check of an import
// need not read the table back. Keeping stops (and the check reads the table) when memory runs
// short.
struct ImportedColumns {
  std::vector<float> x;
  std::vector<float> z;
  bool kept = true;
  void Add(float xValue, float zValue) {
    if (!kept) return;
    try {
      x.push_back(xValue);
      z.push_back(zValue);
    } catch (const std::bad_alloc&) {
      kept = false;
      x = {};
      z = {};
    }
  }
};

namespace {

// Far longer than any sensible VFT line: a longer one is a bad line, and reading it costs no
// more memory than this.
constexpr size_t kMaxVFTLine = 65536;

// The tolerances are this fraction of the X and Z extents of the imported nodes.
constexpr float kToleranceFraction = 0.00001f;

const char* const kImportOverflowError = "Model database overflow.";

bool IsSeparator(char c) {
  return c == ' ' || c == ',' || c == '\t';
}

// Splits line at runs of blanks, commas and tabs into tokens (no token is empty), reusing the
// strings already in tokens: a file of millions of lines then allocates nothing per line.
void SplitFields(const AnsiString& line, std::vector<AnsiString>& tokens) {
  size_t count = 0;
  const size_t size = line.size();
  size_t pos = 0;
  for (;;) {
    while (pos < size && IsSeparator(line[pos])) ++pos;
    if (pos == size) break;
    const size_t start = pos;
    while (pos < size && !IsSeparator(line[pos])) ++pos;
    if (count < tokens.size()) {
      tokens[count].assign(line, start, pos - start);
    } else {
      tokens.emplace_back(line, start, pos - start);
    }
    ++count;
  }
  tokens.resize(count);
}

// Running extent of the imported nodes.
struct Extent {
  float xmin = FLT_MAX;
  float zmin = FLT_MAX;
  float xmax = -FLT_MAX;
  float zmax = -FLT_MAX;
  void Add(float x, float z) {
    if (x < xmin) xmin = x;
    if (z < zmin) zmin = z;
    if (x > xmax) xmax = x;
    if (z > zmax) zmax = z;
  }
};

// The records of the table, walked through their X and Z fields.
class TableRecords {
 public:
  explicit TableRecords(TTable* table)
      : table_(table), x_(table->GetField(mfX)), z_(table->GetField(mfZ)) {}
  int Count() const { return table_->RecordCount(); }
  void First() { table_->First(); }
  bool End() const { return table_->Eof(); }
  void Next() { table_->Next(); }
  float X() const { return static_cast<float>(x_->GetAsFloat()); }
  float Z() const { return static_cast<float>(z_->GetAsFloat()); }

 private:
  TTable* table_;
  TField* x_;
  TField* z_;
};

// The same records as kept in memory while they were appended.
class KeptRecords {
 public:
  explicit KeptRecords(const ImportedColumns& columns) : c_(columns) {}
  int Count() const { return static_cast<int>(c_.x.size()); }
  void First() { i_ = 0; }
  bool End() const { return i_ >= c_.x.size(); }
  void Next() { ++i_; }
  float X() const { return End() ? 0.0f : c_.x[i_]; }
  float Z() const { return End() ? 0.0f : c_.z[i_]; }

 private:
  const ImportedColumns& c_;
  size_t i_ = 0;
};

// The grid check over either kind of records (see CheckDBModel).
template <typename Records>
int CheckGrid(Records& records, float xTol, float zTol, int stepFactor, int& lineNo) {
  const int n = records.Count();
  if (n < 4) {
    lineNo = 0;
    return vftNoGrid;
  }
  // The first column: the records from the first on that share its X within xTol.
  records.First();
  const float x0 = records.X();
  int colLength = 0;
  for (; !records.End() && std::fabs(records.X() - x0) < xTol; records.Next()) ++colLength;
  if (colLength < 2 || n % colLength != 0 || n / colLength < 2) {
    lineNo = 0;
    return vftNoGrid;
  }
  const int colCount = n / colLength;
  const float xStep = static_cast<float>(stepFactor) * xTol;
  const float zStep = static_cast<float>(stepFactor) * zTol;

  records.First();
  lineNo = 1;
  float xc = 0;  // X of the current column's bottom node
  float zb = 0;  // elevation of the first column's bottom node
  for (int c = 0; c < colCount; ++c) {
    const float xBottom = records.X();
    if (c > 0 && xBottom - xc < xStep) return vftColumnStep;
    xc = xBottom;
    float zp = records.Z();  // elevation of the node below the next one
    if (c == 0) {
      zb = zp;
    } else if (std::fabs(zp - zb) > zTol) {
      return vftBottom;
    }
    records.Next();
    ++lineNo;
    for (int node = 1; node < colLength; ++node) {
      if (std::fabs(records.X() - xc) >= xTol) return vftColumnX;
      const float zNode = records.Z();
      if (zNode - zp < zStep) return vftNodeStep;
      zp = zNode;
      records.Next();
      ++lineNo;
    }
  }
  return vftOk;
}

}  // namespace

int TCModelImpex::ImportVFT(int stepFactor, int& lineNo) {
  float xTol = 0;
  float zTol = 0;
  ImportedColumns kept;
  int result = vftOk;
  try {
    result = ReadVFTLines(lineNo, xTol, zTol, kept);
  } catch (const EDBEngineError&) {
    // Abandon the whole import, the emptying of the table included.
    try {
      Table->CancelUpdates();
    } catch (...) {
      // A failed rollback has disconnected the table, which rolls back all the same.
    }
    ShowError(kImportOverflowError);
    return vftTableOverflow;
  } catch (...) {
    result = vftBadLine;
  }
  try {
    CommitImport();
  } catch (const EDBEngineError&) {
    ShowError(kImportOverflowError);
    return vftTableOverflow;
  }
  if (result != vftOk) return result;
  if (!kept.kept) {
    Table->Open();
    return CheckDBModel(xTol, zTol, stepFactor, lineNo);
  }
  // The table now holds exactly the kept records, in the same order.
  KeptRecords records(kept);
  return CheckGrid(records, xTol, zTol, stepFactor, lineNo);
}

// Appends one record per line up to the first empty line or the end of the input. lineNo is
// counted up once a line has shown its four fields, before its numbers are converted, so a bad
// number is reported one line further on than a short line.
int TCModelImpex::ReadVFTLines(int& lineNo, float& xTol, float& zTol, ImportedColumns& kept) {
  Extent extent;
  Rec = {};
  lineNo = 1;
  int k = -1;
  for (;;) {
    const LineRead got = S_ReadLnLimited(In, Line, kMaxVFTLine);
    if (got == LineRead::kTooLong) return vftBadLine;
    if (got == LineRead::kEnd && In.bad()) return vftBadLine;
    if (Line.empty()) break;
    SplitFields(Line, Tokens);
    if (Tokens.size() < 4) return vftBadLine;
    if (++lineNo >= kModelTableRecordLimit) return vftTableOverflow;
    Rec.RecNo = ++k;
    if (!StrToFloatChecked(Tokens[1], Rec.X) || !StrToFloatChecked(Tokens[2], Rec.Z) ||
        !StrToFloatChecked(Tokens[3], Rec.V)) {
      return vftBadLine;
    }
    ApndRec();
    extent.Add(Rec.X, Rec.Z);
    kept.Add(Rec.X, Rec.Z);
  }
  xTol = (extent.xmax - extent.xmin) * kToleranceFraction;
  zTol = (extent.zmax - extent.zmin) * kToleranceFraction;
  return vftOk;
}

// Makes the appended records permanent. The table stays closed: the grid check reads the copy
// kept in memory, and reopens the table only where there is none.
void TCModelImpex::CommitImport() {
  Table->Close();
}

int TCModelImpex::CheckDBModel(float xTol, float zTol, int stepFactor, int& lineNo) {
  TableRecords records(Table);
  return CheckGrid(records, xTol, zTol, stepFactor, lineNo);
}
