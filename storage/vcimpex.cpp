// The velocity-column filer: opening, writing one block and reading one block with the header of
// the next read ahead.
#include "storage/vcimpex.h"

#include "platform/strings.h"
#include "platform/textfile.h"
#include "storage/internal/number_text.h"

#include <cfloat>
#include <filesystem>
#include <string>

namespace {

// Far longer than any sensible line of the format: a longer one is a format error, and reading
// it costs no more memory than this.
constexpr size_t kMaxVelColLine = 65536;

// The X behind the '=' of a header line, blanks stripped.
bool HeaderX(const AnsiString& line, float& x) {
  return StrToFloatChecked(Trim(S_After(line, '=')), x);
}

}  // namespace

VCFiler::VCFiler(const AnsiString& fileName, VCOperation op) : NextX(0), IsOpen(false), LineNo(0) {
  try {
    if (op == vcoWrite) {
      NumFormat = "%13.3f";
      OutFile.exceptions(std::ios::failbit | std::ios::badbit);
      std::error_code error;
      const bool exists = std::filesystem::exists(fileName, error);
      OutFile.open(fileName, std::ios::binary | (exists ? std::ios::app : std::ios::trunc));
      IsOpen = OutFile.is_open();
    } else if (op == vcoRead) {
      InFile.exceptions(std::ios::badbit);
      InFile.open(fileName, std::ios::binary);
      IsOpen = InFile.is_open();
    }
  } catch (...) {
    IsOpen = false;  // the open failed (the write stream raises on it)
  }
}

bool VCFiler::AppendCol(float x, const std::vector<float>& z, const std::vector<float>& v) {
  if (z.empty() || z.size() != v.size()) return false;
  const NumberFormat number(NumFormat);
  if (!number.Usable()) return false;
  std::string header;
  number.Append(header, x);
  TextOut text(OutFile);
  text.Text("X=");
  text.Text(Trim(header));
  text.EndLine();
  for (size_t i = 0; i < z.size(); ++i) {
    text.Number(number, z[i]);
    text.Text(" ");
    text.Number(number, v[i]);
    text.EndLine();
  }
  text.Flush();
  return true;
}

int VCFiler::ReadNextCol(float& x, std::vector<float>& z, std::vector<float>& v,
                         VCReadPosition& pos) {
  z.clear();
  v.clear();
  try {
    return ReadBlock(x, z, v, pos);
  } catch (...) {
    return vcrFormat;  // a stream failure, or no memory for the points
  }
}

// Whether no character is left: a header that ends the input, with or without a line end after
// it, then ends the data.
bool VCFiler::AtEnd() {
  return InFile.peek() == std::ifstream::traits_type::eof();
}

int VCFiler::ReadBlock(float& x, std::vector<float>& z, std::vector<float>& v,
                       VCReadPosition& pos) {
  AnsiString line;
  if (pos == vrpStart) {
    ++LineNo;
    if (S_ReadLnLimited(InFile, line, kMaxVelColLine) == LineRead::kTooLong) return vcrFormat;
    if (line.empty() || !HeaderX(line, x)) return vcrFormat;
  } else {
    x = NextX;
  }
  pos = vrpNext;
  float lastZ = FLT_MAX;
  std::vector<AnsiString> fields;
  while (!AtEnd()) {
    ++LineNo;
    if (S_ReadLnLimited(InFile, line, kMaxVelColLine) == LineRead::kTooLong) return vcrFormat;
    if (line.empty()) {
      pos = vrpEnd;
      break;
    }
    if (line.find('=') != AnsiString::npos) {
      if (!HeaderX(line, NextX)) return vcrFormat;
      break;
    }
    fields.clear();
    S_StrToStrArray(line, ", \t", fields);
    if (fields.size() < 2) return vcrFormat;
    float e = 0;
    if (!StrToFloatChecked(fields[0], e)) return vcrFormat;
    if (!(e < lastZ)) return vcrElevation;
    lastZ = e;
    float w = 0;
    if (!StrToFloatChecked(fields[1], w)) return vcrFormat;
    if (!(w > 0)) return vcrVelocity;
    z.push_back(e);
    v.push_back(w);
  }
  if (z.empty()) return vcrFormat;
  if (AtEnd()) pos = vrpEnd;
  return vcrOk;
}
