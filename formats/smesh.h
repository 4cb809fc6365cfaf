// The sheared mesh of 2-D traveltime tomography: node (i, k) of a mesh lies at depth
// topography(i) + offset(k) below the surface, depths and X growing as the file says.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "editing/equasigrid.h"

struct SmeshMesh {
  int Nx = 0;                     // mesh columns
  int Nz = 0;                     // nodes per column
  float VWater = 0;               // velocity of water, kept for the file's header
  float VAir = 0;                 // velocity of air, kept for the file's header
  std::vector<float> X;           // Nx positions, ascending
  std::vector<float> Topography;  // Nx depths of the surface
  std::vector<float> Offsets;     // Nz depth offsets below the surface, ascending
  std::vector<float> V;           // Nx rows of Nz velocities: column i, node k from the top
};

// Reads a mesh: "nx nz v_water v_air", then the nx X values, the nx topography depths, the nz
// offsets and nx rows of nz velocities, in any layout of blank-separated fields. Checks counts
// (nx, nz at least 2, and a model of nx x (nz + 1) nodes within the table limit) before
// reserving anything, then ascending X and offsets, finite numbers and no negative velocity.
// Empty text on success, else "line N: what was wrong" (mesh then holds nothing useful).
std::string ReadSmesh(std::istream& in, SmeshMesh& mesh);

// The model of a mesh: each mesh column a V-line with elevation = -depth, plus one bottom H-line
// under all of them at one offset step (last offset minus the one before) below the deepest node
// of the whole mesh, with the velocity of its V-line's deepest node. Coordinates and velocities
// are multiplied by scale. A cell takes the velocity of its top-left node, so the last column's
// velocities become copies of the column before it (lostLastColumn tells whether they differed).
// Empty text on success (model replaced), else the reason (model untouched).
std::string SmeshToModel(const SmeshMesh& mesh, float scale, BCEQuasiGrid& model,
                         bool& lostLastColumn);

// The mesh of a model whose nodes lie at common depth offsets below its top H-line (within the
// model's Z resolution): the offsets and topography are taken from the nodes, the bottom H-line
// is dropped when it is the straight line SmeshToModel adds. Empty text on success, else the
// reason, naming the V-line and H-line where the offsets differ.
std::string ModelToSmesh(const BCQuasiGrid& model, float vWater, float vAir, SmeshMesh& mesh);

// Writes the mesh: the header line, one line each of X, topography and offsets, and one line of
// velocities per column.
void WriteSmesh(const SmeshMesh& mesh, std::ostream& out);
