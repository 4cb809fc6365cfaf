// A raster picture of a model: cells coloured by velocity, grid lines, fixed cells, horizons.
#pragma once

#include <string>

#include "model/quasigrid.h"

struct PictureSize {
  int width = 800;
  int height = 320;
};

// Draws the model into a PNG file; false when the file cannot be written.
bool DrawModelPicture(const BCQuasiGrid& model, const std::string& path, PictureSize size);
