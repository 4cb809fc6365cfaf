// The import commands: a sheared tomography mesh or a layered ray-tracing model read from its
// file, built into a model and saved into a folder.
#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/errors.h"
#include "cli/number_lists.h"
#include "cli/options.h"
#include "storage/model_folder.h"
#include "editing/equasigrid.h"
#include "formats/layered.h"
#include "formats/smesh.h"

namespace {

struct ImportArgs {
  std::string file;
  std::string dir;
  bool scaleUnits = false;
  bool force = false;
  int rowsPerLayer = 4;
  std::string minGap = "0.001";
};

// A refusal of the file: "FILE line N: what" or "FILE: what".
[[noreturn]] void FailInFile(const std::string& file, const std::string& why) {
  const bool atLine = why.rfind("line ", 0) == 0;
  throw CommandError(file + (atLine ? " " : ": ") + why);
}

std::ifstream OpenInput(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw CommandError("cannot read " + file + ": " + std::strerror(errno));
  return in;
}

// Saves an imported model; a model that would not load back is the file's fault (status 1).
void SaveImported(BCEQuasiGrid& model, const ImportArgs& a) {
  try {
    const std::string moved = SaveModelToFolder(
        model, a.dir, false, a.force ? ExistingTable::kReplace : ExistingTable::kRefuse);
    if (!moved.empty()) std::printf("%s\n", moved.c_str());
  } catch (const ModelFolderError& e) {
    if (e.kind() != ModelFolderError::kModel) throw;
    FailInFile(a.file, e.what());
  }
  std::printf("imported %s: %d x %d nodes into %s\n", a.file.c_str(), model.GetNx(), model.Nz,
              TablePath(a.dir, false).c_str());
}

void RunImportSmesh(const ImportArgs& a) {
  std::ifstream in = OpenInput(a.file);
  SmeshMesh mesh;
  if (const std::string why = ReadSmesh(in, mesh); !why.empty()) FailInFile(a.file, why);
  BCEQuasiGrid model;
  bool lostLastColumn = false;
  if (const std::string why =
          SmeshToModel(mesh, a.scaleUnits ? 1000.0f : 1.0f, model, lostLastColumn);
      !why.empty())
    FailInFile(a.file, why);
  SaveImported(model, a);
  std::printf("added a straight bottom H-line at elevation %g under the mesh\n",
              static_cast<double>(model.ZZ[0]));
  if (lostLastColumn)
    std::printf(
        "the last V-line carries no cells: its velocities are now those of the one "
        "before it\n");
}

void RunImportLayered(const ImportArgs& a) {
  LayeredOptions options;
  options.RowsPerLayer = a.rowsPerLayer;
  options.MinGap = ParseFloats("min-gap", a.minGap, 1)[0];
  if (!(options.MinGap > 0)) throw UsageError("--min-gap needs a number above 0");
  options.Scale = a.scaleUnits ? 1000.0f : 1.0f;
  std::ifstream in = OpenInput(a.file);
  LayeredModel layered;
  if (const std::string why = ReadLayeredModel(in, layered); !why.empty()) FailInFile(a.file, why);
  BCEQuasiGrid model;
  int pinched = 0;
  if (const std::string why = LayeredToModel(layered, options, model, pinched); !why.empty())
    FailInFile(a.file, why);
  SaveImported(model, a);
  if (layered.Layers() == 1)
    std::printf("1 layer, horizon 1 on its bottom\n");
  else
    std::printf("%d layers, horizon k on the bottom of layer k\n", layered.Layers());
  if (pinched > 0)
    std::printf("layers pinch out at %d of %d V-lines: H-lines kept %s apart there\n", pinched,
                model.GetNx(), a.minGap.c_str());
}

CLI::App* AddImport(CLI::App& app, const char* name, const char* help, ImportArgs& a) {
  CLI::App* cmd = app.add_subcommand(name, help);
  cmd->add_option("FILE", a.file, "The file to read")->required();
  cmd->add_option("DIR", a.dir, "Model folder; created when missing")->required();
  cmd->add_flag("--scale-units", a.scaleUnits,
                "Multiply coordinates and velocities by 1000 (km and km/s to m and m/s)");
  cmd->add_flag("--force", a.force,
                "Replace an existing table; one that does not load is kept as TABLE.damaged");
  return cmd;
}

}  // namespace

void DefineImportSmeshCommand(CLI::App& app) {
  auto a = std::make_shared<ImportArgs>();
  CLI::App* cmd = AddImport(app, "import-smesh",
                            "Build a model from a sheared tomography mesh and save it", *a);
  cmd->footer(
      "Each mesh column becomes a V-line, node k at elevation -(topography + offset k). A\n"
      "straight bottom H-line is added one offset step below the deepest node, with the\n"
      "velocity of each V-line's deepest node.");
  cmd->callback([a] { RunImportSmesh(*a); });
}

void DefineImportLayeredCommand(CLI::App& app) {
  auto a = std::make_shared<ImportArgs>();
  CLI::App* cmd = AddImport(app, "import-layered",
                            "Build a model from a layered ray-tracing model file and save it", *a);
  cmd->add_option("--rows-per-layer", a->rowsPerLayer,
                  "H-lines evenly spaced inside each layer (default 4)")
      ->check(CLI::Range(0, 1000));
  AddOnceOption(cmd, "--min-gap", a->minGap,
                "Least distance between H-lines where a layer pinches out, in the file's units "
                "(default 0.001)");
  cmd->footer(
      "V-lines at every X node of the file, an H-line on each boundary and a horizon on each\n"
      "boundary below the surface, velocities linear in depth inside each layer.");
  cmd->callback([a] { RunImportLayered(*a); });
}
