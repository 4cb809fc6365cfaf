// Building a starting model under a ground surface: the checks of its description, the rows
// hung from the surface and the velocities of the law, all made aside and then swapped in.
#include "editing/starting_model.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <utility>

#include "platform/environment.h"
#include "platform/strings.h"
#include "storage/modelfiler.h"

namespace {

// Built once at load time, so that reporting an exhausted heap needs no allocation.
const AnsiString kTooThickGrid = "Memory allocation error: too thick grid.";

StartingModelResult Refuse(StartingModelFault fault, int item, const AnsiString& text) {
  return StartingModelResult{fault, item, text};
}

// The first index whose value does not lie above the one before it; -1 when all do. NaN never
// ascends.
int FirstNotAscending(const std::vector<float>& x) {
  for (size_t i = 1; i < x.size(); ++i) {
    if (!(x[i] > x[i - 1])) return static_cast<int>(i);
  }
  return -1;
}

StartingModelResult CheckSurface(const TStartingModel& d) {
  if (d.SurfaceX.empty() || d.SurfaceX.size() != d.SurfaceZ.size())
    return Refuse(smBadSurface, -1,
                  FormatStr("the surface needs at least one point and as many elevations as X "
                            "positions, got %zu and %zu",
                            d.SurfaceX.size(), d.SurfaceZ.size()));
  for (size_t i = 0; i < d.SurfaceX.size(); ++i) {
    const int item = static_cast<int>(i);
    if (!std::isfinite(d.SurfaceX[i]) || !std::isfinite(d.SurfaceZ[i]))
      return Refuse(smBadSurface, item, "the surface point is not a pair of finite numbers");
    if (i > 0 && !(d.SurfaceX[i] > d.SurfaceX[i - 1]))
      return Refuse(smBadSurface, item,
                    FormatStr("x %g is not right of x %g of the point before it", d.SurfaceX[i],
                              d.SurfaceX[i - 1]));
    if (!(d.SurfaceZ[i] > d.Bottom))
      return Refuse(smBadSurface, item,
                    FormatStr("elevation %g is not above the bottom %g", d.SurfaceZ[i], d.Bottom));
  }
  return {};
}

StartingModelResult CheckLaw(const TStartingModel& d) {
  if (d.Law == vlGradient) {
    if (!std::isfinite(d.V0) || !std::isfinite(d.Gradient))
      return Refuse(smBadLaw, -1, "the velocity gradient needs finite V0 and G");
    if (d.V0 < 0)
      return Refuse(smBadVelocity, -1,
                    FormatStr("the velocity %g at the surface is negative", d.V0));
    return {};
  }
  if (d.ProfileDepth.empty() || d.ProfileDepth.size() != d.ProfileV.size())
    return Refuse(smBadLaw, -1,
                  FormatStr("the velocity-depth law needs at least one point and as many "
                            "velocities as depths, got %zu and %zu",
                            d.ProfileDepth.size(), d.ProfileV.size()));
  for (size_t i = 0; i < d.ProfileDepth.size(); ++i) {
    const int item = static_cast<int>(i);
    if (!std::isfinite(d.ProfileDepth[i]) || !std::isfinite(d.ProfileV[i]))
      return Refuse(smBadLaw, item, "the law point is not a pair of finite numbers");
    if (i == 0 && d.ProfileDepth[0] != 0)
      return Refuse(smBadLaw, 0, FormatStr("the first depth must be 0, got %g", d.ProfileDepth[0]));
    if (i > 0 && !(d.ProfileDepth[i] > d.ProfileDepth[i - 1]))
      return Refuse(smBadLaw, item,
                    FormatStr("depth %g is not below depth %g of the point before it",
                              d.ProfileDepth[i], d.ProfileDepth[i - 1]));
    if (d.ProfileV[i] < 0)
      return Refuse(smBadLaw, item, FormatStr("velocity %g is negative", d.ProfileV[i]));
  }
  return {};
}

// The X range of the V-lines: the description's own, or the surface's.
std::pair<float, float> XRange(const TStartingModel& d) {
  if (d.OwnXRange) return {d.XLeft, d.XRight};
  return {d.SurfaceX.front(), d.SurfaceX.back()};
}

// Every check that needs no arrays, in the order a user fixes them.
StartingModelResult CheckDescription(const TStartingModel& d) {
  if (d.Nx < 2 || d.Nz < 2)
    return Refuse(
        smBadSize, -1,
        FormatStr("a grid needs at least 2 V-lines and 2 H-lines, got %d and %d", d.Nx, d.Nz));
  const int64_t nodes = static_cast<int64_t>(d.Nx) * d.Nz;
  if (nodes >= kModelTableRecordLimit)
    return Refuse(smTooManyNodes, -1,
                  FormatStr("%d x %d = %lld nodes, a model table holds at most %d", d.Nx, d.Nz,
                            static_cast<long long>(nodes), kModelTableRecordLimit - 1));
  if (!std::isfinite(d.Bottom))
    return Refuse(smBadBottom, -1, "the bottom elevation is not a finite number");
  if (StartingModelResult r = CheckSurface(d); r.Fault != smBuilt) return r;
  const auto [left, right] = XRange(d);
  if (!std::isfinite(left) || !std::isfinite(right) || !(left < right))
    return Refuse(smBadRange, -1,
                  d.OwnXRange ? FormatStr("the X range %g to %g is not a finite range from left "
                                          "to right",
                                          left, right)
                              : AnsiString("a surface of one point needs an X range of its own"));
  if (!std::isfinite(d.RowRatio) || d.RowRatio < 1)
    return Refuse(smBadSpacing, -1,
                  FormatStr("the row thickness ratio must be at least 1, got %g", d.RowRatio));
  return CheckLaw(d);
}

// Elevation of the surface at x: linear between the points around x, held beyond the ends.
float SurfaceAt(const TStartingModel& d, float x) {
  const int last = static_cast<int>(d.SurfaceX.size()) - 1;
  const int i = FindInterval(d.SurfaceX, x, 0, last);
  if (i < 0) return d.SurfaceZ.front();
  if (i >= last) return d.SurfaceZ.back();
  const float x0 = d.SurfaceX[static_cast<size_t>(i)];
  const float x1 = d.SurfaceX[static_cast<size_t>(i) + 1];
  const float z0 = d.SurfaceZ[static_cast<size_t>(i)];
  const float z1 = d.SurfaceZ[static_cast<size_t>(i) + 1];
  return z0 + (z1 - z0) * ((x - x0) / (x1 - x0));
}

// Fraction of the depth range above H-line k, k = 0 (top, 0) .. nz - 1 (bottom, 1). Geometric
// rows are summed as RowRatio^(k-n) (1 - RowRatio^-k) / (1 - RowRatio^-n), whose powers never
// overflow however many rows there are.
std::vector<float> RowFractions(int nz, float ratio) {
  std::vector<float> f(static_cast<size_t>(nz));
  const int n = nz - 1;
  const double lnQ = std::log(static_cast<double>(ratio));
  for (int k = 0; k <= n; ++k) {
    double fraction = static_cast<double>(k) / n;
    if (ratio > 1 && k > 0 && k < n)
      fraction = std::exp((k - n) * lnQ) * std::expm1(-k * lnQ) / std::expm1(-n * lnQ);
    f[static_cast<size_t>(k)] = static_cast<float>(fraction);
  }
  f.back() = 1;
  return f;
}

// Velocity of the law at depth (at least 0).
float LawVelocity(const TStartingModel& d, float depth) {
  if (d.Law == vlGradient) return d.V0 + d.Gradient * depth;
  const int last = static_cast<int>(d.ProfileDepth.size()) - 1;
  const int i = FindInterval(d.ProfileDepth, depth, 0, last);
  if (i < 0) return d.ProfileV.front();
  if (i >= last) return d.ProfileV.back();
  const size_t k = static_cast<size_t>(i);
  const float d0 = d.ProfileDepth[k];
  const float v0 = d.ProfileV[k];
  return v0 + (d.ProfileV[k + 1] - v0) * ((depth - d0) / (d.ProfileDepth[k + 1] - d0));
}

// Hangs the nodes of V-line col from its surface elevation s; false when float cannot keep them
// finite and strictly descending (rows thinner than the spacing of floats at that elevation, or
// a depth range beyond float).
bool HangVLine(BCEQuasiGrid& g, int col, float s, float bottom, const std::vector<float>& frac) {
  const int nz = g.Nz;
  float* z = g.ZZ.data() + g.NodeIndex(col, 0);
  const float range = s - bottom;
  if (!std::isfinite(range)) return false;
  z[0] = bottom;
  z[nz - 1] = s;
  // izrel counts from the bottom, the fractions from the top: H-line k = nz - 1 - izrel.
  for (int izrel = 1; izrel < nz - 1; ++izrel) z[izrel] = s - range * frac[nz - 1 - izrel];
  for (int izrel = 1; izrel < nz; ++izrel) {
    if (!(z[izrel] > z[izrel - 1])) return false;
  }
  return true;
}

// A cell to which the law gives no valid velocity.
struct BadCell {
  int node = 0;
  float depth = 0;
  float velocity = 0;
};

// Sets the cells of column col (between V-lines col and col + 1) from the law; false at the
// first cell the law gives a negative or non-finite velocity, described in bad.
bool FillCellColumn(BCEQuasiGrid& g, const TStartingModel& d, int col, float sLeft, float sRight,
                    BadCell& bad) {
  const int nz = g.Nz;
  const float* zl = g.ZZ.data() + g.NodeIndex(col, 0);
  const float* zr = zl + nz;
  float* v = g.VV.data() + g.NodeIndex(col, 0);
  // The cell at izrel has its corners on rows izrel (top) and izrel - 1 (bottom).
  for (int izrel = 1; izrel < nz; ++izrel) {
    const float depth = ((sLeft - zl[izrel]) + (sRight - zr[izrel]) + (sLeft - zl[izrel - 1]) +
                         (sRight - zr[izrel - 1])) /
                        4;
    const float velocity = LawVelocity(d, depth);
    if (!(velocity >= 0) || !std::isfinite(velocity)) {
      bad = {g.NodeIndex(col, izrel), depth, velocity};
      return false;
    }
    v[izrel] = velocity;
  }
  return true;
}

// The arrays and the loader's extent and resolutions of the model of d, built in g.
StartingModelResult BuildInto(BCEQuasiGrid& g, const TStartingModel& d) {
  const auto [left, right] = XRange(d);
  // A two-row Init gives the V-lines exactly the positions of a regular model of this range;
  // the node arrays are then made at full size.
  TIniModel ini{BCFRect(left, d.SurfaceZ.front(), right, d.Bottom), d.Nx, 2, 0, 0, 0, 0, false};
  if (!g.Init(ini)) return Refuse(smOutOfMemory, -1, "out of memory");
  // A range too wide or too narrow for float gives V-lines that are not finite or do not part.
  if (FirstNotAscending(g.XX) >= 0)
    return Refuse(
        smBadRange, -1,
        FormatStr("float cannot hold %d V-lines that part from X %g to X %g", d.Nx, left, right));
  const size_t nodes = static_cast<size_t>(d.Nx) * static_cast<size_t>(d.Nz);
  g.ZZ.assign(nodes, 0.0f);
  g.VV.assign(nodes, 0.0f);
  g.CellFlags.assign(nodes, 0);
  g.Nz = d.Nz;
  std::vector<float> surface(static_cast<size_t>(d.Nx));
  for (int col = 0; col < d.Nx; ++col) surface[static_cast<size_t>(col)] = SurfaceAt(d, g.XX[col]);
  const std::vector<float> frac = RowFractions(d.Nz, d.RowRatio);

  for (int col = 0; col < d.Nx; ++col) {
    const size_t c = static_cast<size_t>(col);
    if (!HangVLine(g, col, surface[c], d.Bottom, frac))
      return Refuse(smRowsTooThin, -1,
                    FormatStr("float cannot hold strictly descending elevations on V-line %d "
                              "at X %g from the surface %g to the bottom %g",
                              col + 1, g.XX[c], surface[c], d.Bottom));
    BadCell bad;
    if (col > 0 && !FillCellColumn(g, d, col - 1, surface[c - 1], surface[c], bad))
      return Refuse(smBadVelocity, -1,
                    FormatStr("the law gives velocity %g at depth %g (the cell of column %d, "
                              "H-line %d); velocities must be finite and not negative",
                              bad.velocity, bad.depth, col, g.GetIH(bad.node) + 1));
  }
  g.TrimVelocity();

  // The extent, height and resolutions the loader derives from the saved arrays. The table
  // keeps a zero as +0, so adding +0 turns a -0 into the zero the loader will see.
  const float top = *std::max_element(surface.begin(), surface.end()) + 0.0f;
  const float bottom = d.Bottom + 0.0f;
  const float xLeft = g.XX.front() + 0.0f;
  const float xRight = g.XX.back() + 0.0f;
  g.ModelRect = BCFRect(xLeft, top, xRight, bottom);
  g.IniRect = g.ModelRect;
  g.ModelHeight = top - bottom;
  g.XRes = G2_GetCompResolution(xLeft, xRight);
  g.ZRes = G2_GetCompResolution(bottom, top);
  g.WholeSubgrid = {0, d.Nx - 1, 1, d.Nz - 1};
  g.ZoomSubgrid = g.WholeSubgrid;
  return {};
}

}  // namespace

StartingModelResult BuildStartingModel(BCEQuasiGrid& model, const TStartingModel& d) {
  if (StartingModelResult r = CheckDescription(d); r.Fault != smBuilt) return r;
  BCEQuasiGrid built;
  try {
    if (StartingModelResult r = BuildInto(built, d); r.Fault != smBuilt) return r;
  } catch (const std::bad_alloc&) {
    ShowError(kTooThickGrid);
    return Refuse(smOutOfMemory, -1, "out of memory");
  } catch (const std::length_error&) {
    ShowError(kTooThickGrid);
    return Refuse(smOutOfMemory, -1, "out of memory");
  }
  model = std::move(built);  // a fresh model: no horizons, selection or remesh; no allocation
  return {};
}
