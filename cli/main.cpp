// The quasigrid tool: builds, inspects, checks, copies and draws velocity models without writing
// a host. Arguments are parsed by CLI11; every error is one line on standard error.
#include <CLI/CLI.hpp>

#include <unistd.h>

#include <cstdio>
#include <exception>
#include <string>

#include "cli/commands.h"
#include "cli/errors.h"
#include "cli/progress_bar.h"
#include "storage/model_folder.h"
#include "platform/table.h"

#ifndef QUASIGRID_VERSION
#define QUASIGRID_VERSION "unknown"
#endif

namespace {

// The commands in the order --help lists them.
constexpr void (*kCommands[])(CLI::App&) = {
    DefineNewCommand,          DefineDemoCommand,         DefineInfoCommand,
    DefineCheckCommand,        DefineEditCommand,         DefineSampleCommand,
    DefineCopyCommand,         DefinePictureCommand,      DefineExportCommand,
    DefineImportVftCommand,    DefineImportVelcolCommand, DefineImportSmeshCommand,
    DefineImportLayeredCommand};

// "quasigrid" or "quasigrid new": the command that was being run, for the message prefix.
std::string CommandName(const CLI::App& app) {
  const auto used = app.get_subcommands();
  return used.empty() ? "quasigrid" : "quasigrid " + used.front()->get_name();
}

int Fail(const CLI::App& app, const char* text, int status) {
  std::string line = CommandName(app) + ": " + text;
  // Messages stay on one line, whatever the text carried.
  for (char& c : line) {
    if (c == '\n') c = ' ';
  }
  if (status == 2) line += " (see '" + CommandName(app) + " --help')";
  std::fprintf(stderr, "%s\n", line.c_str());
  return status;
}

// Parses the arguments and runs the command; the exit status.
int RunTool(int argc, char** argv) {
  CLI::App app("Builds, edits, stores and exchanges 2-D seismic velocity models (quasi-grids).",
               "quasigrid");
  app.set_version_flag("--version", "quasigrid " QUASIGRID_VERSION);
  app.require_subcommand(1, 1);
  // --quiet may come after the command, as the commands' own options do.
  app.fallthrough(true);
  bool quiet = false;
  app.add_flag("-q,--quiet", quiet, "No progress bar on standard error");
  app.footer("Run 'quasigrid COMMAND --help' for the arguments of a command.");
  for (const auto define : kCommands) define(app);
  // Long walks draw a bar only where someone watches: on a terminal.
  TerminalProgress bar(stderr, &quiet);
  const bool toTerminal = isatty(fileno(stderr)) != 0;
  if (toTerminal) SetProgressMeter(&bar);
  struct Uninstall {
    bool on;
    ~Uninstall() {
      if (on) SetProgressMeter(nullptr);
    }
  } uninstall{toTerminal};
  try {
    app.parse(argc, argv);
    return 0;
  } catch (const CLI::ParseError& e) {
    // Help and version end the parse with status 0 and are printed as CLI11 lays them out.
    if (e.get_exit_code() == 0) return app.exit(e);
    if (app.get_subcommands().empty() && argc > 1 && argv[1][0] != '-')
      return Fail(app, ("unknown command '" + std::string(argv[1]) + "'").c_str(), 2);
    return Fail(app, e.what(), 2);
  } catch (const UsageError& e) {
    return Fail(app, e.what(), 2);
  } catch (const CommandError& e) {
    return Fail(app, e.what(), 1);
  } catch (const ModelFolderError& e) {
    // A model that would not load back as saved is the user's to change (status 2), like a bad
    // argument; the rest are failures of the work.
    std::string text = e.what();
    if (e.kind() == ModelFolderError::kExists) text += " (use --force to replace it)";
    return Fail(app, text.c_str(), e.kind() == ModelFolderError::kModel ? 2 : 1);
  } catch (const EDBEngineError& e) {
    return Fail(app, (std::string("table store: ") + e.what()).c_str(), 1);
  } catch (const std::exception& e) {
    return Fail(app, e.what(), 1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Only the set-up of the commands can still throw here (out of memory, say).
  try {
    return RunTool(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quasigrid: %s\n", e.what());
    return 1;
  }
}
