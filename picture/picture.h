// Pictures of a model for reports and talks: the cells coloured by velocity (or ray coverage),
// axes in the model's units, a colour bar, horizons, fixed cells and the selection, written as
// PNG, SVG or PDF through cairo.
#pragma once

#include <string>
#include <vector>

#include "model/quasigrid.h"

struct PictureOptions {
  int Width = 800;          // page size in pixels (points for PDF)
  int Height = 0;           // 0: follows Exaggeration, else 320
  float Exaggeration = 0;   // vertical exaggeration of the plot; 0: whatever fills the page
  bool Kilometres = false;  // coordinates in km and velocities in km/s (else m and m/s)
  std::string Colormap = "viridis";
  bool Reverse = false;
  bool FixedRange = false;  // colour scale from RangeMin..RangeMax rather than the values'
  float RangeMin = 0;
  float RangeMax = 0;
  int Grid = -1;  // grid lines: -1 where cells are large enough, 0 never, 1 always
  std::string Title;
  // Values to colour, one per node like VV (e.g. the ray coverage); empty: the velocities.
  std::vector<float> Values;
  std::string ValueLabel;  // the colour bar's label when Values is given
};

// The smallest and largest page side accepted.
constexpr int kMinPictureSide = 16;
constexpr int kMaxPictureSide = 8000;

// Draws the model into path: PNG, SVG or PDF by its ending, or PNG on standard output for "-".
// Returns empty text when written, else one line saying why not (an unknown ending, a colour map
// that does not exist, a file that cannot be written). Any model the loader accepts draws: flat
// ones, equal velocities, huge or tiny extents.
std::string DrawModelPicture(const BCQuasiGrid& model, const PictureOptions& options,
                             const std::string& path);

// The cells alone, as 0xAARRGGBB pixels (rows from the top) of a width x height image covering
// the model's extent: what the picture fills its plot area with. For tests and fuzzing.
std::vector<uint32_t> RenderCellRaster(const BCQuasiGrid& model, const PictureOptions& options,
                                       int width, int height);
