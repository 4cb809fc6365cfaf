// Running the tool through its process for the tests.
#include "cli/tool_runner.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace {

std::string Expand(std::string text, const std::string& dir) {
  for (size_t at; (at = text.find("$D")) != std::string::npos;) text.replace(at, 2, dir);
  return text;
}

}  // namespace

ToolResult RunTool(const ScratchDir& dir, const std::string& args) {
  const std::string command = std::string(QUASIGRID_CLI) + " " + Expand(args, dir.Path());
  FILE* pipe = popen((command + " 2>&1 </dev/null").c_str(), "r");
  ToolResult result{-1, {}};
  if (pipe == nullptr) return result;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.output.append(buffer, n);
  const int raw = pclose(pipe);
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return result;
}

bool RunShell(const ScratchDir& dir, const std::string& command) {
  return std::system(Expand(command, dir.Path()).c_str()) == 0;
}

std::string Snapshot(const ScratchDir& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path())) {
    std::string bytes = entry.is_directory() ? "<folder>" : "";
    if (entry.is_regular_file()) {
      std::ifstream in(entry.path(), std::ios::binary);
      std::ostringstream content;
      content << in.rdbuf();
      bytes = content.str();
    }
    files[entry.path().string()] = bytes;
  }
  std::string listing;
  // Sizes and hashes keep a failure message short; any change of the bytes shows.
  for (const auto& [name, bytes] : files) {
    listing += name + " " + std::to_string(bytes.size()) + " " +
               std::to_string(std::hash<std::string>{}(bytes)) + "\n";
  }
  return listing;
}

void RunToolCases(const ScratchDir& dir, const std::vector<ToolCase>& cases) {
  for (const ToolCase& c : cases) {
    const std::string before = Snapshot(dir);
    const ToolResult r = RunTool(dir, c.args);
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
