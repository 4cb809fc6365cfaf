// The VFT and DAT exports: one line per record of the main model table.
#include "storage/mimpex.h"

#include "platform/progress.h"
#include "platform/table.h"
#include "storage/internal/number_text.h"

#include <cmath>
#include <string_view>

namespace {

// The column length is found within this fraction of the X extent.
constexpr float kColumnFraction = 0.00001f;

// Whether the lines reached the file: an export into a file that could not be opened only walks
// the table, and succeeds.
bool Written(std::ofstream& out) {
  return !out.is_open() || !out.fail();
}

// X, Z and the velocity of rec, each in format, separated by sep, and the line end.
void PutXZV(TextOut& text, const NumberFormat& format, const ModelRec& rec, bool useV2,
            std::string_view sep) {
  text.Number(format, rec.X);
  text.Text(sep);
  text.Number(format, rec.Z);
  text.Text(sep);
  text.Number(format, useV2 ? rec.V2 : rec.V);
  text.EndLine();
}

}  // namespace

int TCModelImpex::GetModelColLength() {
  try {
    Table->Last();
    ReadRec();
    const float xLast = Rec.X;
    Table->First();
    ReadRec();
    const float xFirst = Rec.X;
    const float tol = (xLast - xFirst) * kColumnFraction;
    int length = 1;
    for (Table->Next(); !Table->Eof(); Table->Next()) {
      ReadRec();
      if (std::fabs(xFirst - Rec.X) >= tol) break;
      ++length;
    }
    return length;
  } catch (...) {
    return 0;
  }
}

bool TCModelImpex::ExportVFT(bool useV2) {
  try {
    const int n = Table->RecordCount();
    if (n == 0) return false;
    const int colLength = GetModelColLength();
    if (colLength == 0) return false;
    const int colCount = n / colLength;
    const NumberFormat number(NumFmt);
    if (!number.Usable()) return false;
    TextOut text(Out);
    Table->First();
    ProgressWalk progress("writing the exchange file", n);
    for (int k = 0; k < n; ++k) {
      progress.Step();
      ReadRec();
      // The record's node counted row by row from the bottom row: its row k mod L times the
      // row length NC, plus its column k div L.
      text.Int((k % colLength) * colCount + k / colLength, 9);
      text.Text("     ");
      PutXZV(text, number, Rec, useV2, "     ");
      Table->Next();
    }
    text.Flush();
    return Written(Out);
  } catch (...) {
    return false;
  }
}

bool TCModelImpex::ExportDAT(bool useV2) {
  try {
    const NumberFormat number(NumFmt);
    if (!number.Usable()) return false;
    TextOut text(Out);
    text.Text("\"X\",\"Z\",\"V\"");
    text.EndLine();
    ProgressWalk progress("writing the exchange file", Table->RecordCount());
    for (Table->First(); !Table->Eof(); Table->Next()) {
      progress.Step();
      ReadRec();
      PutXZV(text, number, Rec, useV2, ",   ");
    }
    text.Flush();
    return Written(Out);
  } catch (...) {
    return false;
  }
}
