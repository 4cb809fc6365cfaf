// The remesh band: choosing it from the selection, clearing and restoring the velocities around
// it, the line to replace, and the re-sampling of the band's velocities after the move.
#include "editing/equasigrid.h"

#include "editing/internal/profile_interpolation.h"
#include "editing/internal/remesh_band.h"

#include <algorithm>

bool BCEQuasiGrid::InitRemesh(bool replaceTop) {
  if (!SelSubgridFitsGrid()) return false;
  const int t = GetIH(SelSubgrid.TopNode);  // top lines of the highest and lowest selected rows
  const int b = GetIH(SelSubgrid.BotNode);
  if (!replaceTop && t == b) return false;  // the band needs a line between its boundaries
  if (replaceTop && t != 0) return false;
  // A horizon may lie on the band's boundary lines, which do not move, but not inside.
  if (!Hors.empty() && t != b && !Hors.IsBandEmpty(t, b, false)) return false;
  RemeshTopLine = t;
  RemeshBotLine = b;
  ReplaceTopLine = replaceTop;
  if (replaceTop) LineToReplace = 0;
  NullifyVelOutsideBand();
  return true;
}

void BCEQuasiGrid::NullifyVelOutsideBand() {
  if (!RemeshBandSet(*this)) return;
  const int t = RemeshTopLine;
  const int b = RemeshBotLine;
  for (int c = 0; c < GetNx(); ++c) {
    // Below H-line B, down to the bottom node; when B + 1 is the bottom line its node is a copy
    // and stays.
    if (b < Nz - 2) {
      std::fill(VV.begin() + NodeIndex(c, 0), VV.begin() + NodeOnHLine(*this, c, b), 0.0f);
    }
    std::fill(VV.begin() + NodeOnHLine(*this, c, t) + 1, VV.begin() + NodeIndex(c + 1, 0), 0.0f);
  }
}

void BCEQuasiGrid::CancelRemesh() {
  RemeshTopLine = -1;
}

bool BCEQuasiGrid::SetLineToReplace() {
  // Top-line mode replaces H-line 0, which InitRemesh has already chosen.
  if (!SelSubgridFitsGrid() || !RemeshBandSet(*this) || ReplaceTopLine) return false;
  const int h = GetIH(SelSubgrid.TopNode);
  if (h <= RemeshTopLine || h > RemeshBotLine) return false;
  LineToReplace = h;
  return true;
}

void BCEQuasiGrid::SetNewVelFlag(bool on) {
  NewVelFlag = on;
}

namespace {

// Re-samples the band's interior nodes of V-line c, at their new elevations, in the band's
// profile before the move (the nodes on H-lines B + 1 .. T). A column whose new elevations leave
// that profile, or are NaN, keeps its band velocities.
void ResampleBandColumn(BCEQuasiGrid& g, int c, const std::vector<float>& oldVV,
                        const std::vector<float>& oldZZ) {
  const int lower = NodeOnHLine(g, c, g.RemeshBotLine + 1);  // the band's fixed lower line
  const int upper = NodeOnHLine(g, c, g.RemeshTopLine);
  for (int n = lower + 1; n < upper; ++n) {
    if (!(g.ZZ[n] >= oldZZ[lower] && g.ZZ[n] <= oldZZ[upper])) return;
  }
  const VelocityProfile profile{&oldZZ[lower], &oldVV[lower], 1, upper - lower + 1};
  InterpolateProfile<double>(profile, &g.ZZ[lower + 1], &g.VV[lower + 1], upper - lower - 1);
}

}  // namespace

void BCEQuasiGrid::SetRemeshVelocity(std::vector<float>* oldVV, std::vector<float>* oldZZ) {
  if (!RemeshBandSet(*this) || oldVV == nullptr || oldVV->size() != VV.size()) return;
  const bool resample =
      !ReplaceTopLine && NewVelFlag && oldZZ != nullptr && oldZZ->size() == ZZ.size();
  const std::vector<float>& old = *oldVV;
  for (int c = 0; c < GetNx(); ++c) {
    // Below the band (down to the bottom node) and above it; the node on H-line T itself is the
    // band's top cell and keeps its velocity.
    const auto restore = [&](int from, int to) {  // nodes from .. to - 1
      std::copy(old.begin() + from, old.begin() + to, VV.begin() + from);
    };
    restore(NodeIndex(c, 0), NodeOnHLine(*this, c, RemeshBotLine));
    restore(NodeOnHLine(*this, c, RemeshTopLine) + 1, NodeIndex(c + 1, 0));
    if (resample) ResampleBandColumn(*this, c, old, *oldZZ);
  }
}
