// Reading layered ray-tracing models and building quasi-grids from them.
#include "formats/layered.h"

#include <algorithm>
#include <cmath>

#include "formats/internal/new_grid.h"
#include "formats/internal/number_text.h"
#include "formats/internal/text_input.h"
#include "platform/environment.h"
#include "platform/strings.h"

namespace {

constexpr size_t kMaxLineLength = 1024;  // a record line has 72 columns
constexpr size_t kHeadWidth = 2;         // columns 1-2: layer number or continuation flag
constexpr size_t kFieldWidth = 7;
constexpr size_t kFieldsPerLine = 10;
constexpr size_t kLineWidth = kHeadWidth + kFieldWidth * kFieldsPerLine;
constexpr int kMaxLayers = 99;  // horizon identifiers run from 1 to 99

// The two numbered parts of a record line: columns 1-2 and the values of the 7-column fields.
struct FixedLine {
  int Head = 0;
  std::vector<float> Values;
};

std::string Columns(size_t field) {
  const size_t first = kHeadWidth + field * kFieldWidth + 1;
  return "field " + std::to_string(field + 1) + " (columns " + std::to_string(first) + "-" +
         std::to_string(first + kFieldWidth - 1) + ")";
}

float FieldValue(const AnsiString& text, int lineNo, size_t field) {
  const float value = ParseFloatField(text, lineNo, Columns(field));
  // Without a decimal point the ray tracer would read the last two digits as decimals.
  if (value != 0 && text.find('.') == AnsiString::npos)
    FailAtLine(lineNo, Columns(field) + " " + Quoted(text) + " has no decimal point");
  return value;
}

FixedLine ParseFixedLine(const AnsiString& line, int lineNo, const char* head) {
  if (line.find('\t') != AnsiString::npos) FailAtLine(lineNo, "a tab in a line of fixed columns");
  FixedLine fixed;
  const AnsiString headText = Trim(line.substr(0, std::min(line.size(), kHeadWidth)));
  if (headText.empty()) FailAtLine(lineNo, std::string("columns 1-2 hold no ") + head);
  fixed.Head = ParseIntField(headText, lineNo, std::string("the ") + head);
  bool gap = false;
  for (size_t f = 0; f < kFieldsPerLine; ++f) {
    const size_t start = kHeadWidth + f * kFieldWidth;
    if (start >= line.size()) break;
    const AnsiString text = Trim(line.substr(start, kFieldWidth));
    if (text.empty()) {
      gap = true;
    } else if (gap) {
      FailAtLine(lineNo, Columns(f) + " follows an empty field");
    } else {
      fixed.Values.push_back(FieldValue(text, lineNo, f));
    }
  }
  if (line.size() > kLineWidth && !Trim(line.substr(kLineWidth)).empty())
    FailAtLine(lineNo, "text after column " + std::to_string(kLineWidth));
  return fixed;
}

const char* RecordName(size_t index) {
  static const char* const kNames[] = {"top depths", "top velocities", "bottom velocities"};
  return kNames[index % 3];
}

// Reads one group of three lines, the first of which is in xLine; appends to record. False when
// the group ends the record.
bool ReadGroup(LineInput& lines, const AnsiString& xLine, int layer, LayeredRecord& record) {
  const int xLineNo = lines.LineNo();
  const FixedLine xs = ParseFixedLine(xLine, xLineNo, "layer number");
  if (xs.Head != layer)
    FailAtLine(xLineNo, FormatStr("layer number %d where %d was expected", xs.Head, layer));
  if (xs.Values.empty()) FailAtLine(xLineNo, "no X value in columns 3-72");
  AnsiString line;
  if (!lines.Next(line))
    FailAtLine(xLineNo + 1, "the input ends where the values of line " + std::to_string(xLineNo) +
                                " were expected");
  const FixedLine values = ParseFixedLine(line, lines.LineNo(), "continuation flag");
  if (values.Head != 0 && values.Head != 1)
    FailAtLine(lines.LineNo(), "continuation flag " + std::to_string(values.Head) +
                                   ", 0 (last line of the record) or 1 was expected");
  if (values.Values.size() != xs.Values.size())
    FailAtLine(lines.LineNo(), FormatStr("%zu values for the %zu X values of line %d",
                                         values.Values.size(), xs.Values.size(), xLineNo));
  record.X.insert(record.X.end(), xs.Values.begin(), xs.Values.end());
  record.Value.insert(record.Value.end(), values.Values.begin(), values.Values.end());
  const bool more = values.Head == 1;
  // The line of inversion flags; the very last one of a file may be left out.
  if (!lines.Next(line) && more)
    FailAtLine(lines.LineNo() + 1,
               "the input ends inside the record of line " + std::to_string(record.Line));
  return more;
}

void CheckRecord(const LayeredRecord& r, size_t index) {
  for (size_t i = 1; i < r.X.size(); ++i) {
    if (!(r.X[i] > r.X[i - 1]))
      FailAtLine(r.Line, "X " + NumberText(r.X[i]) + " does not lie right of X " +
                             NumberText(r.X[i - 1]) + " before it");
  }
  if (index % 3 == 0) return;  // depths
  for (const float v : r.Value) {
    if (v < 0) FailAtLine(r.Line, "velocity " + NumberText(v) + " is negative");
  }
}

// Skips blank lines; true when a line with text follows (it is left in line).
bool NextNonBlank(LineInput& lines, AnsiString& line) {
  int firstBlank = 0;
  while (lines.Next(line)) {
    if (!Trim(line).empty()) {
      if (firstBlank > 0) FailAtLine(firstBlank, "an empty line inside the model");
      return true;
    }
    if (firstBlank == 0) firstBlank = lines.LineNo();
  }
  return false;
}

void ReadRecords(std::istream& in, LayeredModel& layered) {
  LineInput lines(in, kMaxLineLength);
  AnsiString line;
  while (NextNonBlank(lines, line)) {
    const size_t index = layered.Records.size();
    LayeredRecord record;
    record.Line = lines.LineNo();
    const int layer = static_cast<int>(index / 3) + 1;
    while (ReadGroup(lines, line, layer, record)) {
      if (!lines.Next(line))
        FailAtLine(lines.LineNo() + 1,
                   "the input ends inside the record of line " + std::to_string(record.Line));
    }
    CheckRecord(record, index);
    layered.Records.push_back(std::move(record));
  }
  const size_t count = layered.Records.size();
  if (count < 4 || count % 3 != 1) {
    const std::string after =
        count == 0 ? std::string("no record")
                   : FormatStr("the %s of layer %zu", RecordName(count - 1), (count - 1) / 3 + 1);
    FailAtLine(lines.LineNo() + 1,
               "the input ends after " + after +
                   "; each layer needs its top depths, top velocities and bottom velocities, "
                   "and the model's bottom depths come last");
  }
}

// The record's value at x: linear between its nodes, constant beyond its ends.
float ValueAt(const LayeredRecord& r, float x) {
  if (x <= r.X.front()) return r.Value.front();
  if (x >= r.X.back()) return r.Value.back();
  const size_t k = static_cast<size_t>(std::upper_bound(r.X.begin(), r.X.end(), x) - r.X.begin());
  const float x0 = r.X[k - 1];
  return r.Value[k - 1] + (r.Value[k] - r.Value[k - 1]) * ((x - x0) / (r.X[k] - x0));
}

bool TakesNeighbour(const LayeredRecord& r) {
  return r.Value.size() == 1 && r.Value[0] == 0;
}

// The X of every record node, ascending, nodes closer than the X resolution of their span
// counted once.
std::vector<float> UnionOfX(const LayeredModel& layered) {
  std::vector<float> xs;
  for (const LayeredRecord& r : layered.Records) xs.insert(xs.end(), r.X.begin(), r.X.end());
  std::sort(xs.begin(), xs.end());
  const float res = G2_GetCompResolution(xs.front(), xs.back());
  std::vector<float> merged;
  for (const float x : xs) {
    if (merged.empty() || x - merged.back() > res) merged.push_back(x);
  }
  return merged;
}

// The elevations and velocities of one V-line from its top H-line down, before scaling.
struct Column {
  std::vector<float> Z;
  std::vector<float> V;
};

void FillColumn(const LayeredModel& layered, int rows, float x, Column& col) {
  const int n = layered.Layers();
  const auto& rec = layered.Records;
  col.Z.clear();
  col.V.clear();
  float depthAbove = ValueAt(rec[0], x);
  float vBotAbove = 0;
  for (int i = 0; i < n; ++i) {
    const size_t r = static_cast<size_t>(i) * 3;
    const float top = depthAbove;
    // A boundary above the one before it is lowered onto it: the layer pinches out there.
    const float bot = std::max(ValueAt(rec[r + 3], x), top);
    const float vTop = TakesNeighbour(rec[r + 1]) ? vBotAbove : ValueAt(rec[r + 1], x);
    const float vBot = TakesNeighbour(rec[r + 2]) ? vTop : ValueAt(rec[r + 2], x);
    for (int m = 0; m <= rows; ++m) {
      const float f = static_cast<float>(m) / static_cast<float>(rows + 1);
      col.Z.push_back(0.0f - (top + (bot - top) * f));  // 0 - d: depth 0 is elevation +0
      col.V.push_back(vTop + (vBot - vTop) * f);
    }
    depthAbove = bot;
    vBotAbove = vBot;
  }
  col.Z.push_back(0.0f - depthAbove);
  col.V.push_back(vBotAbove);
}

// Keeps every H-line at least gap below the one above it; true when some line had to move.
bool KeepGaps(std::vector<float>& z, float gap, float x) {
  bool moved = false;
  for (size_t t = 1; t < z.size(); ++t) {
    if (!(z[t] <= z[t - 1] - gap)) {
      z[t] = z[t - 1] - gap;
      moved = true;
    }
    if (!(z[t] < z[t - 1]))
      throw FormatError("at X " + NumberText(x) + " the minimum gap " + NumberText(gap) +
                        " is too small to separate H-lines at elevation " + NumberText(z[t]));
  }
  return moved;
}

// Whether scaling kept every number finite and every V-line's elevations strictly ascending.
bool ScaledGridSound(const std::vector<float>& zz, const std::vector<float>& vv, size_t nz) {
  for (size_t i = 0; i < zz.size(); ++i) {
    if (!std::isfinite(zz[i]) || !std::isfinite(vv[i])) return false;
    if (i % nz != 0 && !(zz[i] > zz[i - 1])) return false;
  }
  return true;
}

std::string CheckOptions(const LayeredModel& layered, const LayeredOptions& o) {
  if (layered.Records.size() < 4 || layered.Records.size() % 3 != 1) return "no layered model";
  if (layered.Layers() > kMaxLayers)
    return std::to_string(layered.Layers()) + " layers, at most " + std::to_string(kMaxLayers) +
           " can carry horizons";
  if (o.RowsPerLayer < 0) return "the rows per layer must not be negative";
  if (!(o.MinGap > 0) || !std::isfinite(o.MinGap)) return "the minimum gap must be above 0";
  if (!(o.Scale > 0) || !std::isfinite(o.Scale)) return "the scale must be above 0";
  if (TakesNeighbour(layered.Records[1]))
    return "line " + std::to_string(layered.Records[1].Line) +
           ": the top velocity 0 of layer 1 asks for the layer above, and there is none";
  return {};
}

}  // namespace

std::string ReadLayeredModel(std::istream& in, LayeredModel& layered) {
  layered.Records.clear();
  try {
    ReadRecords(in, layered);
  } catch (const FormatError& e) {
    return e.what();
  }
  return {};
}

std::string LayeredToModel(const LayeredModel& layered, const LayeredOptions& options,
                           BCEQuasiGrid& model, int& pinched) {
  if (std::string why = CheckOptions(layered, options); !why.empty()) return why;
  std::vector<float> xx = UnionOfX(layered);
  const long long nz = static_cast<long long>(layered.Layers()) * (options.RowsPerLayer + 1LL) + 1;
  if (std::string why = NodeCountProblem(static_cast<long long>(xx.size()), nz); !why.empty())
    return why;
  const auto n = static_cast<size_t>(nz);
  std::vector<float> zz(xx.size() * n);
  std::vector<float> vv(zz.size());
  Column col;
  pinched = 0;
  try {
    for (size_t c = 0; c < xx.size(); ++c) {
      FillColumn(layered, options.RowsPerLayer, xx[c], col);
      if (KeepGaps(col.Z, options.MinGap, xx[c])) ++pinched;
      // The column runs from the top down, the model's V-line from the bottom up.
      for (size_t t = 0; t < n; ++t) {
        zz[c * n + n - 1 - t] = col.Z[t] * options.Scale;
        vv[c * n + n - 1 - t] = col.V[t] * options.Scale;
      }
    }
  } catch (const FormatError& e) {
    return e.what();
  }
  for (float& x : xx) x *= options.Scale;
  if (!ScaledGridSound(zz, vv, n)) return "the scaled model holds numbers beyond the float range";
  AdoptNewGrid(model, xx, static_cast<int>(nz), zz, vv);
  for (int j = 1; j <= layered.Layers(); ++j) {
    BCHor hor;
    hor.IH = j * (options.RowsPerLayer + 1);
    hor.ID = static_cast<int16_t>(j);
    model.Hors.push_back(hor);
  }
  return {};
}
