// Doubling the selected cell columns or rows: a new line through the middle of each.
#include "editing/equasigrid.h"

#include <cstdint>

#include "editing/internal/array_rebuild.h"

namespace {

// Result codes of DoubleColumns and DoubleRows.
constexpr int kDoubled = 0;
constexpr int kTooThin = 1;  // also: a stale selection or a gap that is not a number
constexpr int kOutOfMemory = 2;
constexpr int kTooLarge = 3;

// Whether a cell of this width or height can be halved: written so that a NaN fails.
bool Splittable(float size, float minGap) {
  return size > minGap * 2.0f;
}

bool ColumnsSplittable(const BCEQuasiGrid& g, float minGap) {
  for (int i = g.SelSubgrid.LeftCol; i < g.SelSubgrid.RightCol; ++i) {
    if (!Splittable(g.XX[i + 1] - g.XX[i], minGap)) return false;
  }
  return true;
}

bool RowsSplittable(const BCEQuasiGrid& g, int bot, int top, float minGap) {
  for (int c = g.GetNx() - 1; c >= 0; --c) {
    for (int k = top; k >= bot; --k) {
      const int j = g.NodeIndex(c, k);
      if (!Splittable(g.ZZ[j] - g.ZZ[j - 1], minGap)) return false;
    }
  }
  return true;
}

// Horizons inside the doubled band spread apart, one new H-line under each selected H-line from
// ihT on; the ones below the band move down by all the new lines.
void SpreadHorizons(HorVect& hors, int ihT, int ihB) {
  for (BCHor& h : hors) {
    if (h.IH > ihB) {
      h.IH += ihB - ihT + 1;
    } else if (h.IH > ihT) {
      h.IH += h.IH - ihT;
    }
  }
}

}  // namespace

int BCEQuasiGrid::DoubleColumns(float minGap) {
  if (!SelSubgridFitsGrid()) return kTooThin;
  const int nx = GetNx();
  const int left = SelSubgrid.LeftCol;
  const int right = SelSubgrid.RightCol;
  if ((int64_t{nx} + int64_t{right - left} * 2) * Nz > kNodeLimit) return kTooLarge;
  if (!ColumnsSplittable(*this, minGap)) return kTooThin;

  // A new V-line in the middle of every selected column i, between V-lines i and i + 1.
  const auto fill = [&](int i, int /*count*/, float* x, float* z, float* v) {
    WriteMidVLine(*this, i, x, z, v);
  };
  const LineInsertion ins{left + 1, right, 1};
  RebuiltArrays a;
  if (!BuiltOrReported([&] { a = GrowVLines(*this, ins, fill); })) return kOutOfMemory;

  const BCSubgrid zoom = ZoomAfterVLineEdit(ZoomSubgrid, nx, Nz, ins);
  SwapInVLines(*this, a);
  UnselectCells();
  BCSubgrid sel = SelSubgrid;
  sel.RightCol += right - left;  // LeftCol and the rows stay
  Reselect(*this, sel);
  ZoomSubgrid = zoom;
  return kDoubled;
}

int BCEQuasiGrid::DoubleRows(float minGap) {
  if (!SelSubgridFitsGrid()) return kTooThin;
  // The rows of the selection, taken over the full width whatever its columns.
  const int bot = GetIZrel(SelSubgrid.BotNode);
  const int top = GetIZrel(SelSubgrid.TopNode);
  if (int64_t{GetNx()} * (Nz + int64_t{top - bot} * 2) > kNodeLimit) return kTooLarge;
  if (!RowsSplittable(*this, bot, top, minGap)) return kTooThin;

  // The new node under old row k is the top-left node of the row's lower half: the upper half
  // keeps the row's velocity, the lower half takes the mean with the cell below, or the row's
  // own velocity in the model's bottom row, which has no cell below.
  const auto fill = [&](int col, int below, int /*count*/, float* z, float* v) {
    const int j = NodeIndex(col, below + 1);
    *z = (ZZ[j - 1] + ZZ[j]) * 0.5f;
    *v = (bot == 1 && below + 1 == bot) ? VV[j] : (VV[j - 1] + VV[j]) * 0.5f;
  };
  const LineInsertion ins{bot, top, 1};
  RebuiltArrays a;
  if (!BuiltOrReported([&] { a = GrowRows(*this, ins, fill); })) return kOutOfMemory;

  const int oldNz = Nz;
  const int count = top - bot + 1;
  SpreadHorizons(Hors, GetIH(top), GetIH(bot));
  SwapInRows(*this, a, oldNz + count);
  UnselectCells();
  Reselect(*this, RowsRebased(SelSubgrid, oldNz, Nz, count));
  SetZoomOrWhole(*this, RowsRebased(ZoomSubgrid, oldNz, Nz, count));
  return kDoubled;
}
