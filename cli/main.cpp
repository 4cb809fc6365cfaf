// The quasigrid tool: builds, inspects and copies velocity models without writing a host.
#include <cstdio>
#include <exception>
#include <string>

#include "cli/args.h"
#include "cli/commands.h"
#include "platform/table.h"

namespace {

constexpr const char* kUsage =
    "usage: quasigrid <command> [arguments]\n"
    "\n"
    "commands:\n"
    "  new DIR      build a starting model and save it into DIR/model.db\n"
    "  info DIR     describe the model saved in DIR\n"
    "  copy DIR     copy the main model table to the backup table or back\n"
    "  picture DIR  draw the model saved in DIR into a PNG file\n"
    "  demo [DIR]   build the default model in DIR (a new temporary folder by default)\n"
    "               describe it and draw it\n"
    "\n"
    "Run 'quasigrid <command> --help' for the arguments of a command.\n";

struct Command {
  const char* name;
  int (*run)(const Args&);
  std::vector<std::string> flags;
};

const Command kCommands[] = {
    {"new", RunNew, {"backup", "force"}},
    {"info", RunInfo, {"backup"}},
    {"copy", RunCopy, {"to-backup", "from-backup"}},
    {"picture", RunPicture, {"backup"}},
    {"demo", RunDemo, {}},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::string name = argv[1];
  if (name == "help" || name == "--help" || name == "-h") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  for (const Command& command : kCommands) {
    if (name != command.name) continue;
    try {
      return command.run(Args(argc, argv, 2, command.flags));
    } catch (const UsageError& e) {
      std::fprintf(stderr, "quasigrid %s: %s (see 'quasigrid %s --help')\n", command.name, e.what(),
                   command.name);
      return 2;
    } catch (const CommandError& e) {
      std::fprintf(stderr, "quasigrid %s: %s\n", command.name, e.what());
      return 1;
    } catch (const EDBEngineError& e) {
      std::fprintf(stderr, "quasigrid %s: table store: %s\n", command.name, e.what());
      return 1;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "quasigrid %s: %s\n", command.name, e.what());
      return 1;
    }
  }
  std::fprintf(stderr, "quasigrid: unknown command '%s'\n%s", name.c_str(), kUsage);
  return 2;
}
