// The selection that the velocity edits act on: an active selection that still fits the grid.
#pragma once

#include "editing/equasigrid.h"

// True when SelActive is set and SelSubgrid addresses cells of this grid. A stale selection
// (left behind by a structure edit) counts as no selection.
inline bool SelectionInUse(const BCEQuasiGrid& g) {
  return g.SelActive && g.SelSubgridFitsGrid();
}
