// The x-z-v text of a model: one line per node, for plotting and gridding tools.
#pragma once

#include <ostream>

#include "model/quasigrid.h"

// Writes "x z v" and a line end for every node, in node order (V-line by V-line, each from its
// bottom node up), numbers as the shortest text that reads back as the same float.
void WriteXyz(const BCQuasiGrid& model, std::ostream& out);
