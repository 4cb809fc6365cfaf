// The picture command: a saved model drawn into a PNG file.
#include <cstdio>

#include "cli/commands.h"
#include "cli/picture.h"
#include "editing/equasigrid.h"

namespace {

constexpr const char* kPictureHelp =
    "usage: quasigrid picture DIR [--out FILE] [--size WIDTH,HEIGHT] [--backup]\n"
    "\n"
    "Draws the model saved in DIR into a PNG file (DIR/model.png by default, 800 x 320\n"
    "pixels): cells coloured by velocity from red (slow) to blue (fast), fixed cells darker,\n"
    "grid lines where cells are large enough to show them, horizons of DIR/model.hor in black.\n";

constexpr int kMaxSide = 8000;

}  // namespace

int RunPicture(const Args& args) {
  if (args.WantsHelp()) return std::fputs(kPictureHelp, stdout), 0;
  args.AllowOnly({"out", "size", "backup"});
  if (args.Positional().size() != 1) throw UsageError("needs one folder");
  const std::string& dir = args.Positional()[0];
  PictureSize size;
  if (args.Has("size")) {
    std::vector<int> wh = ParseInts("size", args.Value("size", ""), 2);
    if (wh[0] < 1 || wh[1] < 1 || wh[0] > kMaxSide || wh[1] > kMaxSide)
      throw UsageError("--size needs WIDTH and HEIGHT between 1 and " + std::to_string(kMaxSide));
    size = {wh[0], wh[1]};
  }
  std::string out = args.Value("out", dir + "/model.png");
  BCEQuasiGrid model;
  LoadSavedModel(dir, args.Has("backup"), model);
  if (!DrawModelPicture(model, out, size)) throw CommandError("cannot write " + out);
  std::printf("drew %s (%d x %d pixels)\n", out.c_str(), size.width, size.height);
  return 0;
}
