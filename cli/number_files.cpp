// Reading files of plain numbers line by line, with bounded memory, each field checked.
#include "cli/number_files.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "cli/errors.h"
#include "cli/pair_files.h"
#include "platform/strings.h"
#include "platform/textfile.h"

namespace fs = std::filesystem;

namespace {

// A field shown in a message: quoted, and cut short when long.
std::string Shown(const std::string& field) {
  constexpr size_t kShown = 40;
  return "'" + (field.size() > kShown ? field.substr(0, kShown) + "..." : field) + "'";
}

}  // namespace

NumberFile ReadNumbers(std::istream& in, const std::string& name, size_t perLine,
                       const char* names) {
  NumberFile numbers;
  std::string line;
  int lineNo = 0;
  const auto refuse = [&](const std::string& why) {
    throw CommandError(PairFileLine(name, lineNo, why));
  };
  for (;;) {
    const LineRead got = S_ReadLnLimited(in, line, kNumberLineLimit);
    if (got == LineRead::kEnd) break;
    if (lineNo == INT_MAX) refuse("holds more lines than can be counted");
    ++lineNo;
    if (got == LineRead::kTooLong)
      refuse("the line is longer than " + std::to_string(kNumberLineLimit) + " characters");
    std::vector<std::string> fields;
    S_StrToStrArray(line.substr(0, line.find('#')), " \t", fields);
    if (fields.empty()) continue;
    if (perLine > 0 && fields.size() != perLine)
      refuse("expected " + std::to_string(perLine) + " numbers (" + names + "), found " +
             std::to_string(fields.size()));
    if (numbers.Values.size() + fields.size() > kNumberCountLimit)
      refuse("more than " + std::to_string(kNumberCountLimit) + " numbers");
    for (const std::string& field : fields) {
      float value = 0;
      if (!StrToFloatChecked(field, value)) refuse(Shown(field) + " is not a finite number");
      numbers.Values.push_back(value);
      numbers.Lines.push_back(lineNo);
    }
  }
  lineNo = 0;
  if (in.bad()) refuse("cannot be read");
  if (numbers.Values.empty()) refuse(std::string("holds no numbers (") + names + ")");
  return numbers;
}

NumberFile ReadNumberFile(const std::string& path, size_t perLine, const char* names) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) throw CommandError(path + ": is a folder, not a file");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw CommandError("cannot read " + path + ": " + std::strerror(errno));
  return ReadNumbers(in, path, perLine, names);
}
