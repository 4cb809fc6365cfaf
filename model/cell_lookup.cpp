// Locating the cell that holds a point, and describing a cell by its corners, velocity and
// flags.
#include "model/quasigrid.h"

// Shared edges: a point on a V-line belongs to the cell on its right, a point on an H-line to
// the cell below it.
int BCQuasiGrid::BelongsToCell(float x, float z, const BCCell cell) const {
  const float xl = XX[cell.Col];
  const float xr = XX[cell.Col + 1];
  if (!(x >= xl && x < xr)) return 0;  // written so that a NaN X lies in no column
  const int n = cell.Node;
  const float tl = ZZ[n];
  const float tr = ZZ[n + Nz];
  const float br = ZZ[n + Nz - 1];
  const float bl = ZZ[n - 1];
  if (z > tl && z > tr) return 2;
  if (z < bl && z < br) return 3;
  if (z <= tl && z <= tr && z > bl && z > br) return 1;
  // Between the corner elevations of a sloping edge: compare with the edges at x.
  const float t = (x - xl) / (xr - xl);
  const float ztop = tl + (tr - tl) * t;
  if (z > ztop) return 2;
  const float zbot = bl + (br - bl) * t;
  return z > zbot ? 1 : 3;
}

bool BCQuasiGrid::GetCell(float x, float z, BCCell& cell, SubGridKind kind) const {
  BCSubgrid sg{0, 0, 0, 0};
  if (kind == sgkWhole) sg = WholeSubgrid;
  if (kind == sgkSelection) sg = SelSubgrid;
  if (kind == sgkZoom) sg = ZoomSubgrid;
  const int nx = GetNx();
  if (nx < 2 || Nz < 2) return false;
  if (kind == sgkWhole) {
    // Points within half a resolution outside the side edges are drawn in; one on the right
    // edge is moved just left of it, into the last column.
    const float tol = 0.5f * XRes;
    const float xFirst = XX[0];
    const float xLast = XX[nx - 1];
    if (x < xFirst && x >= xFirst - tol) x = xFirst;
    if (x >= xLast && x <= xLast + tol) x = xLast - tol;
  }
  const int col = FindInterval(XX, x, sg.LeftCol, sg.RightCol);
  if (col < 0 || col >= sg.RightCol) return false;
  const int botRow = sg.BotNode % Nz;
  const int topRow = sg.TopNode % Nz;
  if (botRow < 1 || topRow < botRow) return false;  // no cell rows
  const int lo = col * Nz + botRow;
  const int hi = col * Nz + topRow;
  // First guess from the node elevations on the left V-line; the cell edges may slope, so the
  // guess can be a cell off and is walked up or down.
  const int k = FindInterval(ZZ, z, lo - 1, hi);
  int guess = k <= lo - 1 ? lo : (k >= hi ? hi : k + 1);
  // Each test moves one way or ends; a cell count bounds the walk even on crossing H-lines.
  for (int tests = hi - lo + 1; tests > 0; --tests) {
    cell = {col, guess};
    switch (BelongsToCell(x, z, cell)) {
      case 1:
        return true;
      case 2:
        if (guess == hi) return false;
        ++guess;
        break;
      case 3:
        if (guess == lo) return false;
        --guess;
        break;
      default:
        return false;
    }
  }
  return false;
}

bool BCQuasiGrid::GetCellInfo(BCCellInfo& info, bool /*withFix*/) const {
  BCCell cell;
  if (!GetCell(info.X, info.Z, cell, sgkZoom)) return false;
  info.Node = cell.Node;
  info.Col = cell.Col + 1;
  info.HLine = GetIH(cell.Node) + 1;
  info.V = VV[cell.Node];
  info.Fixed = 0.0f;
  return true;
}

void BCQuasiGrid::GetDrawCell(const BCCell& cell, BCDrawCell& dc) const {
  const int n = cell.Node;
  const float xl = XX[cell.Col];
  const float xr = XX[cell.Col + 1];
  // Only X and Z of each corner are written; the third value stays the caller's.
  dc.TopLeft.x = xl;
  dc.TopLeft.z = ZZ[n];
  dc.TopRight.x = xr;
  dc.TopRight.z = ZZ[n + Nz];
  dc.BotRight.x = xr;
  dc.BotRight.z = ZZ[n + Nz - 1];
  dc.BotLeft.x = xl;
  dc.BotLeft.z = ZZ[n - 1];
  dc.V = VV[n];
  dc.Node = n;
  dc.Selected = (CellFlags[n] & kCellSelected) != 0;
  dc.Fixed = false;
}

// Through the virtual GetDrawCell, so that a derived model fills its own fields.
void BCQuasiGrid::CellInfoToDrawCell(const BCCellInfo& info, BCDrawCell& dc) {
  GetDrawCell(BCCell{info.Col - 1, info.Node}, dc);
}

BCFPoint BCQuasiGrid::GetCellTopLeft(int node) const {
  return BCFPoint(XX[node / Nz], ZZ[node], 0);
}

BCFPoint BCQuasiGrid::GetCellTopLeft(int col, int row) const {
  return GetCellTopLeft(GetAbsIndex(TPoint(col, row)));
}

// Marks one more cell without touching SelSubgrid, so repeated calls collect single cells.
bool BCQuasiGrid::SelectCell(BCFPoint p) {
  BCCell cell;
  if (!GetCell(p.x, p.z, cell, sgkWhole)) return false;
  SelActive = true;
  CellFlags[cell.Node] |= kCellSelected;
  return true;
}

bool BCQuasiGrid::GotInSelection(const BCCellInfo& info) const {
  return (CellFlags[info.Node] & kCellSelected) != 0;
}
