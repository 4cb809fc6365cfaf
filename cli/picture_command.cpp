// The picture command: a saved model drawn into a PNG file.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/errors.h"
#include "cli/number_lists.h"
#include "cli/options.h"
#include "cli/picture.h"
#include "cli/saved_model.h"
#include "editing/equasigrid.h"

namespace {

constexpr int kMaxSide = 8000;

struct PictureOptions {
  std::string dir;
  std::string out;
  std::string size;
  bool backup = false;
};

void RunPicture(const PictureOptions& o) {
  PictureSize size;
  if (!o.size.empty()) {
    const std::vector<int> wh = ParseInts("size", o.size, 2);
    if (wh[0] < 1 || wh[1] < 1 || wh[0] > kMaxSide || wh[1] > kMaxSide)
      throw UsageError("--size needs WIDTH and HEIGHT between 1 and " + std::to_string(kMaxSide));
    size = {wh[0], wh[1]};
  }
  const std::string out = o.out.empty() ? o.dir + "/model.png" : o.out;
  BCEQuasiGrid model;
  LoadSavedModel(o.dir, o.backup, model);
  if (!DrawModelPicture(model, out, size)) throw CommandError("cannot write " + out);
  std::printf("drew %s (%d x %d pixels)\n", out.c_str(), size.width, size.height);
}

}  // namespace

void DefinePictureCommand(CLI::App& app) {
  auto o = std::make_shared<PictureOptions>();
  CLI::App* cmd = app.add_subcommand("picture", "Draw a saved model into a PNG file");
  cmd->add_option("DIR", o->dir, "Model folder")->required();
  AddOnceOption(cmd, "-o,--out", o->out, "Picture file (default DIR/model.png)");
  AddOnceOption(cmd, "--size", o->size, "WIDTH,HEIGHT in pixels, each 1..8000 (default 800,320)");
  cmd->add_flag("--backup", o->backup, "Draw the backup table DIR/modelbk.db");
  cmd->footer(
      "Cells coloured by velocity from red (slow) to blue (fast), fixed cells darker, grid lines\n"
      "where cells are large enough to show them, horizons of DIR/model.hor in black.");
  cmd->callback([o] { RunPicture(*o); });
}
