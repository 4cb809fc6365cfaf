// The model as a VTK XML unstructured grid (.vtu), for 3-D viewers and mesh libraries.
#pragma once

#include <ostream>

#include "model/quasigrid.h"

// Writes the model as ASCII VTK XML: one point (x, elevation, 0) per node in node order, one
// quad per cell in the order of the cells' top-left nodes, corners counter-clockwise from the
// bottom left; cell data "velocity" (Float32) and "fixed" (UInt8, 1 for a fixed cell), point
// data "velocity" (the node velocities, copies included).
void WriteVtu(const BCQuasiGrid& model, std::ostream& out);
