// Inserting V-lines into a cell column and H-lines into a row, with equal or geometrically
// growing spacing; one V-line midway in a column; replacing the elevations of an H-line.
#include "editing/equasigrid.h"

#include <cmath>
#include <cstdint>

#include "editing/internal/array_rebuild.h"

namespace {

// How n new lines split a gap into n + 1 intervals: equal ones, or each q times the one before
// it starting at the left V-line or the row's top edge.
struct Spacing {
  int n;
  float q;
  float Q;  // q^(n+1), the first interval's share is (q - 1) / (Q - 1)
  bool uniform;
};

// The arguments both insertions refuse: a negative count, a ratio below 0.0001 and a gap that is
// not positive, or any of them not finite.
bool SpacingArgsValid(int n, float q, float minGap) {
  if (!std::isfinite(q) || !std::isfinite(minGap)) return false;
  return n >= 0 && !(q < 0.0001) && minGap > 0;
}

Spacing MakeSpacing(int n, float q) {
  Spacing s{n, q, q, std::fabs(q - 1.0f) < 0.0001};
  if (s.uniform) return s;
  // Once Q is 0 or infinite, further factors (all positive) leave it so.
  for (int i = 0; i < n && s.Q != 0 && !std::isinf(s.Q); ++i) s.Q *= q;
  return s;
}

// Whether a first interval d gives no interval below minGap: the smallest is d itself, or the
// last one when the intervals shrink. Not-finite spacings fail.
bool IntervalsFit(const Spacing& s, float d, float minGap) {
  if (!std::isfinite(d)) return false;
  if (!s.uniform && s.q < 1) {
    const float smallest = (s.Q / s.q) * d;
    if (!std::isfinite(smallest) || smallest < minGap) return false;
  }
  return !(d < minGap);
}

// First interval of the V-line insertion over a column of width w.
float FirstVInterval(const Spacing& s, float w) {
  if (s.uniform) return w / static_cast<float>(int64_t{s.n} + 1);
  return (s.q - 1) * w / (s.Q - 1);
}

// First interval of the H-line insertion over a row of height h.
float FirstHInterval(const Spacing& s, float h) {
  if (s.uniform) return h / static_cast<float>(int64_t{s.n} + 1);
  return h * ((s.q - 1) / (s.Q - 1));
}

// Whether the selection is exactly one full-height cell column.
bool IsOneFullColumn(const BCEQuasiGrid& g) {
  const BCSubgrid& s = g.SelSubgrid;
  return s.TopNode - s.BotNode == g.Nz - 2 && s.RightCol - s.LeftCol == 1;
}

// Whether the selection is exactly one full-width row.
bool IsOneFullRow(const BCEQuasiGrid& g) {
  const BCSubgrid& s = g.SelSubgrid;
  return s.BotNode == s.TopNode && s.LeftCol == 0 && s.RightCol == g.GetNx() - 1;
}

// Whether row r can take the new H-lines on every V-line without an interval below minGap.
bool RowTakesLines(const BCEQuasiGrid& g, int r, const Spacing& s, float minGap) {
  for (int c = g.GetNx() - 1; c >= 0; --c) {
    const int top = g.NodeIndex(c, r);
    if (!IntervalsFit(s, FirstHInterval(s, g.ZZ[top] - g.ZZ[top - 1]), minGap)) return false;
  }
  return true;
}

// The new nodes of V-line col inside the row above old row `below`, from the top down: each
// interval under the row's top edge is q times the one above it; velocities run linearly in
// elevation from the row's velocity to that of the cell below, or copy the row's velocity when
// either is 0.
void WriteRowLines(const BCEQuasiGrid& g, const Spacing& s, int col, int below, float* z,
                   float* v) {
  const int jB = g.NodeIndex(col, below);
  const int jT = jB + 1;
  const float zTop = g.ZZ[jT];
  const float vTop = g.VV[jT];
  const float vBot = g.VV[jB];
  const float h = zTop - g.ZZ[jB];
  const float grad = (vTop - vBot) / h;
  float d = FirstHInterval(s, h);
  float zAbove = zTop;
  float vel = vTop;
  for (int i = s.n - 1; i >= 0; --i) {
    z[i] = zAbove - d;
    zAbove = z[i];
    if (vBot != 0 && vel != 0) vel = vTop - (zTop - z[i]) * grad;
    v[i] = vel;
    if (!s.uniform) d = s.q * d;
  }
}

}  // namespace

int BCEQuasiGrid::InsertVLines(int n, float q, float minGap) {
  if (!SpacingArgsValid(n, q, minGap)) return 0;
  const int nx = GetNx();
  if ((int64_t{nx} + n) * Nz >= kNodeLimit) return 0;
  if (!SelSubgridFitsGrid() || !IsOneFullColumn(*this)) return 0;
  const int col = SelSubgrid.LeftCol;
  const float x0 = XX[col];
  const float w = XX[col + 1] - x0;
  const Spacing s = MakeSpacing(n, q);
  const float first = FirstVInterval(s, w);
  if (!IntervalsFit(s, first, minGap)) return 0;

  // New V-line m lies at t = (x - x0) / w of the column: elevations interpolate linearly, and
  // velocities too when both neighbouring cells have one, else the left cell's is copied.
  const auto fill = [&](int left, int count, float* x, float* z, float* v) {
    float d = first;
    float xm = x0;
    for (int m = 0; m < count; ++m) {
      if (m > 0 && !s.uniform) d = q * d;
      xm = xm + d;
      x[m] = xm;
      const float t = (xm - x0) / w;
      for (int k = 0; k < Nz; ++k) {
        const float zl = ZZ[NodeIndex(left, k)], zr = ZZ[NodeIndex(left + 1, k)];
        const float vl = VV[NodeIndex(left, k)], vr = VV[NodeIndex(left + 1, k)];
        z[m * Nz + k] = zl + (zr - zl) * t;
        v[m * Nz + k] = (vl != 0 && vr != 0) ? vl + (vr - vl) * t : vl;
      }
    }
  };
  const LineInsertion ins{col + 1, col + 1, n};
  RebuiltArrays a;
  if (!BuiltOrReported([&] { a = GrowVLines(*this, ins, fill); })) return -1;

  const BCSubgrid zoom = ZoomAfterVLineEdit(ZoomSubgrid, nx, Nz, ins);
  SwapInVLines(*this, a);
  UnselectCells();
  BCSubgrid sel = SelSubgrid;
  sel.RightCol += n;  // the n + 1 new cell columns
  Reselect(*this, sel);
  ZoomSubgrid = zoom;
  return n;
}

int BCEQuasiGrid::InsertHLines(int n, float q, float minGap) {
  if (!SpacingArgsValid(n, q, minGap)) return 0;
  if (!SelSubgridFitsGrid() || !IsOneFullRow(*this)) return 0;
  const int r = SelSubgrid.TopNode;  // on V-line 0 the node is the row of the top edge
  const int ihTop = GetIH(r);
  const Spacing s = MakeSpacing(n, q);
  if (!RowTakesLines(*this, r, s, minGap)) return 0;

  const auto fill = [&](int col, int below, int /*count*/, float* z, float* v) {
    WriteRowLines(*this, s, col, below, z, v);
  };
  const LineInsertion ins{r, r, n};
  RebuiltArrays a;
  if (!BuiltOrReported([&] { a = GrowRows(*this, ins, fill); })) return -1;

  const int oldNz = Nz;
  SwapInRows(*this, a, ins.NewTotal(oldNz));
  UnselectCells();
  ShiftHorizonsBelow(Hors, ihTop, n);
  BCSubgrid sel = SelSubgrid;
  sel.TopNode += n;  // the n + 1 new rows
  Reselect(*this, sel);
  SetZoomOrWhole(*this, RowsRebased(ZoomSubgrid, oldNz, Nz, n));
  return n;
}

bool BCEQuasiGrid::InsertVLine(int col) {
  if (col < 0 || col > GetNx() - 2) return false;
  const auto fill = [&](int left, int /*count*/, float* x, float* z, float* v) {
    WriteMidVLine(*this, left, x, z, v);
  };
  RebuiltArrays a;
  if (!BuiltOrReported([&] { a = GrowVLines(*this, LineInsertion{col + 1, col + 1, 1}, fill); })) {
    return false;
  }
  // The one edit that leaves subgrids, selection and horizons to its caller.
  const BCSubgrid whole = WholeSubgrid;
  SwapInVLines(*this, a);
  WholeSubgrid = whole;
  return true;
}

void BCEQuasiGrid::ReplaceHLine(int ih, const std::vector<float>& z) {
  const int nx = GetNx();
  if (ih < 0 || ih > Nz - 1 || z.size() < static_cast<size_t>(nx)) return;
  for (int c = 0; c < nx; ++c) ZZ[NodeIndex(c, Nz - 1 - ih)] = z[c];
}
