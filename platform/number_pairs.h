// Text files of number pairs, one pair a line, such as a ground surface (x z) or a velocity-depth
// law (depth v): read with bounded memory and checked before anything is kept.
#pragma once

#include <cstddef>
#include <istream>
#include <vector>

#include "platform/runtime.h"

// Longest line and largest number of pairs a pair file may hold.
constexpr size_t kPairLineLimit = 4096;
constexpr size_t kPairCountLimit = 1000000;

// The pairs of a file in line order.
struct NumberPairs {
  std::vector<float> First;   // first number of each pair, strictly ascending
  std::vector<float> Second;  // second number of each pair
  std::vector<int> Lines;     // 1-based line number of each pair
};

// What is wrong with a pair file; an empty Text when nothing is.
struct PairFileProblem {
  int Line = 0;     // 1-based line at fault; 0 for the file as a whole
  AnsiString Text;  // one line naming what was expected and what was found
};

// Reads pairs from in into pairs. Each line holds two numbers separated by blanks or tabs
// (whole fields in the C locale, no inf, nan or hexadecimal); everything from a '#' on is a
// comment, and a line of nothing else is skipped. The first numbers must strictly ascend, and
// at least one pair is needed. firstName and secondName name the columns in the messages
// ("x", "z"). On a problem pairs is left as it was.
PairFileProblem ReadNumberPairs(std::istream& in, const char* firstName, const char* secondName,
                                NumberPairs& pairs);
