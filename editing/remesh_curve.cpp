// The remesh curve: where it may be drawn, snapping and time-to-depth for its points, its checks
// against the band, and the move of the band's H-lines onto it.
#include "editing/equasigrid.h"

#include "editing/internal/remesh_band.h"

#include <cassert>
#include <cmath>

bool BCEQuasiGrid::CanAppendRemeshCurve(int hline, bool allowTopLine) {
  if (!RemeshBandSet(*this)) return false;
  const int h = hline - 1;
  if (h < RemeshTopLine || h > RemeshBotLine) return false;
  return h != RemeshTopLine || allowTopLine || ReplaceTopLine;
}

BCFPoint BCEQuasiGrid::GetRemeshPoint(int col, int hline, bool mid) {
  const int n = GetAbsIndex(TPoint(col, hline));
  assert(col >= 1 && col <= GetNx() && hline >= 1 && hline <= Nz && (!mid || hline < Nz));
  // The middle of the V-line segment from the node down to the one below it.
  const float z = mid ? (ZZ[n - 1] + ZZ[n]) * 0.5f : ZZ[n];
  return BCFPoint(XX[col - 1], z, 0);
}

namespace {

// A grid point that a curve point may snap to, with the outputs of MapForRemesh that name it.
struct SnapCandidate {
  float x;
  float z;
  bool mid;
  int col;    // 1-based V-line number
  int hline;  // 1-based H-line number
  bool excluded;
};

double SquaredDistance(const SnapCandidate& c, const BCFPoint& p) {
  const double dx = double(c.x) - p.x;
  const double dz = double(c.z) - p.z;
  return dx * dx + dz * dz;
}

}  // namespace

bool BCEQuasiGrid::MapForRemesh(const BCFPoint& p, int& col, int& hline, bool& mid) {
  BCCell cell;
  if (!GetCell(p.x, p.z, cell, sgkWhole)) return false;
  const int r = GetIH(cell.Node) + 1;  // 1-based numbers of the cell's top line and left V-line
  const int k = cell.Col + 1;
  if (r - 1 < RemeshTopLine || r - 1 > RemeshBotLine) return false;
  // The line the curve is being drawn on decides which nodes it may not snap to: the band's top
  // line (unless it is replaced) and the line under the band.
  const int e = hline - 1;
  const bool noTop = e == RemeshTopLine && !ReplaceTopLine;
  const bool noBottom = e == RemeshBotLine;
  const bool lastColumn = cell.Col == GetNx() - 2;  // no V-line right of it to snap to
  const int n = cell.Node;
  const float xl = XX[cell.Col];
  const float xr = XX[cell.Col + 1];
  const SnapCandidate candidates[] = {
      {xl, (ZZ[n - 1] + ZZ[n]) * 0.5f, true, k, r, false},
      {xl, ZZ[n], false, k, r, noTop},
      {xl, ZZ[n - 1], false, k, r + 1, noBottom},
      {xr, (ZZ[n + Nz - 1] + ZZ[n + Nz]) * 0.5f, true, k + 1, r, lastColumn},
      {xr, ZZ[n + Nz], false, k + 1, r, noTop || lastColumn},
      {xr, ZZ[n + Nz - 1], false, k + 1, r + 1, noBottom || lastColumn},
  };
  const SnapCandidate* best = &candidates[0];
  double bestDistance = SquaredDistance(*best, p);
  for (const SnapCandidate& c : candidates) {
    if (c.excluded) continue;
    const double d = SquaredDistance(c, p);
    if (d < bestDistance) {  // strictly closer: a tie keeps the lower candidate
      best = &c;
      bestDistance = d;
    }
  }
  mid = best->mid;
  col = best->col;
  hline = best->hline;
  return true;
}

bool BCEQuasiGrid::CalcZ0(BCFPoint& p, float t, float& z0) {
  if (!(t > 0)) return false;
  const float h = t * 0.5f;  // t is a two-way time
  BCCell cell;
  if (!GetCell(p.x, p.z, cell, sgkWhole)) return false;
  const int base = NodeIndex(cell.Col, 0);
  float z = p.z;
  float acc = 0;
  // Down the left V-line, cell by cell: the time from z to the cell's lower H-line.
  for (int n = cell.Node; n > base; --n) {
    const float v = VV[n];
    if (!(v > 0) || !std::isfinite(v)) return false;
    acc = acc + (z - ZZ[n - 1]) / v;
    if (acc < h) {
      z = ZZ[n - 1];
    } else if (acc > h) {
      z0 = ZZ[n - 1] + v * (acc - h);  // back up by the time overshot
      return true;
    } else if (acc == h) {
      z0 = ZZ[n - 1];
      return true;
    } else {
      return false;  // NaN
    }
  }
  return false;
}

bool BCEQuasiGrid::CurveInsideRemeshBand(float* curve) {
  if (!RemeshBandSet(*this) || curve == nullptr) return false;
  for (int c = 0; c < GetNx(); ++c) {
    const float y = curve[c];
    if (ReplaceTopLine ? !(y <= IniRect.top) : !(y < ZZ[NodeOnHLine(*this, c, RemeshTopLine)])) {
      return false;
    }
    if (!(y > ZZ[NodeOnHLine(*this, c, RemeshBotLine + 1)])) return false;
  }
  return true;
}

bool BCEQuasiGrid::CurveMeetsResolution(float* curve, float res) {
  if (!RemeshLineSet(*this) || curve == nullptr) return false;
  const int t = RemeshTopLine;
  const int l = LineToReplace;
  const int b = RemeshBotLine;
  for (int c = 0; c < GetNx(); ++c) {
    const float y = curve[c];
    if (!std::isfinite(y)) return false;
    const float zT = ZZ[NodeOnHLine(*this, c, t)];
    const float zL = ZZ[NodeOnHLine(*this, c, l)];
    const float zU = ZZ[NodeOnHLine(*this, c, b + 1)];
    // A factor below 1 compresses that part of the band; every line in it must keep res from
    // the boundary it is pressed towards. Written so that NaN fails.
    if (!ReplaceTopLine) {
      const float kA = (zT - y) / (zT - zL);
      if (kA < 1.0f) {
        for (int h = t + 1; h <= l; ++h) {
          if (!((zT - ZZ[NodeOnHLine(*this, c, h)]) * kA >= res)) return false;
        }
      }
    }
    const float kB = (y - zU) / (zL - zU);
    if (kB < 1.0f) {
      for (int h = l; h <= b; ++h) {
        if (!((ZZ[NodeOnHLine(*this, c, h)] - zU) * kB >= res)) return false;
      }
    }
  }
  return true;
}

void BCEQuasiGrid::DoRemesh(float* curve) {
  if (!RemeshLineSet(*this) || curve == nullptr) return;
  const int t = RemeshTopLine;
  const int l = LineToReplace;
  const int b = RemeshBotLine;
  for (int c = 0; c < GetNx(); ++c) {
    const float y = curve[c];
    const int nT = NodeOnHLine(*this, c, t);
    const int nL = NodeOnHLine(*this, c, l);
    const int nU = NodeOnHLine(*this, c, b + 1);
    const float zT = ZZ[nT];
    const float zL = ZZ[nL];
    const float zU = ZZ[nU];
    // Lines between T and L keep their share of the distance from H-line T, now to the curve.
    if (!ReplaceTopLine && l - t >= 2) {
      const float kA = (zT - y) / (zT - zL);
      for (int n = nL + 1; n < nT; ++n) ZZ[n] = zT - (zT - ZZ[n]) * kA;
    }
    // Lines between L and B + 1 keep theirs from H-line B + 1.
    if (l < b) {
      const float kB = (y - zU) / (zL - zU);
      for (int n = nU + 1; n < nL; ++n) ZZ[n] = zU + (ZZ[n] - zU) * kB;
    }
    ZZ[nL] = y;
  }
}
