// The operations of edit scripts: each one's name, its arguments and the checked edit it calls.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "editing/checked_edits.h"

// The arguments of one script line, converted.
struct EditArgs {
  std::vector<int> Ints;                            // positional integers, in order
  std::vector<float> Numbers;                       // positional numbers, in order
  std::map<std::string, float> Values;              // options with a number, by name
  std::map<std::string, NumberRange> Ranges;        // options with a range A..B, by name
  std::map<std::string, std::vector<float>> Lists;  // options with numbers (--curve), by name
  std::set<std::string> Flags;                      // options without a value that were given
};

enum class ArgKind : unsigned char {
  kInt,         // a whole number
  kNumber,      // a finite number
  kIntList,     // whole numbers to the end of the line (the last positional argument only)
  kRange,       // A..B or A: 1-based, inclusive
  kFlag,        // an option without a value
  kNumberList,  // Z1,Z2,...: finite numbers separated by commas
  kNumberFile,  // a file of numbers, relative to the script's folder
};

// A positional argument (Name is its placeholder in the syntax) or an option (Name as written,
// Value the placeholder of its value).
struct ArgForm {
  const char* Name;
  ArgKind Kind;
  const char* Value = "";
};

// An operation of the scripts, as its row of the table.
struct EditOperation {
  const char* Name;
  std::vector<ArgForm> Positional;
  std::vector<ArgForm> Options;
  std::vector<const char*> OneOf;  // exactly one of these options must be given
  std::string (*Apply)(BCEQuasiGrid& g, const EditArgs& a);
};

// The operation called word, by its name or its short name; null when there is none.
const EditOperation* FindEditOperation(const std::string& word);

// The syntax of an operation, as "insert-vlines N [--ratio Q] [--min-gap G]".
std::string EditSyntax(const EditOperation& op);
// "--ratio Q", "--top-line": an option as the syntax shows it.
std::string OptionSyntax(const ArgForm& option);

// The syntax of every operation, one line each with its short name, for the help text.
std::string EditScriptSyntax();
