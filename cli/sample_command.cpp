// The sample command: the cell under each of a list of points, with its velocity, column,
// H-line and fixed flag.
#include <CLI/CLI.hpp>

#include <charconv>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/errors.h"
#include "cli/number_files.h"
#include "cli/number_lists.h"
#include "cli/options.h"
#include "storage/model_folder.h"
#include "editing/equasigrid.h"

namespace {

struct SampleOptions {
  std::string dir;
  std::vector<std::string> at;
  std::string points;
  bool backup = false;
};

// The shortest text that reads back as the same float.
std::string Shortest(float v) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, v).ptr;
  return std::string(text, end);
}

// "x z v column hline fixed", tab-separated, or "x z outside".
void PrintSample(const BCEQuasiGrid& model, float x, float z) {
  BCCellInfo info{};
  info.X = x;
  info.Z = z;
  const std::string point = Shortest(x) + "\t" + Shortest(z);
  if (!model.GetCellInfo(info, true)) {
    std::printf("%s\toutside\n", point.c_str());
    return;
  }
  std::printf("%s\t%s\t%d\t%d\t%d\n", point.c_str(), Shortest(info.V).c_str(), info.Col, info.HLine,
              info.Fixed != 0 ? 1 : 0);
}

void RunSample(const SampleOptions& o) {
  if (o.at.empty() && o.points.empty()) throw UsageError("give points with --at X,Z or --points");
  std::vector<float> xz;
  for (const std::string& at : o.at) {
    const std::vector<float> p = ParseFloats("at", at, 2);
    xz.insert(xz.end(), p.begin(), p.end());
  }
  if (!o.points.empty()) {
    const NumberFile file = ReadNumberFile(o.points, 2, "x z");
    xz.insert(xz.end(), file.Values.begin(), file.Values.end());
  }
  BCEQuasiGrid model;
  LoadSavedModel(o.dir, o.backup, model);
  for (size_t k = 0; k + 1 < xz.size(); k += 2) PrintSample(model, xz[k], xz[k + 1]);
}

}  // namespace

void DefineSampleCommand(CLI::App& app) {
  auto o = std::make_shared<SampleOptions>();
  CLI::App* cmd =
      app.add_subcommand("sample", "Print the cell under each point: velocity, column, H-line");
  cmd->add_option("DIR", o->dir, "Model folder")->required();
  cmd->add_option("--at", o->at, "X,Z: a point; may be given many times")->allow_extra_args(false);
  AddOnceOption(cmd, "--points", o->points,
                "FILE of 'x z' lines (blank lines and '#' comments allowed)");
  cmd->add_flag("--backup", o->backup, "Sample the backup table DIR/modelbk.db");
  cmd->footer(
      "One line per point, the --at points first, then those of --points, in order; fields\n"
      "separated by tabs: x, z, the velocity of the cell holding the point, its column and the\n"
      "H-line on its top (both from 1), and 1 for a fixed cell or 0. A point in no cell gives\n"
      "'x z outside'. Numbers are the shortest text that reads back as the same float.");
  cmd->callback([o] { RunSample(*o); });
}
