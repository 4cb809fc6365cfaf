// The cells of a model as pixels: what fills the plot area of a picture.
#pragma once

#include <cstdint>
#include <vector>

#include "model/quasigrid.h"
#include "picture/colormap.h"

// What the raster colours and how.
struct CellColouring {
  const std::vector<float>* values;  // one per node, a cell's at its top-left node
  double vmin, vmax;                 // the colour scale
  const ColorMap* map;
  bool hatchFixed;  // fixed cells get diagonal hatching
};

// Fills width x height 0xAARRGGBB pixels (rows from the top) covering X xl..xr and elevation
// zb..zt. Pixels outside the model stay transparent. Each pixel column finds its V-line
// interval once and each pixel its row by bisection, so the cost grows with the pixels and only
// logarithmically with the model: a model of millions of cells costs little more than a small one.
void FillCells(const BCQuasiGrid& model, const CellColouring& colouring, double xl, double xr,
               double zb, double zt, int width, int height, std::vector<uint32_t>& pixels);
