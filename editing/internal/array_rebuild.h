// Rebuilding the node arrays of a grid whose lines an edit inserts or removes, in one pass, and
// the re-basing of subgrids and horizons that every such edit shares.
//
// Growing edits build the new arrays aside and swap them in, so that exhausted memory leaves the
// model exactly as it was; removals close the arrays up in place, which allocates nothing and
// cannot fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <vector>

#include "editing/internal/line_plan.h"
#include "model/quasigrid.h"

// Built once at load time, so that reporting an exhausted heap needs no allocation.
inline const AnsiString kTooThickGrid = "Memory allocation error: too thick grid.";

// Largest node count the growing edits allow (each compares with its own formula).
inline constexpr int64_t kNodeLimit = 2500000;

// The arrays of the edited grid, filled before any member of the model changes.
struct RebuiltArrays {
  std::vector<float> xx;  // built by the V-line edits only
  std::vector<float> zz;
  std::vector<float> vv;
  std::vector<unsigned char> flags;
};

// nx x nz as a node count. Node indices are int throughout, so a grid beyond their range is
// treated as exhausted memory (throws std::bad_alloc).
size_t NodeCountOrThrow(int64_t nx, int64_t nz);

// Runs a build that may run out of memory. On failure shows the grid message and returns false;
// the build must have changed nothing but its own results by then.
template <typename Build>
bool BuiltOrReported(Build&& build) {
  try {
    build();
    return true;
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  ShowError(kTooThickGrid);
  return false;
}

namespace rebuild_detail {

template <typename T>
void AppendRange(std::vector<T>& to, const std::vector<T>& from, size_t first, size_t count) {
  const auto begin = from.begin() + static_cast<std::ptrdiff_t>(first);
  to.insert(to.end(), begin, begin + static_cast<std::ptrdiff_t>(count));
}

// Appends count zero entries (the arrays are reserved, so nothing moves) and returns the first.
template <typename T>
T* AppendZeros(std::vector<T>& to, size_t count) {
  const size_t at = to.size();
  to.resize(at + count);
  return to.data() + at;
}

// Copies the nodes [first, first + count) of g to the end of a.
inline void AppendNodes(RebuiltArrays& a, const BCQuasiGrid& g, size_t first, size_t count) {
  AppendRange(a.zz, g.ZZ, first, count);
  AppendRange(a.vv, g.VV, first, count);
  AppendRange(a.flags, g.CellFlags, first, count);
}

}  // namespace rebuild_detail

// The arrays of g with the new V-lines that ins plans. fill(left, count, x, z, v) writes the X
// of count new V-lines lying between old V-lines left and left + 1, then their elevations and
// velocities, count x Nz of each, V-line after V-line. New flag bytes are 0.
template <typename FillVLines>
RebuiltArrays GrowVLines(const BCQuasiGrid& g, const LineInsertion& ins, FillVLines fill) {
  using namespace rebuild_detail;
  const int nx = g.GetNx();
  const size_t nz = static_cast<size_t>(g.Nz);
  const size_t total = NodeCountOrThrow(ins.NewTotal64(nx), g.Nz);
  const int newNx = ins.NewTotal(nx);
  RebuiltArrays a;
  a.xx.reserve(static_cast<size_t>(newNx));
  a.zz.reserve(total);
  a.vv.reserve(total);
  a.flags.reserve(total);
  const auto keep = [&](int from, int to) {  // old V-lines from..to-1
    const size_t lines = static_cast<size_t>(to - from);
    AppendRange(a.xx, g.XX, static_cast<size_t>(from), lines);
    AppendNodes(a, g, static_cast<size_t>(from) * nz, lines * nz);
  };
  const size_t added = static_cast<size_t>(ins.count);
  keep(0, ins.first);
  for (int j = ins.first; j <= ins.last; ++j) {
    float* x = AppendZeros(a.xx, added);
    float* z = AppendZeros(a.zz, added * nz);
    float* v = AppendZeros(a.vv, added * nz);
    AppendZeros(a.flags, added * nz);
    fill(j - 1, ins.count, x, z, v);
    keep(j, j + 1);
  }
  keep(ins.last + 1, nx);
  return a;
}

// The node arrays of g with the new rows that ins plans on every V-line. fill(col, below, count,
// z, v) writes the elevations and velocities of count new nodes of V-line col lying between its
// old rows below and below + 1, lowest first. New flag bytes are 0. XX is not rebuilt.
template <typename FillRows>
RebuiltArrays GrowRows(const BCQuasiGrid& g, const LineInsertion& ins, FillRows fill) {
  using namespace rebuild_detail;
  const int nx = g.GetNx();
  const size_t total = NodeCountOrThrow(nx, ins.NewTotal64(g.Nz));
  RebuiltArrays a;
  a.zz.reserve(total);
  a.vv.reserve(total);
  a.flags.reserve(total);
  const size_t added = static_cast<size_t>(ins.count);
  for (int c = 0; c < nx; ++c) {
    const size_t base = static_cast<size_t>(g.NodeIndex(c, 0));
    const auto keep = [&](int from, int to) {  // old rows from..to-1 of V-line c
      AppendNodes(a, g, base + static_cast<size_t>(from), static_cast<size_t>(to - from));
    };
    keep(0, ins.first);
    for (int k = ins.first; k <= ins.last; ++k) {
      float* z = AppendZeros(a.zz, added);
      float* v = AppendZeros(a.vv, added);
      AppendZeros(a.flags, added);
      fill(c, k - 1, ins.count, z, v);
      keep(k, k + 1);
    }
    keep(ins.last + 1, g.Nz);
  }
  return a;
}

// Swap the new arrays in and set WholeSubgrid to the new dimensions. Nothing here allocates.
void SwapInVLines(BCQuasiGrid& g, RebuiltArrays& a);
void SwapInRows(BCQuasiGrid& g, RebuiltArrays& a, int newNz);

// Close the arrays up over the V-lines or rows that rm removes and set WholeSubgrid to the new
// dimensions. In place: nothing allocates.
void RemoveVLines(BCQuasiGrid& g, const LineRemoval& rm);
void RemoveRows(BCQuasiGrid& g, const LineRemoval& rm);

// Whether s addresses cells of an nx x nz grid: 0 <= LeftCol < RightCol <= nx-1, BotNode and
// TopNode on V-line LeftCol with rows 1..nz-1, BotNode <= TopNode.
bool SubgridFits(const BCSubgrid& s, int nx, int nz);

// The zoom after a V-line edit of an oldNx-line grid (Nz unchanged): each edge V-line follows
// the edit; a removed left edge falls back to the surviving V-line left of it (at least 0), a
// removed right edge to the first surviving one right of it; the node fields keep their rows on
// the new LeftCol. A zoom that does not fit the grid, before or after, becomes the whole grid.
template <typename Plan>
BCSubgrid ZoomAfterVLineEdit(const BCSubgrid& zoom, int oldNx, int nz, const Plan& plan) {
  const int newNx = plan.NewTotal(oldNx);
  const BCSubgrid whole{0, newNx - 1, 1, nz - 1};
  if (!SubgridFits(zoom, oldNx, nz)) return whole;
  int left = zoom.LeftCol;
  while (left >= 0 && plan.Drops(left)) --left;
  int right = zoom.RightCol;
  while (right < oldNx - 1 && plan.Drops(right)) ++right;
  if (plan.Drops(right)) return whole;
  const int newLeft = left < 0 ? 0 : plan.NewIndex(left);
  const int base = newLeft * nz;
  const BCSubgrid mapped{newLeft, plan.NewIndex(right), base + zoom.BotNode % nz,
                         base + zoom.TopNode % nz};
  return SubgridFits(mapped, newNx, nz) ? mapped : whole;
}

// s with its node fields re-based for a new Nz: BotNode keeps its row, TopNode's row moves by
// topShift; both on V-line LeftCol.
BCSubgrid RowsRebased(const BCSubgrid& s, int oldNz, int newNz, int topShift);

// g's zoom as given when it fits the grid, else the whole grid.
void SetZoomOrWhole(BCQuasiGrid& g, const BCSubgrid& zoom);

// Every horizon below H-line ih (IH > ih) moves by `by` H-lines.
void ShiftHorizonsBelow(HorVect& hors, int ih, int by);

// Makes sel the active, marked selection (the old marks must be cleared already).
void Reselect(BCQuasiGrid& g, const BCSubgrid& sel);

// Writes the V-line midway between V-lines left and left + 1 of g: X and elevations are the
// means of theirs; velocities the mean of the two cells', or the left cell's next to the last
// V-line, which carries no cells of its own.
void WriteMidVLine(const BCQuasiGrid& g, int left, float* x, float* z, float* v);
