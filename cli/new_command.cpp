// The new and demo commands: a starting model built from its extent, size and corner velocities,
// or hung from a ground surface with a velocity-depth law, checked, and saved into a folder.
#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "cli/describe.h"
#include "cli/errors.h"
#include "cli/number_lists.h"
#include "cli/options.h"
#include "cli/pair_files.h"
#include "storage/model_folder.h"
#include "editing/equasigrid.h"
#include "editing/starting_model.h"
#include "platform/strings.h"
#include "picture/picture.h"

namespace fs = std::filesystem;

namespace {

constexpr long long kMaxNodes = 2499999;  // a model table holds fewer than 2,500,000 records
constexpr float kMaxVelocity = 100000;    // faster than any rock, in m/s or ft/s

struct NewOptions {
  std::string dir;
  std::string extent;
  std::string size;
  std::string velocity;
  std::string topography;
  std::string bottom;
  std::string xRange;
  std::string spacing;
  std::string gradient;
  std::string velocityDepth;
  bool backup = false;
  bool force = false;
};

// NX and NZ of --size, each at least 2 and together within the table limit.
std::vector<int> ParseSize(const std::string& text) {
  std::vector<int> size = ParseInts("size", text, 2);
  if (size[0] < 2 || size[1] < 2) throw UsageError("--size needs NX and NZ of at least 2");
  const long long nodes = static_cast<long long>(size[0]) * size[1];
  if (nodes > kMaxNodes)
    throw UsageError("a grid of " + std::to_string(nodes) + " nodes exceeds the table limit of " +
                     std::to_string(kMaxNodes) + " nodes");
  return size;
}

// The starting model of the arguments; every refusal names the option and the limit.
TIniModel Describe(const NewOptions& o) {
  const std::vector<float> e = ParseFloats("extent", o.extent, 4);
  const std::vector<int> size = ParseSize(o.size);
  const std::vector<float> v = ParseFloats("velocity", o.velocity, 4);
  TIniModel ini{};
  ini.Rect = BCFRect(e[0], e[3], e[1], e[2]);
  if (!ini.Rect.IsNormal()) throw UsageError("--extent needs LEFT < RIGHT and BOTTOM < TOP");
  for (const float value : v) {
    if (!(value > 0 && value <= kMaxVelocity))
      throw UsageError("--velocity needs values above 0 and at most 100000, got '" + o.velocity +
                       "'");
  }
  ini.Nx = size[0];
  ini.Nz = size[1];
  ini.VTopLeft = v[0];
  ini.VTopRight = v[1];
  ini.VBotLeft = v[2];
  ini.VBotRight = v[3];
  ini.SetVel = true;
  return ini;
}

void SaveNewModel(BCEQuasiGrid& model, const std::string& dir, bool backup, bool force) {
  const std::string moved = SaveModelToFolder(
      model, dir, backup, force ? ExistingTable::kReplace : ExistingTable::kRefuse);
  if (!moved.empty()) std::printf("%s\n", moved.c_str());
  std::printf("saved %d x %d nodes into %s\n", model.GetNx(), model.Nz,
              TablePath(dir, backup).c_str());
}

void BuildAndSave(TIniModel ini, const std::string& dir, bool backup, bool force) {
  BCEQuasiGrid model;
  if (!model.Init(ini)) throw CommandError("cannot build the model (out of memory)");
  SaveNewModel(model, dir, backup, force);
}

// Refuses options that belong to the other kind of starting model, one at a time.
void RequireConsistentOptions(const CLI::App& cmd) {
  const bool hung = cmd.count("--topography") > 0;
  for (const char* option :
       {"--bottom", "--x-range", "--spacing", "--gradient", "--velocity-depth"}) {
    if (!hung && cmd.count(option) > 0)
      throw UsageError(std::string(option) + " needs --topography");
  }
  for (const char* option : {"--extent", "--velocity"}) {
    if (hung && cmd.count(option) > 0)
      throw UsageError(std::string("--topography excludes ") + option +
                       " (the surface gives the extent, --gradient or --velocity-depth the "
                       "velocities)");
  }
  if (hung) {
    if (cmd.count("--bottom") == 0) throw UsageError("--topography needs --bottom");
    if (cmd.count("--gradient") > 0 && cmd.count("--velocity-depth") > 0)
      throw UsageError("--gradient excludes --velocity-depth");
    if (cmd.count("--gradient") + cmd.count("--velocity-depth") == 0)
      throw UsageError("--topography needs --gradient or --velocity-depth");
  } else {
    if (cmd.count("--extent") == 0) throw UsageError("--extent is required (or --topography)");
    if (cmd.count("--velocity") == 0) throw UsageError("--velocity is required with --extent");
  }
}

// A starting model under a surface, with the file lines of its points for the messages.
struct HungModel {
  TStartingModel description;
  std::vector<int> surfaceLines;  // line of each surface point in --topography
  std::vector<int> lawLines;      // line of each point in --velocity-depth
};

// The row thickness ratio of --spacing: 1 for uniform, Q above 1 for geometric:Q.
float ParseSpacing(const std::string& text) {
  if (text.empty() || text == "uniform") return 1;
  const std::string prefix = "geometric:";
  float q = 0;
  if (text.rfind(prefix, 0) != 0 || !StrToFloatChecked(text.substr(prefix.size()), q))
    throw UsageError("--spacing needs uniform or geometric:Q, got '" + text + "'");
  if (!(q > 1)) throw UsageError("--spacing geometric:Q needs Q above 1, got '" + text + "'");
  return q;
}

HungModel DescribeHung(const NewOptions& o) {
  const std::vector<int> size = ParseSize(o.size);
  HungModel m;
  TStartingModel& d = m.description;
  d.Nx = size[0];
  d.Nz = size[1];
  d.Bottom = ParseFloats("bottom", o.bottom, 1)[0];
  if (!o.xRange.empty()) {
    const std::vector<float> range = ParseFloats("x-range", o.xRange, 2);
    if (!(range[0] < range[1])) throw UsageError("--x-range needs X0 < X1");
    d.OwnXRange = true;
    d.XLeft = range[0];
    d.XRight = range[1];
  }
  d.RowRatio = ParseSpacing(o.spacing);
  if (!o.gradient.empty()) {
    const std::vector<float> g = ParseFloats("gradient", o.gradient, 2);
    d.Law = vlGradient;
    d.V0 = g[0];
    d.Gradient = g[1];
  } else {
    NumberPairs law = ReadPairFile(o.velocityDepth, "depth", "v");
    d.Law = vlProfile;
    d.ProfileDepth = std::move(law.First);
    d.ProfileV = std::move(law.Second);
    m.lawLines = std::move(law.Lines);
  }
  NumberPairs surface = ReadPairFile(o.topography, "x", "z");
  d.SurfaceX = std::move(surface.First);
  d.SurfaceZ = std::move(surface.Second);
  m.surfaceLines = std::move(surface.Lines);
  return m;
}

// A refusal of the library as the user reads it: at the file line of the point at fault, or
// naming the option.
std::string RefusalLine(const StartingModelResult& r, const HungModel& m, const NewOptions& o) {
  const auto at = [&r](const std::vector<int>& lines) {
    return r.Item >= 0 && static_cast<size_t>(r.Item) < lines.size() ? lines[r.Item] : 0;
  };
  switch (r.Fault) {
    case smBadSurface:
      return PairFileLine(o.topography, at(m.surfaceLines), r.Text);
    case smBadLaw:
    case smBadVelocity:
      if (!o.velocityDepth.empty()) return PairFileLine(o.velocityDepth, at(m.lawLines), r.Text);
      return "--gradient: " + r.Text;
    case smBadRange:
      return r.Text + (o.xRange.empty() ? " (--x-range X0,X1)" : "");
    default:
      return r.Text;
  }
}

void BuildAndSaveHung(const NewOptions& o) {
  const HungModel hung = DescribeHung(o);
  BCEQuasiGrid model;
  const StartingModelResult r = BuildStartingModel(model, hung.description);
  if (r.Fault == smOutOfMemory) throw CommandError("cannot build the model (out of memory)");
  if (r.Fault != smBuilt) throw UsageError(RefusalLine(r, hung, o));
  SaveNewModel(model, o.dir, o.backup, o.force);
}

struct DemoOptions {
  std::string dir;
  bool force = false;
};

void RunDemo(const DemoOptions& o) {
  std::string dir = o.dir;
  if (dir.empty()) {
    std::string pattern = (fs::temp_directory_path() / "quasigrid-demo.XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw CommandError("cannot create a temporary folder");
    dir = pattern;
  }
  TIniModel ini{};
  ini.Rect = BCFRect(0, 0, 1000, -200);
  ini.Nx = 61;
  ini.Nz = 21;
  ini.VTopLeft = 500;
  ini.VTopRight = 1200;
  ini.VBotLeft = 2500;
  ini.VBotRight = 3500;
  ini.SetVel = true;
  BuildAndSave(ini, dir, false, o.force);
  DescribeModel(dir, false, false);
  BCEQuasiGrid model;
  LoadSavedModel(dir, false, model);
  const std::string picture = dir + "/model.png";
  if (const std::string why = DrawModelPicture(model, PictureOptions{}, picture); !why.empty())
    throw CommandError(why);
  std::printf("picture:      %s\n", picture.c_str());
}

}  // namespace

void DefineNewCommand(CLI::App& app) {
  auto o = std::make_shared<NewOptions>();
  CLI::App* cmd = app.add_subcommand("new", "Build a starting model and save it");
  cmd->add_option("DIR", o->dir, "Model folder; created when missing")->required();
  AddOnceOption(cmd, "--size", o->size,
                "NX,NZ: V-lines and H-lines, each at least 2; NX x NZ at most 2499999 nodes")
      ->required();
  AddOnceOption(cmd, "--extent", o->extent,
                "LEFT,RIGHT,BOTTOM,TOP: X range and elevation range of a flat-topped model");
  AddOnceOption(cmd, "--velocity", o->velocity,
                "TOPLEFT,TOPRIGHT,BOTLEFT,BOTRIGHT: corner velocities of a flat-topped model, "
                "each above 0 and at most 100000");
  AddOnceOption(cmd, "--topography", o->topography,
                "FILE of 'x z' lines, x ascending: the ground surface the model hangs from");
  AddOnceOption(cmd, "--bottom", o->bottom, "ZB: elevation of the flat bottom, below the surface");
  AddOnceOption(cmd, "--x-range", o->xRange,
                "X0,X1: X of the first and last V-line (default: the surface file's first and "
                "last x)");
  AddOnceOption(cmd, "--spacing", o->spacing,
                "uniform (default): even rows; geometric:Q (Q > 1): each row Q times as thick as "
                "the one above");
  AddOnceOption(cmd, "--gradient", o->gradient,
                "V0,G: velocity V0 at the surface plus G per unit of depth");
  AddOnceOption(cmd, "--velocity-depth", o->velocityDepth,
                "FILE of 'depth v' lines, depth ascending from 0: velocity linear in depth, held "
                "below the last line");
  cmd->add_flag("--backup", o->backup, "Write the backup table DIR/modelbk.db instead");
  cmd->add_flag("--force", o->force,
                "Replace an existing table; one that does not load is kept as TABLE.damaged");
  cmd->footer(
      "A flat-topped model (--extent, --velocity) takes its velocities from the four corners.\n"
      "A model under a surface (--topography, --bottom, --gradient or --velocity-depth) has NX\n"
      "V-lines evenly spaced, each with its top node on the surface (linear between the file's\n"
      "points, held beyond its ends) and its bottom node at ZB; a cell's velocity is the law's\n"
      "value at the mean depth of its corners below the surface. Files may hold blank lines and\n"
      "'#' comments. The model is saved into DIR/model.db only if it loads back as the same\n"
      "grid; a new main table removes DIR/model.hor.");
  cmd->callback([o, cmd] {
    RequireConsistentOptions(*cmd);
    if (cmd->count("--topography") > 0) {
      BuildAndSaveHung(*o);
    } else {
      BuildAndSave(Describe(*o), o->dir, o->backup, o->force);
    }
  });
}

void DefineDemoCommand(CLI::App& app) {
  auto o = std::make_shared<DemoOptions>();
  CLI::App* cmd = app.add_subcommand(
      "demo", "Build the default model, describe it and draw it into DIR/model.png");
  cmd->add_option("DIR", o->dir, "Model folder (default: a new temporary folder)");
  cmd->add_flag("--force", o->force, "Replace a model already in DIR");
  cmd->footer(
      "The default model: X 0..1000, elevation -200..0, 61 x 21 lines, corner velocities 500 and\n"
      "1200 at the top, 2500 and 3500 at the bottom.");
  cmd->callback([o] { RunDemo(*o); });
}
