// Text files of plain numbers that the tool reads: sample points (x z a line) and remesh curves
// (elevations, any number a line).
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

// The numbers of a file in reading order, with the line each came from.
struct NumberFile {
  std::vector<float> Values;
  std::vector<int> Lines;  // 1-based line of each value
};

// Longest line of a number file, and the most numbers it may hold.
constexpr size_t kNumberLineLimit = size_t{1} << 20;
constexpr size_t kNumberCountLimit = 5000000;

// Reads the numbers of in: fields separated by blanks or tabs, whole fields in the C locale (no
// inf, nan or hexadecimal), everything from a '#' on a comment, lines of nothing else skipped.
// perLine 0 takes any count on a line, else exactly perLine a line (names says what they are in
// the message, such as "x z"). At least one number is needed. A refusal raises CommandError:
// "points.txt line 4: expected 2 numbers (x z), found 3".
NumberFile ReadNumbers(std::istream& in, const std::string& name, size_t perLine,
                       const char* names);
// The same for the file at path; a file that is missing, unreadable or a folder is refused too.
NumberFile ReadNumberFile(const std::string& path, size_t perLine, const char* names);
