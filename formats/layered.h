// The layered model of forward ray tracing: boundary depths and layer velocities given at X
// nodes in fixed-column records, turned into a quasi-grid with a horizon on each boundary.
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "editing/equasigrid.h"

// One record: values at X nodes, linear between them, constant beyond the ends.
struct LayeredRecord {
  int Line = 0;              // line of the record's first X line, for messages
  std::vector<float> X;      // ascending
  std::vector<float> Value;  // depth (positive down) or velocity at each X
};

// Records in file order: for layer i = 1..n its top depths, top velocities, bottom velocities;
// then the depths of the model's bottom. So Records.size() = 3 n + 1.
struct LayeredModel {
  std::vector<LayeredRecord> Records;
  int Layers() const { return static_cast<int>(Records.size() / 3); }
};

struct LayeredOptions {
  int RowsPerLayer = 4;   // H-lines evenly spaced inside each layer, between its boundaries
  float MinGap = 0.001f;  // least distance between H-lines where a layer pinches out, file units
  float Scale = 1;        // multiplies coordinates and velocities (1000: km to m)
};

// Reads the records. A record is one or more groups of three lines: the layer number in columns
// 1-2 and up to ten X values in fields of 7 columns from column 3; a continuation flag (1: the
// record goes on in the next group, 0: it ends) in columns 1-2 and one value per X in the same
// fields; a line of inversion flags, not read. A value must be written with a decimal point
// (unless it is 0), so that no field is read other than the ray tracer reads it. Empty text on
// success, else "line N: what was wrong".
std::string ReadLayeredModel(std::istream& in, LayeredModel& layered);

// Builds the quasi-grid: V-lines at the union of all X nodes, per V-line one H-line on each
// boundary and RowsPerLayer H-lines evenly spaced inside each layer, velocities linear in depth
// from the layer's top to its bottom value, a horizon (ID = boundary number) on each boundary
// below the surface. A top-velocity record of the single value 0 takes the bottom velocity of the
// layer above; a bottom one the layer's own top velocity. A boundary above the one before it is
// lowered onto it, and every H-line lies at least MinGap below the one above it. Empty text on
// success (model replaced), else the reason (model untouched). pinched counts the V-lines at
// which some layer is thinner than its rows at MinGap would need.
std::string LayeredToModel(const LayeredModel& layered, const LayeredOptions& options,
                           BCEQuasiGrid& model, int& pinched);
