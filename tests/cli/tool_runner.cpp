// Running the tool through its process for the tests.
#include "cli/tool_runner.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>

namespace {

std::string Expand(std::string text, const std::string& dir) {
  for (size_t at; (at = text.find("$D")) != std::string::npos;) text.replace(at, 2, dir);
  return text;
}

// Runs a shell command line, giving its exit status and its standard output.
ToolResult Capture(const std::string& command) {
  ToolResult result{-1, {}};
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.output.append(buffer, n);
  const int raw = pclose(pipe);
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return result;
}

// Every file and folder below dir with a checksum of its bytes (folders show as unreadable).
std::string Snapshot(const ScratchDir& dir) {
  return Capture("find " + dir.Path() + " | sort | xargs -d '\\n' md5sum 2>&1").output;
}

}  // namespace

ToolResult RunTool(const ScratchDir& dir, const std::string& args, const std::string& input) {
  return Capture(std::string(QUASIGRID_CLI) + " " + Expand(args, dir.Path()) + " 2>&1 <" +
                 Expand(input, dir.Path()));
}

bool RunShell(const ScratchDir& dir, const std::string& command) {
  return std::system(Expand(command, dir.Path()).c_str()) == 0;
}

void RunToolCases(const ScratchDir& dir, const std::vector<ToolCase>& cases) {
  for (const ToolCase& c : cases) {
    const std::string before = Snapshot(dir);
    const ToolResult r = RunTool(dir, c.args, c.input);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.output;
    EXPECT_NE(r.output.find(Expand(c.expected, dir.Path())), std::string::npos) << c.args << "\n"
                                                                                << r.output;
    if (c.status != 0 && c.oneLine) {
      EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1) << c.args << r.output;
    }
    if (c.status != 0) {
      EXPECT_EQ(Snapshot(dir), before) << c.args << ": a refusal changed the folder";
    }
  }
}
