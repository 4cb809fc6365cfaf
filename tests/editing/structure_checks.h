// Helpers shared by the structure-edit tests: making a marked selection and checking the rules
// every edit keeps.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "editing/equasigrid.h"

// Makes s the active selection with its cells marked, as the selection gestures leave it.
inline void Select(BCQuasiGrid& g, const BCSubgrid& s) {
  g.UnselectCells();
  g.SelSubgrid = s;
  g.MarkSelSubGridCells(s);
  g.SelActive = true;
}

// The IH of every horizon, in list order.
inline std::vector<int> HorizonLines(const BCQuasiGrid& g) {
  std::vector<int> lines;
  for (const BCHor& h : g.Hors) lines.push_back(h.IH);
  return lines;
}

// The first broken rule of a consistent model, or "" when all hold: node arrays Nx x Nz,
// WholeSubgrid, strictly ascending X and elevations, horizons on existing H-lines in ascending
// order, a zoom inside the grid, and selected marks exactly on the active selection.
inline std::string BrokenRule(const BCQuasiGrid& g) {
  const int nx = g.GetNx(), nz = g.Nz;
  const size_t n = static_cast<size_t>(nx) * static_cast<size_t>(nz);
  if (g.ZZ.size() != n || g.VV.size() != n || g.CellFlags.size() != n) return "array sizes";
  if (!(g.WholeSubgrid == BCSubgrid{0, nx - 1, 1, nz - 1})) return "WholeSubgrid";
  if (std::adjacent_find(g.XX.begin(), g.XX.end(), std::greater_equal<>()) != g.XX.end())
    return "XX not ascending";
  for (int c = 0; c < nx; ++c) {
    const auto line = g.ZZ.begin() + c * nz;
    if (std::adjacent_find(line, line + nz, std::greater_equal<>()) != line + nz)
      return "ZZ not ascending on V-line " + std::to_string(c);
  }
  for (size_t k = 0; k < g.Hors.size(); ++k) {
    const int ih = g.Hors[k].IH;
    if (ih < 0 || ih > nz - 1 || (k > 0 && g.Hors[k - 1].IH >= ih)) return "horizons";
  }
  const BCSubgrid& z = g.ZoomSubgrid;
  if (z.LeftCol < 0 || z.LeftCol >= z.RightCol || z.RightCol > nx - 1 ||
      z.BotNode != z.LeftCol * nz + 1 || z.TopNode != z.LeftCol * nz + nz - 1)
    return "zoom";
  BCQuasiGrid marked = g;
  marked.UnselectCells();
  if (g.SelActive) marked.MarkSelSubGridCells(g.SelSubgrid);
  if (marked.CellFlags != g.CellFlags) return "selected marks";
  return "";
}
