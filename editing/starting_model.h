// Starting models that hang from the ground surface: V-lines evenly spaced in X, each with its
// top node on a surface given by points and its bottom node on a flat bottom, and velocities
// that grow with depth below the surface.
#pragma once

#include <cstdint>
#include <vector>

#include "editing/equasigrid.h"
#include "platform/runtime.h"

// How velocity grows with depth below the surface.
enum VelocityLaw : uint8_t {
  vlGradient = 0,  // V0 + Gradient * depth
  vlProfile = 1,   // linear in depth between the profile's points, held below the last one
};

// The description of a starting model under a ground surface.
struct TStartingModel {
  std::vector<float> SurfaceX;  // X of the surface points, strictly ascending, at least one
  std::vector<float> SurfaceZ;  // their elevations, each above Bottom
  bool OwnXRange = false;       // false: the V-lines span SurfaceX.front() .. SurfaceX.back()
  float XLeft = 0;              // with OwnXRange: X of the first and of the last V-line
  float XRight = 0;
  int Nx = 0;          // V-lines, at least 2
  int Nz = 0;          // H-lines, at least 2
  float Bottom = 0;    // elevation of the flat bottom H-line
  float RowRatio = 1;  // 1: even rows; above 1: each row this many times as thick as the one above
  VelocityLaw Law = vlGradient;
  float V0 = 0;                     // vlGradient: velocity at the surface, at least 0
  float Gradient = 0;               // vlGradient: velocity gained per unit of depth
  std::vector<float> ProfileDepth;  // vlProfile: depths below the surface, from 0, ascending
  std::vector<float> ProfileV;      // vlProfile: the velocity at each depth, at least 0
};

// Why BuildStartingModel refused; smBuilt when it built the model.
enum StartingModelFault : uint8_t {
  smBuilt = 0,
  smBadSize,       // Nx or Nz below 2
  smTooManyNodes,  // Nx x Nz more than a model table holds
  smBadSurface,    // no point, a value not finite, X not ascending, a point not above Bottom
  smBadBottom,     // Bottom not finite
  smBadRange,      // X range not finite or empty
  smBadSpacing,    // RowRatio below 1 or not finite
  smBadLaw,        // a law value not finite, depths not ascending from 0, a negative velocity
  smBadVelocity,   // the law gives a cell a velocity that is negative or not finite
  smRowsTooThin,   // float cannot hold strictly descending elevations on some V-line
  smOutOfMemory,   // the arrays could not be allocated; the message has been shown
};

// What BuildStartingModel did.
struct StartingModelResult {
  StartingModelFault Fault = smBuilt;
  int Item = -1;    // smBadSurface, smBadLaw: 0-based index of the point at fault, or -1
  AnsiString Text;  // one line on what was expected and what was found; empty when built
};

// Builds the model of d into model. The V-lines stand at the X positions Init gives an X range
// (evenly spaced, the last one exactly on the right end). The surface at a V-line is linear in
// X between the two surface points around it and held constant beyond the first and the last.
// On each V-line the nodes run from the surface s down to Bottom: H-line k lies at
// s - (s - Bottom) * f(k), with f(k) = k / (Nz - 1) for even rows and
// f(k) = (RowRatio^k - 1) / (RowRatio^(Nz-1) - 1) otherwise (fractions in double, stored as
// float; the top node is s and the bottom node Bottom exactly). A cell's velocity is the law's
// value at the mean depth of its four corners, each below its own V-line's surface; the copy
// nodes are completed (TrimVelocity). Extent, height and resolutions are those the model loader
// computes from the arrays, horizons, selection and remesh state are cleared, so that a save
// loads back as the same model. On any refusal the model is left exactly as it was.
StartingModelResult BuildStartingModel(BCEQuasiGrid& model, const TStartingModel& d);
