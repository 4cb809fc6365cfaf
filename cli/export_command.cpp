// The export command: a saved model written in the formats of other programs, one option per
// format, several at once.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/errors.h"
#include "cli/number_lists.h"
#include "cli/options.h"
#include "cli/output_file.h"
#include "storage/model_folder.h"
#include "editing/equasigrid.h"
#include "formats/grid_netcdf.h"
#include "formats/smesh.h"
#include "formats/vtk.h"
#include "formats/xyz.h"
#include "storage/mimpex.h"
#include "storage/modelfiler.h"

namespace {

struct ExportArgs {
  std::string dir;
  bool backup = false;
  std::string spacing;
  std::string sample = "cell";
  std::string units = "m";
  std::string fixFormat = "%9.2f";
  std::string water = "1.5";
  std::string air = "0.33";
  std::vector<std::string> files;  // one per format of kFormats, empty when not asked for
};

// What a writer works on: the loaded model and everything the user gave.
struct ExportJob {
  const ExportArgs& args;
  const BCEQuasiGrid& model;
};

void ExportVtu(const ExportJob& job, const std::string& file) {
  WriteTextFile(file, [&job](std::ostream& out) { WriteVtu(job.model, out); });
}

void ExportXyz(const ExportJob& job, const std::string& file) {
  WriteTextFile(file, [&job](std::ostream& out) { WriteXyz(job.model, out); });
}

// Refuses a spacing that makes no grid before anything is loaded or written.
void CheckGrid(const ExportArgs& a) {
  if (a.spacing.empty()) throw UsageError("--grid needs --spacing DX,DZ");
  for (const float d : ParseFloats("spacing", a.spacing, 2)) {
    if (!(d > 0)) throw UsageError("--spacing needs DX and DZ above 0, got '" + a.spacing + "'");
  }
}

void ExportGrid(const ExportJob& job, const std::string& file) {
  const std::vector<float> d = ParseFloats("spacing", job.args.spacing, 2);
  GridSampling sampling;
  sampling.Dx = d[0];
  sampling.Dz = d[1];
  sampling.Sample = job.args.sample == "node" ? GridSample::kNode : GridSample::kCell;
  sampling.Kilometres = job.args.units == "km";
  WriteFileInPlace(file, [&](const std::string& scratch) {
    return WriteNetcdfGrid(job.model, sampling, scratch);
  });
}

void CheckSmesh(const ExportArgs& a) {
  ParseFloats("smesh-water", a.water, 1);
  ParseFloats("smesh-air", a.air, 1);
}

void ExportSmesh(const ExportJob& job, const std::string& file) {
  const float water = ParseFloats("smesh-water", job.args.water, 1)[0];
  const float air = ParseFloats("smesh-air", job.args.air, 1)[0];
  SmeshMesh mesh;
  if (const std::string why = ModelToSmesh(job.model, water, air, mesh); !why.empty())
    throw CommandError("cannot write " + file + " as a sheared mesh: " + why);
  WriteTextFile(file, [&mesh](std::ostream& out) { WriteSmesh(mesh, out); });
}

// The exchange files of the model's own tool chain. VFT and DAT come from the main table as
// saved, the others from the model as loaded.
void CheckTableExport(const ExportArgs& a) {
  if (a.backup) throw UsageError("--vft and --dat export the main table: leave out --backup");
}

void ExportFromTable(const ExportJob& job, const std::string& file, bool vft) {
  WriteFileInPlace(file, [&](const std::string& scratch) -> std::string {
    TCModelImpex impex(scratch, job.args.dir, 'E');
    if (impex.InitStatus != 0) return "the main table cannot be opened";
    return (vft ? impex.ExportVFT(false) : impex.ExportDAT(false)) ? ""
                                                                   : "the table cannot be read";
  });
}

void ExportVft(const ExportJob& job, const std::string& file) {
  ExportFromTable(job, file, true);
}

void ExportDat(const ExportJob& job, const std::string& file) {
  ExportFromTable(job, file, false);
}

void ExportVel(const ExportJob& job, const std::string& file) {
  WriteFileInPlace(file, [&](const std::string& scratch) -> std::string {
    BCEQuasiGrid model = job.model;
    return SaveVelocityToVELfile(scratch, &model) ? "" : "cannot create the file";
  });
}

void ExportFix(const ExportJob& job, const std::string& file) {
  BCEQuasiGrid model = job.model;
  if (model.GetNumOfFixes() == 0)
    throw CommandError("no fixed cells in " + TablePath(job.args.dir, job.args.backup) + ": " +
                       file + " not written");
  WriteFileInPlace(file, [&](const std::string& scratch) -> std::string {
    const int result = SaveConstraintsToFIXfile(scratch, &model, job.args.fixFormat);
    return result == 0 ? "" : "cannot create the file, or --fix-format is not one number format";
  });
}

// Every cell column as a block of the velocity-column file, from the left.
void ExportVelocityColumns(const ExportJob& job, const std::string& file) {
  WriteFileInPlace(file, [&](const std::string& scratch) -> std::string {
    BCEQuasiGrid model = job.model;
    for (int col = 1; col < model.GetNx(); ++col) {
      if (!model.ExportVelColToFile(scratch, col, "%13.3f")) return "cannot write the file";
    }
    return "";
  });
}

// The formats of the command, each an option naming its file, a check of the arguments it
// needs (run before the model is loaded, so that a mistake writes nothing) and the writer behind
// it, in the order they are written.
struct ExportFormat {
  const char* option;
  const char* help;
  void (*check)(const ExportArgs& args);  // may be nullptr
  void (*write)(const ExportJob& job, const std::string& file);
};

constexpr ExportFormat kFormats[] = {
    {"--vft", "VFT exchange file: index, X, Z, velocity per node", CheckTableExport, ExportVft},
    {"--dat", "DAT file: a header, then X, Z, velocity per node", CheckTableExport, ExportDat},
    {"--vel", "VEL velocity grid: ten header lines, one row of velocities per H-line", nullptr,
     ExportVel},
    {"--fix", "FIX file: one line per fixed cell, its number and velocity", nullptr, ExportFix},
    {"--velcol", "velocity-column file: a block 'X=' and elevation, velocity pairs per column",
     nullptr, ExportVelocityColumns},
    {"--vtu", "VTK XML unstructured grid: a quad per cell, cell and node velocities", nullptr,
     ExportVtu},
    {"--grid", "CF netCDF grid of the velocities sampled every --spacing DX,DZ", CheckGrid,
     ExportGrid},
    {"--xyz", "text, one line 'x z v' per node in node order", nullptr, ExportXyz},
    {"--smesh", "sheared mesh of traveltime tomography (nodes at common depth offsets)", CheckSmesh,
     ExportSmesh},
};

void RunExport(const ExportArgs& a) {
  bool any = false;
  for (const std::string& file : a.files) any = any || !file.empty();
  if (!any) {
    std::string names;
    for (const ExportFormat& f : kFormats)
      names += std::string(names.empty() ? "" : ", ") + f.option;
    throw UsageError("name at least one file to write: " + names);
  }
  for (size_t i = 0; i < std::size(kFormats); ++i) {
    if (!a.files[i].empty() && kFormats[i].check != nullptr) kFormats[i].check(a);
  }
  BCEQuasiGrid model;
  LoadSavedModel(a.dir, a.backup, model);
  const ExportJob job{a, model};
  for (size_t i = 0; i < std::size(kFormats); ++i) {
    if (a.files[i].empty()) continue;
    kFormats[i].write(job, a.files[i]);
    std::printf("wrote %s\n", a.files[i].c_str());
  }
}

}  // namespace

void DefineExportCommand(CLI::App& app) {
  auto a = std::make_shared<ExportArgs>();
  a->files.resize(std::size(kFormats));
  CLI::App* cmd =
      app.add_subcommand("export", "Write a saved model in the formats of other programs");
  cmd->add_option("DIR", a->dir, "Model folder")->required();
  for (size_t i = 0; i < std::size(kFormats); ++i)
    AddOnceOption(cmd, kFormats[i].option, a->files[i], kFormats[i].help)->option_text("FILE");
  CLI::Option* grid = cmd->get_option("--grid");
  CLI::Option* smesh = cmd->get_option("--smesh");
  AddOnceOption(cmd, "--fix-format", a->fixFormat,
                "printf format of the velocity on a --fix line (default %9.2f)")
      ->needs(cmd->get_option("--fix"));
  AddOnceOption(cmd, "--spacing", a->spacing, "DX,DZ: sample spacing of --grid, in model units")
      ->needs(grid);
  AddOnceOption(cmd, "--sample", a->sample,
                "What a --grid sample takes: cell (the cell's velocity, default) or node "
                "(interpolated from the cell's node velocities)")
      ->check(CLI::IsMember({"cell", "node"}))
      ->needs(grid);
  AddOnceOption(cmd, "--units", a->units, "Units of the model for --grid: m (default) or km")
      ->check(CLI::IsMember({"m", "km"}))
      ->needs(grid);
  AddOnceOption(cmd, "--smesh-water", a->water, "Water velocity in the --smesh header (1.5)")
      ->needs(smesh);
  AddOnceOption(cmd, "--smesh-air", a->air, "Air velocity in the --smesh header (0.33)")
      ->needs(smesh);
  cmd->add_flag("--backup", a->backup, "Export the backup table DIR/modelbk.db");
  cmd->footer(
      "Each file is written whole or not at all. --grid samples at the centres of DX x DZ steps\n"
      "over the model's extent, NaN where no cell is (above a sloping top). --smesh needs nodes\n"
      "at common depth offsets below the top H-line; a bottom H-line added by import-smesh is\n"
      "left out.");
  cmd->callback([a] { RunExport(*a); });
}
