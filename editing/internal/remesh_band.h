// The remesh band of the editable model: whether a band is set that the grid can hold, and the
// node of a V-line on an H-line.
#pragma once

#include "editing/equasigrid.h"

// Node of V-line col on H-line ih (IH, 0 = top line): the arrays are column-major with the top
// node last on each V-line.
inline int NodeOnHLine(const BCEQuasiGrid& g, int col, int ih) {
  return (col + 1) * g.Nz - 1 - ih;
}

// True when a remesh is under way and its band fits the grid: 0 <= T <= B <= Nz - 2, so that
// the band's lower boundary line B + 1 exists, and the node arrays hold Nx x Nz entries. A band
// left behind by a structure edit counts as no band.
inline bool RemeshBandSet(const BCEQuasiGrid& g) {
  const size_t nodes = g.XX.size() * static_cast<size_t>(g.Nz > 0 ? g.Nz : 0);
  return g.RemeshTopLine >= 0 && g.RemeshTopLine <= g.RemeshBotLine &&
         g.RemeshBotLine <= g.Nz - 2 && g.ZZ.size() == nodes && g.VV.size() == nodes;
}

// True when the band is set and the line to replace is one the curve may move: H-line 0 in
// top-line mode, an interior line T + 1 .. B otherwise.
inline bool RemeshLineSet(const BCEQuasiGrid& g) {
  if (!RemeshBandSet(g)) return false;
  if (g.ReplaceTopLine) return g.LineToReplace == 0 && g.RemeshTopLine == 0;
  return g.LineToReplace > g.RemeshTopLine && g.LineToReplace <= g.RemeshBotLine;
}
