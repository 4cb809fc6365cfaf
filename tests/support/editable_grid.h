// Editable models made from the hand-built grids of the model tests.
#pragma once

#include "editing/equasigrid.h"

// An editable model holding g's data, with the remesh members idle.
BCEQuasiGrid Editable(const BCQuasiGrid& g);
