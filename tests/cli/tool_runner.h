// Running the quasigrid tool as a user does, for the tool's tests: a table of commands with their
// exit status and output.
#pragma once

#include <string>
#include <vector>

#include "support/scratch_dir.h"

struct ToolCase {
  std::string args;                 // $D stands for the scratch folder
  int status;                       // expected exit status
  std::string expected;             // a piece of standard output and standard error together
  bool oneLine = true;              // a refusal is one line (check lists one line per problem)
  std::string input = "/dev/null";  // file read as standard input ($D expanded)
};

struct ToolResult {
  int status;
  std::string output;  // standard output and standard error together
};

// Runs the tool with args ($D expanded) through the shell, standard input read from input.
ToolResult RunTool(const ScratchDir& dir, const std::string& args,
                   const std::string& input = "/dev/null");
// Runs a shell command line ($D expanded), e.g. sqlite3 on a table; true when it exits with 0.
bool RunShell(const ScratchDir& dir, const std::string& command);

// Runs the cases in order, each on what the previous ones left in the folder. Every refusal
// (status other than 0) must be one line and leave every file of the folder as it was.
void RunToolCases(const ScratchDir& dir, const std::vector<ToolCase>& cases);
