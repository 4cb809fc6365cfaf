// The info and check commands: a saved model described, and every problem of its files listed.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/describe.h"
#include "cli/errors.h"
#include "storage/model_folder.h"

namespace {

struct InfoOptions {
  std::string dir;
  bool backup = false;
  bool json = false;
};

struct CheckOptions {
  std::string dir;
  bool backup = false;
};

// Lists the problems on standard output; CommandError (status 1) when there is any, so that a
// script can test the status.
void RunCheck(const CheckOptions& o) {
  const std::vector<std::string> problems = ListModelProblems(o.dir, o.backup, 0);
  for (const std::string& line : problems) std::printf("%s\n", line.c_str());
  if (problems.empty()) {
    std::printf("%s: no problems\n", TablePath(o.dir, o.backup).c_str());
    return;
  }
  std::fflush(stdout);
  throw CommandError(std::to_string(problems.size()) + " problem" +
                     (problems.size() == 1 ? "" : "s") + " found");
}

}  // namespace

void DefineInfoCommand(CLI::App& app) {
  auto o = std::make_shared<InfoOptions>();
  CLI::App* cmd = app.add_subcommand("info", "Describe the model saved in a folder");
  cmd->add_option("DIR", o->dir, "Model folder")->required();
  cmd->add_flag("--backup", o->backup, "Describe the backup table DIR/modelbk.db");
  cmd->add_flag("--json", o->json, "Print the description as one JSON object");
  cmd->footer(
      "Grid size, extent, velocity bounds, comparison resolutions, fixed cells and the horizons\n"
      "of DIR/model.hor; a warning line when 'quasigrid check' would find problems.");
  cmd->callback([o] { DescribeModel(o->dir, o->backup, o->json); });
}

void DefineCheckCommand(CLI::App& app) {
  auto o = std::make_shared<CheckOptions>();
  CLI::App* cmd =
      app.add_subcommand("check", "List every problem of a model's table and horizon file");
  cmd->add_option("DIR", o->dir, "Model folder")->required();
  cmd->add_flag("--backup", o->backup, "Check the backup table DIR/modelbk.db");
  cmd->footer(
      "One line per problem with its record or line number: fields that are NULL or text, values\n"
      "that are not finite, X not ascending, elevations not descending on a V-line, node counts,\n"
      "V-lines closer than the X resolution, horizons outside the grid or sharing an H-line or\n"
      "identifier. Status 0 when clean, 1 otherwise.");
  cmd->callback([o] { RunCheck(*o); });
}
