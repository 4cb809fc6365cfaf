// Extents of one cell, the drag handle and top line of the selection, and the check that
// velocity does not drop with depth.
#include "editing/equasigrid.h"

#include <algorithm>

namespace {

// Elevation at fraction t of the way from node a to the node of the same row on the next V-line.
float RowAt(const std::vector<float>& zz, int a, int nz, float t) {
  return zz[a] + (zz[a + nz] - zz[a]) * t;
}

}  // namespace

void BCEQuasiGrid::GetCellXRange(int col, float& x1, float& x2) const {
  x1 = XX[col - 1];
  x2 = XX[col];
}

void BCEQuasiGrid::GetCellZRange(const BCCellInfo& info, float& zBot, float& zTop) const {
  const int n = info.Node;
  const int c = info.Col;  // 1-based: the cell lies between V-lines c - 1 and c
  const float t = (info.X - XX[c - 1]) / (XX[c] - XX[c - 1]);
  zBot = RowAt(ZZ, n - 1, Nz, t);
  zTop = RowAt(ZZ, n, Nz, t);
}

void BCEQuasiGrid::GetSelSGDragPoint(float& x, float& zMid, float& zTop, float& zBot) const {
  if (!SelSubgridFitsGrid()) return;
  int left = SelSubgrid.LeftCol;
  int right = SelSubgrid.RightCol;
  if (!(ZoomSubgrid == WholeSubgrid)) {
    // Only the part of the selection inside the zoom window is on screen.
    if (left < ZoomSubgrid.LeftCol && ZoomSubgrid.LeftCol < right) left = ZoomSubgrid.LeftCol;
    if (left < ZoomSubgrid.RightCol && ZoomSubgrid.RightCol < right) right = ZoomSubgrid.RightCol;
  }
  x = (XX[left] + XX[right]) * 0.5f;
  // The midpoint of two neighbouring X may round onto XX[right]; the interval must keep a V-line
  // to its right.
  const int k = std::clamp(FindInterval(XX, x, left, right), left, right - 1);
  const float t = (x - XX[k]) / (XX[k + 1] - XX[k]);
  zTop = RowAt(ZZ, NodeIndex(k, GetIZrel(SelSubgrid.TopNode)), Nz, t);
  // The line under the selection's lowest row.
  zBot = RowAt(ZZ, NodeIndex(k, GetIZrel(SelSubgrid.BotNode) - 1), Nz, t);
  zMid = (zTop + zBot) * 0.5f;
}

int BCEQuasiGrid::GetSelSubgridTop() {
  if (!SelSubgridFitsGrid()) return -1;
  return GetIH(SelSubgrid.TopNode);
}

bool BCEQuasiGrid::CheckVelocityIncrease(BCCellInfo& info, int col) {
  const int nx = GetNx();
  if (col < 0 || col > nx - 1) return true;
  const float minRes = GetVelMinRes();
  const int first = col == 0 ? 0 : col - 1;
  const int last = col == 0 ? nx - 2 : col - 1;
  for (int c = first; c <= last; ++c) {
    // From the top cell down; the bottom cell (izrel 1) has only a copy node below it.
    for (int j = Nz - 2; j >= 1; --j) {
      const int n = NodeIndex(c, j);
      if (!(VV[n + 1] > VV[n] + minRes)) continue;  // NaN on either side passes
      info.X = XX[c];
      info.Z = ZZ[n];
      info.Node = n;
      info.Col = c + 1;
      info.HLine = GetIH(n) + 1;
      info.V = VV[n];
      info.Fixed = (CellFlags[n] & kCellFixed) ? 1.0f : 0.0f;
      return false;
    }
  }
  return true;
}
