// The zoom window: the cell columns a view rectangle shows, always with all their rows.
#include "model/quasigrid.h"

bool BCQuasiGrid::GetZoomSubgrid(const BCFRect& r, BCSubgrid& sg) {
  if (!(r.left < r.right && r.bottom < r.top)) return false;
  const int nx = GetNx();

  // c0 stays on the V-line at or left of the window's left edge, so a partly visible column
  // is shown.
  int c0 = FindInterval(XX, r.left, 0, 0);
  if (c0 == -2 || c0 >= nx - 1) return false;
  if (c0 == -1) c0 = 0;
  // c1 moves to the V-line right of the window's right edge for the same reason.
  int c1 = FindInterval(XX, r.right, c0, nx - 1);
  c1 = c1 >= nx - 1 ? nx - 1 : c1 + 1;
  if (!(c1 > c0)) return false;

  sg = {c0, c1, c0 * Nz + 1, c0 * Nz + Nz - 1};
  return true;
}

bool BCQuasiGrid::SetZoomSubgrid(const BCFRect& r) {
  if (r == ModelRect) {
    ZoomSubgrid = WholeSubgrid;
    return true;
  }
  return GetZoomSubgrid(r, ZoomSubgrid);
}
