// A raster picture of a model: cells coloured by velocity, grid lines, fixed cells, horizons.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/quasigrid.h"

struct PictureSize {
  int width = 800;
  int height = 320;
};

// The model drawn into width x height RGB pixels, rows from the top. Any model the loader accepts
// draws: flat models, huge or non-finite velocities and elevations included.
std::vector<uint8_t> RenderModelRaster(const BCQuasiGrid& model, PictureSize size);
// Draws the model into a PNG file; false when the file cannot be written.
bool DrawModelPicture(const BCQuasiGrid& model, const std::string& path, PictureSize size);
