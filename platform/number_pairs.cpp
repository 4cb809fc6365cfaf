// Reading files of number pairs line by line, each line checked before it is kept.
#include "platform/number_pairs.h"

#include <climits>
#include <string>
#include <utility>

#include "platform/strings.h"
#include "platform/textfile.h"

namespace {

PairFileProblem Problem(int line, const AnsiString& text) {
  return PairFileProblem{line, text};
}

// The numbers of one line, its comment removed; empty for a line of blanks and comment only.
std::vector<AnsiString> Fields(const AnsiString& line) {
  std::vector<AnsiString> fields;
  S_StrToStrArray(line.substr(0, line.find('#')), " \t", fields);
  return fields;
}

// A field shown in a message: quoted, and cut short when long.
AnsiString Shown(const AnsiString& field) {
  constexpr size_t kShown = 40;
  return "'" + (field.size() > kShown ? field.substr(0, kShown) + "..." : field) + "'";
}

// Converts the two fields of a line; a problem names the column of the field that failed.
PairFileProblem ParsePair(const std::vector<AnsiString>& fields, int lineNo, const char* names[2],
                          float values[2]) {
  if (fields.size() != 2)
    return Problem(lineNo, FormatStr("expected two numbers (%s %s), found %zu fields", names[0],
                                     names[1], fields.size()));
  for (int k = 0; k < 2; ++k) {
    if (!StrToFloatChecked(fields[static_cast<size_t>(k)], values[k]))
      return Problem(lineNo, FormatStr("%s %s is not a finite number", names[k],
                                       Shown(fields[static_cast<size_t>(k)]).c_str()));
  }
  return {};
}

}  // namespace

PairFileProblem ReadNumberPairs(std::istream& in, const char* firstName, const char* secondName,
                                NumberPairs& pairs) {
  const char* names[2] = {firstName, secondName};
  NumberPairs read;
  AnsiString line;
  int lineNo = 0;
  for (;;) {
    const LineRead got = S_ReadLnLimited(in, line, kPairLineLimit);
    if (got == LineRead::kEnd) break;
    if (lineNo == INT_MAX) return Problem(0, "holds more lines than can be counted");
    ++lineNo;
    if (got == LineRead::kTooLong)
      return Problem(lineNo, FormatStr("the line is longer than %zu characters", kPairLineLimit));
    const std::vector<AnsiString> fields = Fields(line);
    if (fields.empty()) continue;
    float values[2] = {0, 0};
    if (PairFileProblem p = ParsePair(fields, lineNo, names, values); !p.Text.empty()) return p;
    if (!read.First.empty() && !(values[0] > read.First.back()))
      return Problem(lineNo, FormatStr("%s %g is not above %s %g of line %d", firstName, values[0],
                                       firstName, read.First.back(), read.Lines.back()));
    if (read.First.size() == kPairCountLimit)
      return Problem(lineNo, FormatStr("more than %zu lines of numbers", kPairCountLimit));
    read.First.push_back(values[0]);
    read.Second.push_back(values[1]);
    read.Lines.push_back(lineNo);
  }
  if (in.bad()) return Problem(lineNo + 1, "cannot be read");
  if (read.First.empty())
    return Problem(0, FormatStr("holds no line of two numbers (%s %s)", firstName, secondName));
  pairs = std::move(read);
  return {};
}
