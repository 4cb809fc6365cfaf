// Vertical moves of H-lines: one H-line across the model, and the selected subgrid moved as a
// block or stretched with one edge held, each beside its feasibility test.
#include "editing/equasigrid.h"

#include <algorithm>
#include <cmath>

namespace {

// A run of rows on one V-line between a held line and a line moved by dz. The rows in between
// keep their relative position: their distances to the held line scale by newHeight / height.
struct Run {
  int held;   // row (izrel) that stays
  int moved;  // row that moves by dz; equal to held for a run that does not exist

  bool MovedIsAbove() const { return moved > held; }
  // Distance between the two end lines before the move.
  float Height(const float* z) const {
    return MovedIsAbove() ? z[moved] - z[held] : z[held] - z[moved];
  }
  float NewHeight(float height, float dz) const {
    return MovedIsAbove() ? height + dz : height - dz;
  }
};

// Whether every spacing of the run, scaled as the move scales it, keeps at least minGap. A NaN
// anywhere fails.
bool RunKeepsGap(const float* z, const Run& run, float dz, float minGap) {
  const float h = run.Height(z);
  const float newH = run.NewHeight(h, dz);
  if (!(newH >= minGap)) return false;
  const float s = newH / h;
  const int top = std::max(run.held, run.moved);
  const int bottom = std::min(run.held, run.moved);
  for (int k = top; k > bottom; --k) {
    if (!((z[k] - z[k - 1]) * s >= minGap)) return false;
  }
  return true;
}

// Rescales the rows strictly between the run's ends; the end lines themselves stay.
void RescaleRun(float* z, const Run& run, float dz) {
  const float zh = z[run.held];
  const float h = run.Height(z);
  const float newH = run.NewHeight(h, dz);
  if (run.MovedIsAbove()) {
    for (int k = run.held + 1; k < run.moved; ++k) z[k] = zh + (z[k] - zh) * newH / h;
  } else {
    for (int k = run.moved + 1; k < run.held; ++k) z[k] = zh - (zh - z[k]) * newH / h;
  }
}

// Moves the elevations in [first, last) by dz.
void ShiftRows(float* first, const float* last, float dz) {
  for (; first != last; ++first) *first += dz;
}

enum class SubgridMove { kBlock, kBotFixed, kTopFixed };

// What a subgrid move does on each touched V-line: the rows it shifts by dz and the two runs it
// rescales around them. Its test checks the run that the move compresses: the upper one when
// the lines go up, the lower one when they go down.
struct SubgridMoveGeometry {
  Run upper;
  Run lower;
  int shiftBot;  // rows shiftBot..shiftTop move by dz
  int shiftTop;
  bool upperOnTop;     // the upper edge moves and lies on the model's top line
  bool lowerOnBottom;  // the lower edge moves and lies on the model's bottom line

  SubgridMoveGeometry(SubgridMove kind, const BCSubgrid& sel, int nz) {
    const int top = nz - 1;
    const int it = sel.TopNode % nz;      // the selection's upper edge
    const int lb = sel.BotNode % nz - 1;  // its lower edge
    switch (kind) {
      case SubgridMove::kBlock:  // both edges move; the lower edge rides in the lower run
        upper = {top, it};
        lower = {0, lb + 1};
        shiftBot = lb + 1;
        shiftTop = it;
        upperOnTop = it == top;
        lowerOnBottom = lb == 0;
        break;
      case SubgridMove::kBotFixed:  // the upper edge moves
        upper = {top, it};
        lower = {lb, it};
        shiftBot = shiftTop = it;
        upperOnTop = it == top;
        lowerOnBottom = false;
        break;
      case SubgridMove::kTopFixed:  // the lower edge moves
        upper = {it, lb};
        lower = {0, lb};
        shiftBot = shiftTop = lb;
        upperOnTop = false;
        lowerOnBottom = lb == 0;
        break;
    }
  }
};

bool CanMoveSubgrid(const BCEQuasiGrid& g, SubgridMove kind, float dz, float minGap) {
  if (!g.SelSubgridFitsGrid() || !std::isfinite(dz) || !std::isfinite(minGap)) return false;
  if (dz == 0) return true;
  const SubgridMoveGeometry geo(kind, g.SelSubgrid, g.Nz);
  // An edge on the model's boundary cannot go beyond it, whatever the spacings.
  if ((dz > 0 && geo.upperOnTop) || (dz < 0 && geo.lowerOnBottom)) return false;
  const Run& compressed = dz > 0 ? geo.upper : geo.lower;
  for (int c = g.SelSubgrid.LeftCol; c <= g.SelSubgrid.RightCol; ++c) {
    if (!RunKeepsGap(&g.ZZ[g.NodeIndex(c, 0)], compressed, dz, minGap)) return false;
  }
  return true;
}

void MoveSubgrid(BCEQuasiGrid& g, SubgridMove kind, float dz) {
  if (dz == 0 || !std::isfinite(dz) || !g.SelSubgridFitsGrid()) return;
  const SubgridMoveGeometry geo(kind, g.SelSubgrid, g.Nz);
  // The model's top and bottom lines stay, so an edge on them moves in neither direction.
  if (geo.upperOnTop || geo.lowerOnBottom) return;
  for (int c = g.SelSubgrid.LeftCol; c <= g.SelSubgrid.RightCol; ++c) {
    float* z = &g.ZZ[g.NodeIndex(c, 0)];
    // Both runs scale from the elevations before the shift.
    RescaleRun(z, geo.upper, dz);
    RescaleRun(z, geo.lower, dz);
    ShiftRows(z + geo.shiftBot, z + geo.shiftTop + 1, dz);
  }
  // Rows have moved under the zoom window: it shows every row of its columns again.
  BCSubgrid& zoom = g.ZoomSubgrid;
  zoom.BotNode = g.NodeIndex(zoom.LeftCol, 1);
  zoom.TopNode = g.NodeIndex(zoom.LeftCol, g.Nz - 1);
}

}  // namespace

bool BCEQuasiGrid::CanMoveHLine(int ih, float dz, float minGap) const {
  if (ih < 0 || ih >= Nz || !std::isfinite(dz) || !std::isfinite(minGap)) return false;
  if (dz == 0) return true;
  const int izrel = Nz - 1 - ih;
  // The top line has no neighbour above, the bottom line none below.
  if ((dz > 0 && izrel == Nz - 1) || (dz < 0 && izrel == 0)) return false;
  for (int c = 0; c < GetNx(); ++c) {
    const int n = NodeIndex(c, izrel);
    const float zNew = ZZ[n] + dz;
    const float gap = dz > 0 ? ZZ[n + 1] - zNew : zNew - ZZ[n - 1];
    if (!(gap >= minGap)) return false;
  }
  return true;
}

void BCEQuasiGrid::MoveHLine(int ih, float dz) {
  if (ih < 0 || ih >= Nz || dz == 0 || !std::isfinite(dz)) return;
  for (int c = 0; c < GetNx(); ++c) ZZ[NodeIndex(c, Nz - 1 - ih)] += dz;
}

bool BCEQuasiGrid::CanMoveSelSubgrid(float dz, float minGap) const {
  return CanMoveSubgrid(*this, SubgridMove::kBlock, dz, minGap);
}

void BCEQuasiGrid::MoveSelSubgrid(float dz) {
  MoveSubgrid(*this, SubgridMove::kBlock, dz);
}

bool BCEQuasiGrid::CanDeformSubBotFixed(float dz, float minGap) const {
  return CanMoveSubgrid(*this, SubgridMove::kBotFixed, dz, minGap);
}

void BCEQuasiGrid::DeformSubBotFixed(float dz) {
  MoveSubgrid(*this, SubgridMove::kBotFixed, dz);
}

bool BCEQuasiGrid::CanDeformSubTopFixed(float dz, float minGap) const {
  return CanMoveSubgrid(*this, SubgridMove::kTopFixed, dz, minGap);
}

void BCEQuasiGrid::DeformSubTopFixed(float dz) {
  MoveSubgrid(*this, SubgridMove::kTopFixed, dz);
}
