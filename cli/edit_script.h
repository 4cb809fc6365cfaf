// Edit scripts: plain text, one edit of the model a line, read into a list of operations with
// checked arguments, then applied one by one through the checked edits.
//
//   # comments, whole-line or after an edit; blank lines are skipped
//   select cols 10..20 rows 3..5
//   double-rows --min-gap 0.5
//   set-velocity 1800
//
// Each line starts with an operation name from the table in edit_script.cpp; its positional
// arguments follow in order, its options (named words such as --ratio or cols, with their value
// in the next word) in any order among them. Numbers are whole words in the C locale, finite.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "editing/checked_edits.h"

struct EditOperation;

// The arguments of one script line, converted.
struct EditArgs {
  std::vector<int> Ints;                            // positional integers, in order
  std::vector<float> Numbers;                       // positional numbers, in order
  std::map<std::string, float> Values;              // options with a number, by name
  std::map<std::string, NumberRange> Ranges;        // options with a range A..B, by name
  std::map<std::string, std::vector<float>> Lists;  // --curve or --curve-values, as "curve"
  std::set<std::string> Flags;                      // options without a value that were given
};

// One edit of a script.
struct EditLine {
  int Line = 0;  // 1-based line of the script
  const EditOperation* Op = nullptr;
  EditArgs Args;
};

struct EditScript {
  std::string Name;  // the script as messages name it: its path, or "stdin"
  std::vector<EditLine> Edits;
};

// Reads and checks the whole script at path ("-": standard input) before anything is applied.
// Files named in it (remesh --curve) are read relative to the script's folder (the current one
// for standard input). A script or file that cannot be read raises CommandError; a line that is
// not an edit (unknown operation, missing or bad argument) raises UsageError, as
// "SCRIPT:LINE: reason".
EditScript ReadEditScript(const std::string& path);

// The operation's name as the script spells it, without aliases.
const char* EditName(const EditLine& edit);

// Applies one edit to the model. Returns a note for the user (empty for most edits); a refusal
// raises EditRefused and lack of memory std::bad_alloc, the model then as it was.
std::string ApplyEdit(BCEQuasiGrid& model, const EditLine& edit);

// The syntax of every operation, one line each, for the help text.
std::string EditScriptSyntax();
