// Helpers of the structure-edit tests: a marked selection, horizon lines, and the rules every
// edit keeps.
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

inline std::vector<int> HorizonLines(const BCQuasiGrid& g) {
  std::vector<int> lines;
  for (const BCHor& h : g.Hors) lines.push_back(h.IH);
  return lines;
}

// The first broken rule, or "": arrays of Nx x Nz, WholeSubgrid, strictly ascending X and
// elevations, ascending horizons on existing H-lines, a full-height zoom inside the grid, and
// selected marks exactly on the active selection.
inline std::string BrokenRule(const BCQuasiGrid& g) {
  const int nx = g.GetNx(), nz = g.Nz;
  const size_t n = static_cast<size_t>(nx * nz);
  if (g.ZZ.size() != n || g.VV.size() != n || g.CellFlags.size() != n) return "sizes";
  if (!(g.WholeSubgrid == BCSubgrid{0, nx - 1, 1, nz - 1})) return "WholeSubgrid";
  const auto ascending = [](auto first, auto last) {
    return std::adjacent_find(first, last, std::greater_equal<>()) == last;
  };
  if (!ascending(g.XX.begin(), g.XX.end())) return "XX";
  for (int c = 0; c < nx; ++c) {
    if (!ascending(g.ZZ.begin() + c * nz, g.ZZ.begin() + (c + 1) * nz)) return "ZZ";
  }
  const std::vector<int> hors = HorizonLines(g);
  if (!ascending(hors.begin(), hors.end()) || (!hors.empty() && (hors[0] < 0 || hors.back() >= nz)))
    return "horizons";
  const BCSubgrid& z = g.ZoomSubgrid;
  if (z.LeftCol < 0 || z.LeftCol >= z.RightCol || z.RightCol > nx - 1 ||
      z.BotNode != z.LeftCol * nz + 1 || z.TopNode != z.LeftCol * nz + nz - 1)
    return "zoom";
  BCQuasiGrid marked = g;
  marked.UnselectCells();
  if (g.SelActive) marked.MarkSelSubGridCells(g.SelSubgrid);
  return marked.CellFlags == g.CellFlags ? "" : "marks";
}
