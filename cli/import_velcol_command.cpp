// The import-velcol command: a model's velocities rebuilt from a velocity-column file, one
// column or the whole set, the grid, horizons and fixed cells kept.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/errors.h"
#include "storage/model_folder.h"
#include "editing/equasigrid.h"
#include "storage/vcimpex.h"

namespace {

struct ImportVelcolArgs {
  std::string file;
  std::string dir;
  int column = 0;  // 0: every block, at the column under its X
};

void RunImportVelcol(const ImportVelcolArgs& a) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(a.file, ec)) throw CommandError(a.file + ": no such file");
  BCEQuasiGrid model;
  LoadSavedModel(a.dir, false, model);
  const HostFields host = LoadFolderHostFields(a.dir);  // the velocities change, nothing else
  if (a.column > model.GetNx() - 1)
    throw UsageError("--column needs a cell column 1.." + std::to_string(model.GetNx() - 1));
  int lineNo = 0;
  const int code = a.column > 0 ? model.ImportVelCol(a.file, a.column, lineNo)
                                : model.ImportVelColSet(a.file, lineNo);
  if (code != 0) throw CommandError(a.file + ": " + VelColFaultText(code, lineNo));
  SaveModelToFolder(model, a.dir, false, ExistingTable::kReplace, &host);
  std::printf("rebuilt the velocities of %s from %s\n", TablePath(a.dir, false).c_str(),
              a.file.c_str());
}

}  // namespace

void DefineImportVelcolCommand(CLI::App& app) {
  auto a = std::make_shared<ImportVelcolArgs>();
  CLI::App* cmd = app.add_subcommand(
      "import-velcol", "Rebuild a saved model's velocities from a velocity-column file");
  cmd->add_option("FILE", a->file, "Velocity-column file: blocks of 'X=' and z, v pairs")
      ->required();
  cmd->add_option("DIR", a->dir, "Model folder")->required();
  cmd->add_option("--column", a->column,
                  "Replace only this cell column (1-based) by the file's first block")
      ->check(CLI::PositiveNumber);
  cmd->footer(
      "Without --column every block replaces the cell column under its X and the columns\n"
      "between are interpolated. The file is read whole before the table is rewritten.");
  cmd->callback([a] { RunImportVelcol(*a); });
}
