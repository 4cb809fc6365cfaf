// The new, info and demo commands: a starting model into a table, and a table described.
#include <cstdio>
#include <filesystem>
#include <string>

#include "cli/commands.h"
#include "cli/picture.h"
#include "editing/equasigrid.h"

namespace fs = std::filesystem;

namespace {

constexpr long long kMaxNodes = 2499999;  // a model table holds fewer than 2,500,000 records

constexpr const char* kNewHelp =
    "usage: quasigrid new DIR --extent LEFT,RIGHT,BOTTOM,TOP --size NX,NZ\n"
    "                     --velocity TOPLEFT,TOPRIGHT,BOTLEFT,BOTRIGHT [--backup] [--force]\n"
    "\n"
    "Builds a regular starting model: NX V-lines from LEFT to RIGHT, NZ H-lines from BOTTOM\n"
    "(lowest elevation) to TOP, velocities interpolated from the four corner values, and saves\n"
    "it into DIR/model.db (DIR/modelbk.db with --backup). DIR is created when missing. An\n"
    "existing table is only replaced with --force.\n";

constexpr const char* kInfoHelp =
    "usage: quasigrid info DIR [--backup]\n"
    "\n"
    "Describes the model saved in DIR/model.db (DIR/modelbk.db with --backup): grid size,\n"
    "extent, velocity bounds, comparison resolutions, fixed cells, and the horizons of\n"
    "DIR/model.hor when that file exists.\n";

constexpr const char* kDemoHelp =
    "usage: quasigrid demo [DIR]\n"
    "\n"
    "Builds the default starting model (X 0..1000, elevation -200..0, 61 x 21 lines, corner\n"
    "velocities 500 and 1200 at the top, 2500 and 3500 at the bottom) in DIR, or in a new\n"
    "temporary folder, describes it, and draws it into DIR/model.png.\n";

struct NewModelRequest {
  std::string dir;
  TIniModel ini{};
  bool backup = false;
  bool force = false;
};

void BuildAndSave(const NewModelRequest& request) {
  const TIniModel& ini = request.ini;
  if (!ini.Rect.IsNormal()) throw UsageError("--extent needs LEFT < RIGHT and BOTTOM < TOP");
  if (ini.Nx < 2 || ini.Nz < 2) throw UsageError("--size needs NX and NZ of at least 2");
  long long nodes = static_cast<long long>(ini.Nx) * ini.Nz;
  if (nodes > kMaxNodes)
    throw UsageError("a grid of " + std::to_string(nodes) + " nodes exceeds the table limit of " +
                     std::to_string(kMaxNodes));

  std::string table = TablePath(request.dir, request.backup);
  if (fs::exists(table) && !request.force)
    throw CommandError(table + " already exists (use --force to replace it)");
  std::error_code ec;
  fs::create_directories(request.dir, ec);
  if (!fs::is_directory(request.dir)) throw CommandError("cannot create the folder " + request.dir);

  BCEQuasiGrid model;
  TIniModel description = ini;
  if (!model.Init(description)) throw CommandError("cannot build the model (out of memory)");
  if (!model.SaveModelDb(request.dir, request.backup, 3))
    throw CommandError("cannot save the model into " + table);
  std::printf("saved %d x %d nodes into %s\n", model.GetNx(), model.Nz, table.c_str());
}

void Describe(const std::string& dir, bool backup) {
  BCEQuasiGrid model;
  LoadSavedModel(dir, backup, model);
  std::string table = TablePath(dir, backup);
  int nx = model.GetNx();
  int nz = model.Nz;
  float vmin = 0, vmax = 0;
  model.GetVelocityBounds(vmin, vmax);
  int fixed = 0;
  for (int col = 0; col + 1 < nx; ++col)
    for (int iz = 1; iz < nz; ++iz) fixed += (model.CellFlags[col * nz + iz] & kCellFixed) ? 1 : 0;
  const BCFRect& r = model.ModelRect;

  std::printf("model:        %s\n", table.c_str());
  std::printf("grid:         %d V-lines x %d H-lines = %lld nodes, %lld cells\n", nx, nz,
              static_cast<long long>(nx) * nz, static_cast<long long>(nx - 1) * (nz - 1));
  std::printf("extent:       X %g .. %g, elevation %g .. %g\n", r.left, r.right, r.bottom, r.top);
  std::printf("velocity:     %g .. %g\n", vmin, vmax);
  std::printf("resolution:   X %g, Z %g\n", model.XRes, model.ZRes);
  std::printf("min spacing:  X %g, Z %g\n", model.GetMinDistanceX(), model.GetMinDistanceZ());
  std::printf("fixed cells:  %d\n", fixed);
  std::printf("horizons:     %d\n", model.GetHors());
}

std::string OneDirectory(const Args& args) {
  if (args.Positional().size() != 1) throw UsageError("needs one folder");
  return args.Positional()[0];
}

}  // namespace

void LoadSavedModel(const std::string& dir, bool backup, BCEQuasiGrid& model) {
  std::string table = TablePath(dir, backup);
  // The loader would copy an empty template into place; a missing table is the user's mistake.
  if (!fs::exists(table)) throw CommandError("no model table " + table);
  if (!model.LoadModelDb(dir, backup, 5, true))
    throw CommandError(table + " holds no model that can be loaded");
  int horizons = model.LoadHor(HorizonPath(dir));
  if (horizons > 0)
    throw CommandError(HorizonPath(dir) + ": horizon " + std::to_string(horizons) +
                       " is not a horizon string or lies outside the grid");
}

std::string TablePath(const std::string& dir, bool backup) {
  return dir + (backup ? "/modelbk.db" : "/model.db");
}

std::string HorizonPath(const std::string& dir) {
  return dir + "/model.hor";
}

int RunNew(const Args& args) {
  if (args.WantsHelp()) return std::fputs(kNewHelp, stdout), 0;
  args.AllowOnly({"extent", "size", "velocity", "backup", "force"});
  for (const char* required : {"extent", "size", "velocity"})
    if (!args.Has(required)) throw UsageError(std::string("--") + required + " is required");
  NewModelRequest request;
  request.dir = OneDirectory(args);
  std::vector<float> e = ParseFloats("extent", args.Value("extent", ""), 4);
  std::vector<int> size = ParseInts("size", args.Value("size", ""), 2);
  std::vector<float> v = ParseFloats("velocity", args.Value("velocity", ""), 4);
  request.ini.Rect = BCFRect(e[0], e[3], e[1], e[2]);
  request.ini.Nx = size[0];
  request.ini.Nz = size[1];
  request.ini.VTopLeft = v[0];
  request.ini.VTopRight = v[1];
  request.ini.VBotLeft = v[2];
  request.ini.VBotRight = v[3];
  request.ini.SetVel = true;
  request.backup = args.Has("backup");
  request.force = args.Has("force");
  BuildAndSave(request);
  return 0;
}

int RunInfo(const Args& args) {
  if (args.WantsHelp()) return std::fputs(kInfoHelp, stdout), 0;
  args.AllowOnly({"backup"});
  Describe(OneDirectory(args), args.Has("backup"));
  return 0;
}

int RunDemo(const Args& args) {
  if (args.WantsHelp()) return std::fputs(kDemoHelp, stdout), 0;
  args.AllowOnly({});
  if (args.Positional().size() > 1) throw UsageError("takes one folder at most");
  NewModelRequest request;
  if (args.Positional().empty()) {
    std::string pattern = (fs::temp_directory_path() / "quasigrid-demo.XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw CommandError("cannot create a temporary folder");
    request.dir = pattern;
  } else {
    request.dir = args.Positional()[0];
  }
  request.ini.Rect = BCFRect(0, 0, 1000, -200);
  request.ini.Nx = 61;
  request.ini.Nz = 21;
  request.ini.VTopLeft = 500;
  request.ini.VTopRight = 1200;
  request.ini.VBotLeft = 2500;
  request.ini.VBotRight = 3500;
  request.ini.SetVel = true;
  request.force = true;
  BuildAndSave(request);
  Describe(request.dir, false);
  BCEQuasiGrid model;
  LoadSavedModel(request.dir, false, model);
  std::string picture = request.dir + "/model.png";
  if (!DrawModelPicture(model, picture, PictureSize{}))
    throw CommandError("cannot write " + picture);
  std::printf("picture:      %s\n", picture.c_str());
  return 0;
}
