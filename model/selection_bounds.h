// A guard shared by the operations that walk the selected block of cells.
#pragma once

#include <algorithm>
#include <cstdint>

#include "model/quasigrid.h"

// True when every node that the selection's columns and rows address lies inside the arrays.
// The selection operations keep SelSubgrid inside the grid; this only stops a stale one from
// reaching past the arrays. A selection without columns addresses BotNode alone.
inline bool SelectionInArrays(const BCQuasiGrid& g) {
  const BCSubgrid& s = g.SelSubgrid;
  const int64_t nz = g.Nz;
  const int64_t nx = g.GetNx();
  const int64_t total = nx * nz;
  if (s.BotNode < 0 || s.BotNode >= total) return false;
  if (s.RightCol <= s.LeftCol) return true;
  const int64_t lastColumnShift = (static_cast<int64_t>(s.RightCol) - 1 - s.LeftCol) * nz;
  return s.LeftCol >= 0 && s.RightCol <= nx - 1 && s.TopNode >= 0 &&
         std::max(s.BotNode, s.TopNode) + lastColumnShift < total;
}
