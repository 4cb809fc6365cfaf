// The import-vft command: a VFT exchange file read into a scratch table, checked as a quasi-grid,
// loaded, and only then saved into the model folder, so that a bad file changes nothing there.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/errors.h"
#include "storage/model_folder.h"
#include "editing/equasigrid.h"
#include "platform/table.h"
#include "platform/table_templates.h"
#include "storage/mimpex.h"

namespace fs = std::filesystem;

namespace {

struct ImportVftArgs {
  std::string file;
  std::string dir;
  int stepFactor = 1;
  bool force = false;
};

// A folder of its own under the temporary directory, removed with its files at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "quasigrid-import.XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw CommandError("cannot create a temporary folder");
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

void RunImportVft(const ImportVftArgs& a) {
  std::error_code ec;
  if (!fs::is_regular_file(a.file, ec)) throw CommandError(a.file + ": no such file");
  const ScratchFolder scratch;
  std::string error;
  if (!WriteTemplateTables(scratch.Path(), error)) throw CommandError(error);
  int code = vftBadLine;
  int lineNo = 0;
  {
    TCModelImpex impex(a.file, scratch.Path(), 'I');
    if (impex.InitStatus != 0) throw CommandError("cannot prepare a table to import into");
    code = impex.ImportVFT(a.stepFactor, lineNo);
  }
  if (code != vftOk) throw CommandError(a.file + ": " + ImportVFTFaultText(code, lineNo));
  BCEQuasiGrid model;
  if (!model.LoadModelDb(scratch.Path(), false, kLoadGeometry, true))
    throw CommandError(a.file + ": the imported grid cannot be loaded: " + LastTableStoreError());
  const std::string moved = SaveModelToFolder(
      model, a.dir, false, a.force ? ExistingTable::kReplace : ExistingTable::kRefuse);
  if (!moved.empty()) std::printf("%s\n", moved.c_str());
  std::printf("imported %d x %d nodes from %s into %s\n", model.GetNx(), model.Nz, a.file.c_str(),
              TablePath(a.dir, false).c_str());
}

}  // namespace

void DefineImportVftCommand(CLI::App& app) {
  auto a = std::make_shared<ImportVftArgs>();
  CLI::App* cmd = app.add_subcommand("import-vft", "Import a model from a VFT exchange file");
  cmd->add_option("FILE", a->file, "VFT file: index, X, Z, velocity per node, column by column")
      ->required();
  cmd->add_option("DIR", a->dir, "Model folder; created when missing")->required();
  cmd->add_option("--step-factor", a->stepFactor,
                  "V-lines and nodes must lie this many times 1e-5 of the extent apart (default 1)")
      ->check(CLI::Range(0, 1000));
  cmd->add_flag("--force", a->force, "Replace an existing model table");
  cmd->footer(
      "The file is checked as a quasi-grid before anything in DIR changes; the new model has no\n"
      "horizons and no fixed cells.");
  cmd->callback([a] { RunImportVft(*a); });
}
