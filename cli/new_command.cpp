// The new and demo commands: a regular starting model built from its extent, size and corner
// velocities, checked, and saved into a folder.
#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/describe.h"
#include "cli/errors.h"
#include "cli/number_lists.h"
#include "cli/options.h"
#include "cli/saved_model.h"
#include "editing/equasigrid.h"
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
  bool backup = false;
  bool force = false;
};

// The starting model of the arguments; every refusal names the option and the limit.
TIniModel Describe(const NewOptions& o) {
  const std::vector<float> e = ParseFloats("extent", o.extent, 4);
  const std::vector<int> size = ParseInts("size", o.size, 2);
  const std::vector<float> v = ParseFloats("velocity", o.velocity, 4);
  TIniModel ini{};
  ini.Rect = BCFRect(e[0], e[3], e[1], e[2]);
  if (!ini.Rect.IsNormal()) throw UsageError("--extent needs LEFT < RIGHT and BOTTOM < TOP");
  if (size[0] < 2 || size[1] < 2) throw UsageError("--size needs NX and NZ of at least 2");
  const long long nodes = static_cast<long long>(size[0]) * size[1];
  if (nodes > kMaxNodes)
    throw UsageError("a grid of " + std::to_string(nodes) + " nodes exceeds the table limit of " +
                     std::to_string(kMaxNodes) + " nodes");
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

void BuildAndSave(TIniModel ini, const std::string& dir, bool backup, bool force) {
  BCEQuasiGrid model;
  if (!model.Init(ini)) throw CommandError("cannot build the model (out of memory)");
  const std::string moved =
      SaveModelToFolder(model, dir, backup, force ? Existing::kReplace : Existing::kRefuse);
  if (!moved.empty()) std::printf("%s\n", moved.c_str());
  std::printf("saved %d x %d nodes into %s\n", model.GetNx(), model.Nz,
              TablePath(dir, backup).c_str());
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
  CLI::App* cmd = app.add_subcommand("new", "Build a regular starting model and save it");
  cmd->add_option("DIR", o->dir, "Model folder; created when missing")->required();
  AddOnceOption(cmd, "--extent", o->extent, "LEFT,RIGHT,BOTTOM,TOP: X range and elevation range")
      ->required();
  AddOnceOption(cmd, "--size", o->size,
                "NX,NZ: V-lines and H-lines, each at least 2; NX x NZ at most 2499999 nodes")
      ->required();
  AddOnceOption(cmd, "--velocity", o->velocity,
                "TOPLEFT,TOPRIGHT,BOTLEFT,BOTRIGHT: corner velocities, each above 0 and at "
                "most 100000")
      ->required();
  cmd->add_flag("--backup", o->backup, "Write the backup table DIR/modelbk.db instead");
  cmd->add_flag("--force", o->force,
                "Replace an existing table; one that does not load is kept as TABLE.damaged");
  cmd->footer(
      "Velocities are interpolated from the four corners. The model is saved into DIR/model.db\n"
      "only if it loads back as the same grid; a new main table removes DIR/model.hor.");
  cmd->callback([o] { BuildAndSave(Describe(*o), o->dir, o->backup, o->force); });
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
