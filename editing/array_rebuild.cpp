// The non-template half of the line rebuild: swapping built arrays in, closing arrays up in
// place, and the subgrid, horizon and selection bookkeeping shared by the structure edits.
#include "editing/internal/array_rebuild.h"

#include <climits>
#include <cstring>

namespace {

// Moves the old lines that rm keeps, each `width` entries long, to the front of data in their
// order. Destinations never lie after their sources, so a forward move is safe.
template <typename T>
void CloseUp(std::vector<T>& data, size_t offset, int oldLines, size_t width, const LineRemoval& rm,
             size_t& to) {
  const auto move = [&](int from, int end) {  // old lines from..end-1
    if (end <= from) return;
    const size_t count = static_cast<size_t>(end - from) * width;
    T* const base = data.data();
    std::memmove(base + to, base + offset + static_cast<size_t>(from) * width, count * sizeof(T));
    to += count;
  };
  int from = 0;
  for (int j = rm.first; j <= rm.last; j += rm.step) {
    move(from, j);
    from = j + 1;
  }
  move(from, oldLines);
}

template <typename T>
void RemoveRowsFrom(std::vector<T>& data, int nx, int nz, const LineRemoval& rm) {
  size_t to = 0;
  for (int c = 0; c < nx; ++c) {
    CloseUp(data, static_cast<size_t>(c) * static_cast<size_t>(nz), nz, 1, rm, to);
  }
  data.resize(to);
}

template <typename T>
void RemoveVLinesFrom(std::vector<T>& data, int nx, size_t width, const LineRemoval& rm) {
  size_t to = 0;
  CloseUp(data, 0, nx, width, rm, to);
  data.resize(to);
}

}  // namespace

size_t NodeCountOrThrow(int64_t nx, int64_t nz) {
  if (nx < 0 || nz < 0 || nx > INT_MAX || nz > INT_MAX || nx * nz > INT_MAX) {
    throw std::bad_alloc();
  }
  return static_cast<size_t>(nx * nz);
}

void SwapInVLines(BCQuasiGrid& g, RebuiltArrays& a) {
  g.XX.swap(a.xx);
  g.ZZ.swap(a.zz);
  g.VV.swap(a.vv);
  g.CellFlags.swap(a.flags);
  g.WholeSubgrid.RightCol = g.GetNx() - 1;
}

void SwapInRows(BCQuasiGrid& g, RebuiltArrays& a, int newNz) {
  g.ZZ.swap(a.zz);
  g.VV.swap(a.vv);
  g.CellFlags.swap(a.flags);
  g.Nz = newNz;
  g.WholeSubgrid.TopNode = newNz - 1;
}

void RemoveVLines(BCQuasiGrid& g, const LineRemoval& rm) {
  const int nx = g.GetNx();
  const size_t nz = static_cast<size_t>(g.Nz);
  RemoveVLinesFrom(g.XX, nx, 1, rm);
  RemoveVLinesFrom(g.ZZ, nx, nz, rm);
  RemoveVLinesFrom(g.VV, nx, nz, rm);
  RemoveVLinesFrom(g.CellFlags, nx, nz, rm);
  g.WholeSubgrid.RightCol = g.GetNx() - 1;
}

void RemoveRows(BCQuasiGrid& g, const LineRemoval& rm) {
  const int nx = g.GetNx();
  RemoveRowsFrom(g.ZZ, nx, g.Nz, rm);
  RemoveRowsFrom(g.VV, nx, g.Nz, rm);
  RemoveRowsFrom(g.CellFlags, nx, g.Nz, rm);
  g.Nz = rm.NewTotal(g.Nz);
  g.WholeSubgrid.TopNode = g.Nz - 1;
}

bool SubgridFits(const BCSubgrid& s, int nx, int nz) {
  if (nz < 2 || s.LeftCol < 0 || s.LeftCol >= s.RightCol || s.RightCol > nx - 1) return false;
  const int64_t base = static_cast<int64_t>(s.LeftCol) * nz;  // row 0 of V-line LeftCol
  const auto rowOnLeftCol = [&](int node) { return node > base && node < base + nz; };
  return rowOnLeftCol(s.BotNode) && rowOnLeftCol(s.TopNode) && s.BotNode <= s.TopNode;
}

BCSubgrid RowsRebased(const BCSubgrid& s, int oldNz, int newNz, int topShift) {
  const int base = s.LeftCol * newNz;
  return {s.LeftCol, s.RightCol, base + s.BotNode % oldNz, base + s.TopNode % oldNz + topShift};
}

void SetZoomOrWhole(BCQuasiGrid& g, const BCSubgrid& zoom) {
  g.ZoomSubgrid = SubgridFits(zoom, g.GetNx(), g.Nz) ? zoom : g.WholeSubgrid;
}

void ShiftHorizonsBelow(HorVect& hors, int ih, int by) {
  for (BCHor& h : hors) {
    if (h.IH > ih) h.IH += by;
  }
}

void Reselect(BCQuasiGrid& g, const BCSubgrid& sel) {
  g.SelSubgrid = sel;
  g.MarkSelSubGridCells(g.SelSubgrid);
  g.SelActive = true;
}

void WriteMidVLine(const BCQuasiGrid& g, int left, float* x, float* z, float* v) {
  const bool last = left == g.GetNx() - 2;
  *x = (g.XX[left] + g.XX[left + 1]) * 0.5f;
  for (int k = 0; k < g.Nz; ++k) {
    const int l = g.NodeIndex(left, k);
    const int r = l + g.Nz;  // the same row on the right neighbour
    z[k] = (g.ZZ[r] + g.ZZ[l]) * 0.5f;
    v[k] = last ? g.VV[l] : (g.VV[r] + g.VV[l]) * 0.5f;
  }
}
