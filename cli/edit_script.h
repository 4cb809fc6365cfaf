// Edit scripts: plain text, one edit of the model a line, read into a list of operations with
// checked arguments, then applied one by one through the checked edits.
//
//   # comments, whole-line or after an edit; blank lines are skipped
//   select cols 10..20 rows 3..5
//   double-rows --min-gap 0.5
//   set-velocity 1800
//
// Each line starts with an operation name from the table in edit_operations.cpp; its positional
// arguments follow in order, its options (named words such as --ratio or cols, with their value
// in the next word) in any order among them. Numbers are whole words in the C locale, finite.
#pragma once

#include <string>
#include <vector>

#include "cli/edit_operations.h"

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

// The full name of the edit's operation (a short name spelled out), for messages.
const char* EditName(const EditLine& edit);

// Applies one edit to the model. Returns a note for the user (empty for most edits); a refusal
// raises EditRefused and lack of memory std::bad_alloc, the model then as it was.
std::string ApplyEdit(BCEQuasiGrid& model, const EditLine& edit);
