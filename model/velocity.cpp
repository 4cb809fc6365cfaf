// Velocity queries over the whole model and the selection, the copy-node completion and the
// raising of the model's upper bound.
#include "model/quasigrid.h"

#include "model/selection_bounds.h"

#include <algorithm>

void BCQuasiGrid::GetVelocityBounds(float& vmin, float& vmax) {
  if (VV.empty()) return;
  const auto [lo, hi] = std::minmax_element(VV.begin(), VV.end());
  vmin = *lo;
  vmax = *hi;
}

float BCQuasiGrid::GetVelMinRes() const {
  if (VV.empty()) return 0.0f;
  const float vmax = *std::max_element(VV.begin(), VV.end());
  return static_cast<float>(vmax * 0.00001);
}

bool BCQuasiGrid::FindNullVelocity() const {
  if (VV.empty() || Nz <= 0) return false;
  const float res = GetVelMinRes();
  const int end = (GetNx() - 1) * Nz;  // the last V-line carries no cell
  for (int i = 1; i < end; ++i) {
    if (i % Nz == 0) continue;  // bottom nodes carry no cell either
    if (VV[i] < res) return true;
  }
  return false;
}

bool BCQuasiGrid::GetVRangeInSel(float& vmin, float& vmax) {
  if (!SelActive || !SelectionInArrays(*this)) return false;
  const BCSubgrid& s = SelSubgrid;
  vmin = vmax = VV[s.BotNode];
  for (int col = s.LeftCol; col < s.RightCol; ++col) {
    const int shift = (col - s.LeftCol) * Nz;
    for (int i = s.BotNode + shift; i <= s.TopNode + shift; ++i) {
      vmin = std::min(vmin, VV[i]);
      vmax = std::max(vmax, VV[i]);
    }
  }
  return true;
}

void BCQuasiGrid::TrimVelocity() {
  const int nx = GetNx();
  // A single V-line has no cells to copy from (and no V-line before its last one).
  if (nx < 2 || Nz <= 0 || VV.size() != static_cast<size_t>(nx) * Nz) return;
  const int lastLine = (nx - 1) * Nz;
  // Bottom nodes first, so that the last V-line's bottom node below copies a corrected value.
  for (int i = 0; i < lastLine; i += Nz) VV[i] = VV[i + 1];
  for (int i = lastLine; i < nx * Nz; ++i) VV[i] = VV[i - Nz];
}

void BCQuasiGrid::CorrectUpperBound(float f) {
  // Measured from the height fixed at Init or load, so repeated calls do not pile up.
  ModelRect.top = (1 + f) * ModelHeight + ModelRect.bottom;
}
