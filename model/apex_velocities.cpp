// The fill of a selected block of cells from four corner velocities: linear in X along the top and
// bottom rows, linear in elevation down each column, blended with a horizontal interpolation.
#include "model/quasigrid.h"

#include "model/selection_bounds.h"

#include <vector>

namespace {

using Real = long double;  // the blend is computed wide; each stored velocity is a float

// The selected block: columns L..R by their left V-line, rows by their top-left nodes B..T on
// V-line L. Column k = i - L has the same rows at B + k * Nz .. T + k * Nz.
struct ApexBlock {
  int L, R, B, T, Nz;
  int Shift(int i) const { return (i - L) * Nz; }
};

// Top and bottom selected rows: linear in X between the left and right apex values.
void FillEdgeRows(BCQuasiGrid& g, const ApexBlock& b, float vtl, float vtr, float vbl, float vbr) {
  std::vector<float>& vv = g.VV;
  if (b.L == b.R) {  // one cell column: the right apexes are not used
    vv[b.T] = vtl;
    if (b.B != b.T) vv[b.B] = vbl;
    return;
  }
  const Real xl = g.XX[b.L];
  const Real xr = g.XX[b.R];
  const Real w = xr - xl;
  for (int i = b.L; i <= b.R; ++i) {
    const Real dl = g.XX[i] - xl;
    const Real dr = xr - g.XX[i];
    vv[b.T + b.Shift(i)] = static_cast<float>((vtl * dr + vtr * dl) / w);
    if (b.B != b.T) vv[b.B + b.Shift(i)] = static_cast<float>((vbl * dr + vbr * dl) / w);
  }
}

// Rows strictly between the bottom and top selected rows: linear in elevation in each column,
// weighted by the node elevations on the cells' left V-line.
void InterpolateColumns(BCQuasiGrid& g, const ApexBlock& b) {
  std::vector<float>& vv = g.VV;
  const std::vector<float>& zz = g.ZZ;
  for (int i = b.L; i <= b.R; ++i) {
    const int bot = b.B + b.Shift(i);
    const int top = b.T + b.Shift(i);
    const Real h = static_cast<Real>(zz[top]) - zz[bot];
    for (int j = bot + 1; j < top; ++j) {
      const Real v = (vv[bot] * (static_cast<Real>(zz[top]) - zz[j]) +
                      vv[top] * (static_cast<Real>(zz[j]) - zz[bot])) /
                     h;
      vv[j] = static_cast<float>(v);
    }
  }
}

// Interior cells become the mean of their vertical value and of the linear interpolation in X
// between the two edge columns' values of the same row (both already interpolated vertically).
void BlendInterior(BCQuasiGrid& g, const ApexBlock& b) {
  std::vector<float>& vv = g.VV;
  const Real xl = g.XX[b.L];
  const Real xr = g.XX[b.R];
  const Real w = xr - xl;
  const int rightShift = b.Shift(b.R);
  for (int i = b.L + 1; i < b.R; ++i) {
    const Real dl = g.XX[i] - xl;
    const Real dr = xr - g.XX[i];
    for (int m = 1; m < b.T - b.B; ++m) {
      const int j = b.B + b.Shift(i) + m;
      const float h = static_cast<float>((vv[b.B + m] * dr + vv[b.B + rightShift + m] * dl) / w);
      vv[j] = static_cast<float>((static_cast<Real>(vv[j]) + h) * 0.5L);
    }
  }
}

}  // namespace

// The copy nodes are left as they are: Init completes them, editing callers call TrimVelocity.
void BCQuasiGrid::SetApexVels(float VTopLeft, float VTopRight, float VBotLeft, float VBotRight) {
  if (!SelActive) return;
  const BCSubgrid& s = SelSubgrid;
  const ApexBlock b{s.LeftCol, s.RightCol - 1, s.BotNode, s.TopNode, Nz};
  if (!SelectionInArrays(*this) || b.R < b.L) return;
  FillEdgeRows(*this, b, VTopLeft, VTopRight, VBotLeft, VBotRight);
  if (b.T - b.B < 2) return;
  InterpolateColumns(*this, b);
  if (b.R - b.L >= 2) BlendInterior(*this, b);
}
