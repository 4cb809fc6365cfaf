// The copy command: main model table to backup table and back, through the database's backup.
#include <cstdio>
#include <filesystem>

#include "cli/commands.h"
#include "platform/table_copy.h"

namespace {

constexpr const char* kCopyHelp =
    "usage: quasigrid copy DIR --to-backup | --from-backup\n"
    "\n"
    "Copies DIR/model.db onto DIR/modelbk.db (--to-backup) or back (--from-backup). The target\n"
    "is replaced in one transaction: an interrupted copy leaves it as it was.\n";

}  // namespace

int RunCopy(const Args& args) {
  if (args.WantsHelp()) return std::fputs(kCopyHelp, stdout), 0;
  args.AllowOnly({"to-backup", "from-backup"});
  if (args.Positional().size() != 1) throw UsageError("needs one folder");
  if (args.Has("to-backup") == args.Has("from-backup"))
    throw UsageError("needs exactly one of --to-backup and --from-backup");
  const std::string& dir = args.Positional()[0];
  bool toBackup = args.Has("to-backup");
  std::string from = TablePath(dir, !toBackup);
  std::string to = TablePath(dir, toBackup);
  if (!std::filesystem::exists(from)) throw CommandError("no model table " + from);
  CopyTableFile(from, to);
  std::printf("copied %s onto %s\n", from.c_str(), to.c_str());
  return 0;
}
