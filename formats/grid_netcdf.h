// The model sampled on a regular grid and written as a CF netCDF file, for plotting tools that
// read regular grids.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editing/equasigrid.h"

// What a grid sample takes from the cell that holds it.
enum class GridSample : uint8_t {
  kCell,  // the cell's velocity
  kNode,  // the node velocities of the cell's corners, linear along its edges and in elevation
};

// Most samples a grid may have (a 400 MB variable).
inline constexpr long long kMaxGridSamples = 100000000;

// How a regular grid samples the model: its spacings, what a sample takes, and the units.
struct GridSampling {
  float Dx = 0;  // spacing of the samples in X, above 0
  float Dz = 0;  // spacing in elevation, above 0
  GridSample Sample = GridSample::kCell;
  bool Kilometres = false;  // units km and km/s instead of m and m/s
};

// Velocity of the model at (x, z), or NaN where no cell holds the point (above the top, below
// the bottom, beside the model). Cells are found by GetCell over the whole grid.
float SampleVelocity(const BCEQuasiGrid& model, float x, float z, GridSample how);

// Sample positions along one axis: the centres of the steps of width step that fit between lo
// and hi, ascending. Empty text, or why there are none or too many (the axis is named by what).
std::string GridAxis(float lo, float hi, float step, const char* what, std::vector<float>& axis);

// Samples the model every sampling.Dx by sampling.Dz over its extent (X from the first to the
// last V-line, elevation from the bottom to the highest node) into a new netCDF file at path:
// coordinate
// variables x and z, variable velocity(z, x) with _FillValue NaN outside the model, CF
// attributes. Empty text on success, else the reason (the file may then be partly written).
std::string WriteNetcdfGrid(const BCEQuasiGrid& model, const GridSampling& sampling,
                            const std::string& path);
