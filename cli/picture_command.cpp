// The picture command: a saved model drawn into a PNG, SVG or PDF file.
#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/errors.h"
#include "cli/number_lists.h"
#include "cli/options.h"
#include "storage/model_folder.h"
#include "editing/equasigrid.h"
#include "picture/picture.h"

namespace {

struct PictureArgs {
  std::string dir;
  std::string out;
  std::string size;
  std::string units = "m";
  std::string range;
  std::string colormap = "viridis";
  std::string title;
  std::string exaggeration;
  bool reverse = false;
  bool coverage = false;
  bool grid = false;
  bool noGrid = false;
  bool backup = false;
};

PictureOptions ToOptions(const PictureArgs& a) {
  PictureOptions o;
  if (!a.size.empty()) {
    const std::vector<int> wh = ParseInts("size", a.size, 2);
    for (const int side : wh) {
      if (side < kMinPictureSide || side > kMaxPictureSide)
        throw UsageError("--size needs WIDTH and HEIGHT between " +
                         std::to_string(kMinPictureSide) + " and " +
                         std::to_string(kMaxPictureSide));
    }
    o.Width = wh[0];
    o.Height = wh[1];
  }
  if (!a.exaggeration.empty()) {
    o.Exaggeration = ParseFloats("exaggeration", a.exaggeration, 1)[0];
    if (!(o.Exaggeration > 0 && o.Exaggeration <= 1e6))
      throw UsageError("--exaggeration needs a number above 0, got '" + a.exaggeration + "'");
  }
  if (!a.range.empty()) {
    const std::vector<float> r = ParseFloats("range", a.range, 2);
    if (!(r[0] < r[1])) throw UsageError("--range needs VMIN < VMAX, got '" + a.range + "'");
    o.FixedRange = true;
    o.RangeMin = r[0];
    o.RangeMax = r[1];
  }
  o.Kilometres = a.units == "km";
  o.Colormap = a.colormap;
  o.Reverse = a.reverse;
  o.Grid = a.grid ? 1 : a.noGrid ? 0 : -1;
  o.Title = a.title;
  return o;
}

void RunPicture(const PictureArgs& a) {
  PictureOptions options = ToOptions(a);
  const std::string out = a.out.empty() ? a.dir + "/model.png" : a.out;
  BCEQuasiGrid model;
  LoadSavedModel(a.dir, a.backup, model);
  if (a.coverage) {
    if (!model.LoadRayCoverage(a.dir, options.Values) || options.Values.size() != model.ZZ.size())
      throw CommandError("cannot read the ray coverage of " + TablePath(a.dir, false));
    options.ValueLabel = "Ray coverage";
  }
  if (const std::string why = DrawModelPicture(model, options, out); !why.empty()) {
    // A refused ending or colour map is the user's mistake; anything else is a failure.
    if (why.find("must end in") != std::string::npos || why.rfind("no colour map", 0) == 0)
      throw UsageError(why);
    throw CommandError(why);
  }
  if (out != "-") std::printf("drew %s\n", out.c_str());
}

}  // namespace

void DefinePictureCommand(CLI::App& app) {
  auto a = std::make_shared<PictureArgs>();
  CLI::App* cmd = app.add_subcommand("picture", "Draw a saved model into a PNG, SVG or PDF file");
  cmd->add_option("DIR", a->dir, "Model folder")->required();
  AddOnceOption(cmd, "-o,--out", a->out,
                "Picture file, PNG, SVG or PDF by its ending; - writes PNG to standard output "
                "(default DIR/model.png)");
  AddOnceOption(cmd, "--size", a->size, "WIDTH,HEIGHT of the page in pixels (default 800,320)");
  AddOnceOption(cmd, "--units", a->units, "Units of the model: m (m, m/s) or km (km, km/s)")
      ->check(CLI::IsMember({"m", "km"}));
  AddOnceOption(cmd, "--range", a->range, "VMIN,VMAX of the colour scale (default: the model's)");
  AddOnceOption(cmd, "--colormap", a->colormap,
                std::string("Colour map: ") + "viridis, seismic, grey (default viridis)");
  cmd->add_flag("--reverse", a->reverse, "Reverse the colour map");
  cmd->add_flag("--coverage", a->coverage, "Draw the ray coverage instead of the velocities");
  CLI::Option* grid = cmd->add_flag("--grid", a->grid, "Always draw the grid lines");
  CLI::Option* noGrid = cmd->add_flag("--no-grid", a->noGrid, "Never draw the grid lines");
  grid->excludes(noGrid);
  AddOnceOption(cmd, "--title", a->title, "A title above the plot");
  AddOnceOption(cmd, "--exaggeration", a->exaggeration,
                "Vertical exaggeration; the page height follows unless --size sets it");
  CLI::Option* backup =
      cmd->add_flag("--backup", a->backup, "Draw the backup table DIR/modelbk.db");
  backup->excludes("--coverage");
  cmd->footer(
      "Cells coloured by velocity, axes in the model's units, a colour bar, horizons of\n"
      "DIR/model.hor in their colours with their identifiers, fixed cells hatched, grid lines\n"
      "where cells are at least 5 pixels, the vertical exaggeration (V.E.).");
  cmd->callback([a] { RunPicture(*a); });
}
