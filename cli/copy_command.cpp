// The copy command: main model table to backup table and back, never replacing a table with one
// that does not load.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/errors.h"
#include "storage/model_folder.h"
#include "editing/equasigrid.h"
#include "platform/table_copy.h"

namespace {

struct CopyOptions {
  std::string dir;
  bool toBackup = false;
  bool fromBackup = false;
};

void RunCopy(const CopyOptions& o) {
  const std::string from = TablePath(o.dir, o.fromBackup);
  const std::string to = TablePath(o.dir, o.toBackup);
  // The source must load with the model's own checks before anything is written.
  BCEQuasiGrid model;
  LoadSavedModel(o.dir, o.fromBackup, model);
  std::error_code ec;
  if (std::filesystem::exists(std::filesystem::symlink_status(to, ec)) &&
      !WhyTableDoesNotLoad(to).empty()) {
    std::printf("moved the damaged %s to %s\n", to.c_str(), MoveDamagedAside(to).c_str());
  }
  CopyTableFile(from, to);
  std::printf("copied %s onto %s\n", from.c_str(), to.c_str());
}

}  // namespace

void DefineCopyCommand(CLI::App& app) {
  auto o = std::make_shared<CopyOptions>();
  CLI::App* cmd =
      app.add_subcommand("copy", "Copy the main model table onto the backup table or back");
  cmd->add_option("DIR", o->dir, "Model folder")->required();
  CLI::Option* to =
      cmd->add_flag("--to-backup", o->toBackup, "Copy DIR/model.db onto DIR/modelbk.db");
  CLI::Option* from =
      cmd->add_flag("--from-backup", o->fromBackup, "Copy DIR/modelbk.db onto DIR/model.db");
  to->excludes(from);
  cmd->footer(
      "The source must load as a model; the target is replaced in one transaction, so an\n"
      "interrupted copy leaves it as it was. A target that does not load is kept as "
      "TABLE.damaged.");
  cmd->callback([o] {
    if (o->toBackup == o->fromBackup)
      throw UsageError("needs exactly one of --to-backup and --from-backup");
    RunCopy(*o);
  });
}
