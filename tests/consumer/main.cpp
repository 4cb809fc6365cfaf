// Builds a small model through the installed library and saves it into the folder given.
#include <cstdio>

#include "editing/equasigrid.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  TIniModel ini{};
  ini.Rect = BCFRect(0, 0, 100, -50);
  ini.Nx = 11;
  ini.Nz = 6;
  ini.VTopLeft = ini.VTopRight = 1000;
  ini.VBotLeft = ini.VBotRight = 2000;
  ini.SetVel = true;
  BCEQuasiGrid model;
  if (!model.Init(ini) || !model.SaveModelDb(argv[1], false, 3)) return 1;
  BCEQuasiGrid loaded;
  if (!loaded.LoadModelDb(argv[1], false, 5, true) || loaded.VV != model.VV) return 1;
  std::printf("consumer: %d x %d nodes saved and loaded\n", loaded.GetNx(), loaded.Nz);
  return 0;
}
