// Opening and reading the tool's number-pair files, with the file named in every refusal.
#include "cli/pair_files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "cli/errors.h"

namespace fs = std::filesystem;

std::string PairFileLine(const std::string& path, int line, const std::string& text) {
  return path + (line > 0 ? " line " + std::to_string(line) : std::string()) + ": " + text;
}

NumberPairs ReadPairFile(const std::string& path, const char* firstName, const char* secondName) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) throw CommandError(path + ": is a folder, not a file");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw CommandError("cannot read " + path + ": " + std::strerror(errno));
  NumberPairs pairs;
  const PairFileProblem p = ReadNumberPairs(in, firstName, secondName, pairs);
  if (!p.Text.empty()) throw CommandError(PairFileLine(path, p.Line, p.Text));
  return pairs;
}
