// Whole-column velocity edits: linear interpolation in X between two columns, replacement of a
// column by a velocity-elevation profile, and the filling of a model from a set of known columns.
#include "editing/equasigrid.h"

#include "editing/internal/profile_interpolation.h"
#include "editing/internal/selection_in_use.h"

#include <cmath>
#include <limits>
#include <new>
#include <optional>
#include <utility>

namespace {

constexpr float kNoVelocity = -std::numeric_limits<float>::infinity();

// Interpolates linearly in X, for the rows bot..top (izrel), every V-line strictly between the
// V-lines l and r from the velocities of the same row on l and r; a row where either end is no
// velocity (not above m) stays as it is. Walks the arrays V-line by V-line.
void InterpolateRowsInX(BCEQuasiGrid& g, int l, int r, int bot, int top, float m) {
  const float d = static_cast<float>(double(g.XX[r]) - g.XX[l]);
  const float* left = &g.VV[g.NodeIndex(l, 0)];
  const float* right = &g.VV[g.NodeIndex(r, 0)];
  for (int j = l + 1; j < r; ++j) {
    const float a = static_cast<float>(double(g.XX[j]) - g.XX[l]);  // distance from the left end
    const float b = static_cast<float>(double(g.XX[r]) - g.XX[j]);  // distance to the right end
    float* out = &g.VV[g.NodeIndex(j, 0)];
    for (int row = bot; row <= top; ++row) {
      const float vl = left[row];
      const float vr = right[row];
      // Computed for every row and kept where both ends are velocities: no branch to mispredict.
      const float v = static_cast<float>((double(vl) * b + double(vr) * a) / d);
      out[row] = vl > m && vr > m ? v : out[row];
    }
  }
}

// Largest of n velocities from p, NaN skipped; -infinity when there is none.
float LargestVelocity(const float* p, size_t n) {
  // Four running maxima: the largest of a set does not depend on the order it is taken in.
  float m[4] = {kNoVelocity, kNoVelocity, kNoVelocity, kNoVelocity};
  size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    for (int k = 0; k < 4; ++k) m[k] = m[k] < p[i + k] ? p[i + k] : m[k];
  }
  for (; i < n; ++i) m[0] = m[0] < p[i] ? p[i] : m[0];
  const float a = m[0] < m[1] ? m[1] : m[0];
  const float b = m[2] < m[3] ? m[3] : m[2];
  return a < b ? b : a;
}

// The velocity resolution of the model between the gap fills of the column-list fill, kept up
// to date without a pass over the whole model per gap. The gaps' interiors are disjoint and
// nothing else is written meanwhile, so the largest velocity is that of the nodes outside every
// gap, of the gaps already filled (measured after filling) and of the gaps still to fill
// (measured before). The result equals GetVelMinRes at each moment, NaN ordering included: the
// largest value of a model whose node 0 is NaN is NaN.
class GapResolution {
 public:
  // gaps holds the V-lines (l, r) of each gap whose interior l + 1 .. r - 1 will be filled.
  // Allocates; Measure then takes the model as it is before the first fill.
  explicit GapResolution(const std::vector<std::pair<int, int>>& gaps)
      : gaps_(gaps), pending_(gaps.size() + 1, kNoVelocity) {}

  void Measure(const BCEQuasiGrid& g) {
    firstIsNaN_ = g.VV.empty() || std::isnan(g.VV[0]);
    for (size_t k = gaps_.size(); k-- > 0;) {  // pending_[k]: gaps k.. before filling
      pending_[k] = Max(pending_[k + 1], Interior(g, gaps_[k]));
    }
    outside_ = LargestVelocity(g.VV.data(), g.VV.size());
    if (pending_[0] < outside_) return;  // the largest value lies outside every gap
    outside_ = kNoVelocity;
    int next = 0;  // first V-line not yet measured
    for (const auto& gap : gaps_) {
      outside_ = Max(outside_, Lines(g, next, gap.first + 1));
      next = gap.second;
    }
    outside_ = Max(outside_, Lines(g, next, g.GetNx()));
  }

  // The resolution before gap k is filled, gaps 0..k-1 having been filled and reported.
  float Before(size_t k) const {
    if (firstIsNaN_) return std::numeric_limits<float>::quiet_NaN();
    const float largest = Max(Max(outside_, filled_), pending_[k]);
    return static_cast<float>(largest * 0.00001);
  }
  void Filled(const BCEQuasiGrid& g, size_t k) { filled_ = Max(filled_, Interior(g, gaps_[k])); }

 private:
  static float Max(float a, float b) { return a < b ? b : a; }
  static float Lines(const BCEQuasiGrid& g, int from, int to) {  // V-lines from .. to - 1
    if (to <= from) return kNoVelocity;
    return LargestVelocity(g.VV.data() + size_t(from) * g.Nz, size_t(to - from) * g.Nz);
  }
  static float Interior(const BCEQuasiGrid& g, const std::pair<int, int>& gap) {
    return Lines(g, gap.first + 1, gap.second);
  }

  const std::vector<std::pair<int, int>>& gaps_;
  std::vector<float> pending_;
  bool firstIsNaN_ = false;
  float outside_ = kNoVelocity;
  float filled_ = kNoVelocity;
};

bool IsFinite(float f) {
  return std::isfinite(f);
}

// A profile that can be interpolated: finite numbers, elevations strictly descending.
bool ProfileDescends(const std::vector<float>& z, const std::vector<float>& v) {
  for (size_t k = 0; k < z.size(); ++k) {
    if (!IsFinite(z[k]) || !IsFinite(v[k])) return false;
    if (k > 0 && !(z[k] < z[k - 1])) return false;
  }
  return true;
}

}  // namespace

bool BCEQuasiGrid::InterpolateVelBetweenCols() {
  if (!SelectionInUse(*this)) return false;
  if (SelSubgrid.RightCol - SelSubgrid.LeftCol < 3) return true;  // nothing between the ends
  InterpolateRowsInX(*this, SelSubgrid.LeftCol, SelSubgrid.RightCol - 1,
                     GetIZrel(SelSubgrid.BotNode), GetIZrel(SelSubgrid.TopNode), GetVelMinRes());
  return true;
}

void BCEQuasiGrid::ReplaceVelCol(int col, const std::vector<float>& z,
                                 const std::vector<float>& v) {
  if (col < 1 || col > GetNx() - 1 || z.empty() || z.size() != v.size()) return;
  if (z.size() > size_t(std::numeric_limits<int>::max()) || !ProfileDescends(z, v)) return;
  // The profile comes top first; walk it from its lowest point. Node elevations beyond its ends
  // take the velocity of the nearer end, which the held ends of the interpolation give.
  const size_t last = z.size() - 1;
  const VelocityProfile profile{z.data() + last, v.data() + last, -1, static_cast<int>(z.size())};
  const int first = NodeIndex(col - 1, 0);
  InterpolateProfile<double>(profile, &ZZ[first], &VV[first], Nz);
}

void BCEQuasiGrid::InterpolateVelBetweenCols(const std::vector<int>& cols) {
  if (cols.empty()) return;
  const int nx = GetNx();
  for (size_t k = 0; k < cols.size(); ++k) {
    if (cols[k] < 1 || cols[k] > nx - 1) return;
    if (k > 0 && cols[k] < cols[k - 1]) return;  // a repeated number is allowed
  }
  // Gaps of at least one unknown column, as the V-lines of their known ends; allocated before
  // anything changes, so that a failure leaves the model as it was.
  std::vector<std::pair<int, int>> gaps;
  std::optional<GapResolution> resolution;
  try {
    for (size_t k = 1; k < cols.size(); ++k) {
      if (cols[k] - cols[k - 1] >= 2) gaps.emplace_back(cols[k - 1] - 1, cols[k] - 1);
    }
    resolution.emplace(gaps);
  } catch (const std::bad_alloc&) {
    return;
  }
  const bool savedActive = SelActive;
  const BCSubgrid savedSel = SelSubgrid;
  SelActive = true;
  if (cols.front() > 1) {  // the columns left of the first known one copy it
    SetColumnAsSelSubgrid(cols.front());
    ContinueVelHorizontally('L');
  }
  if (cols.back() < nx - 1) {  // and those right of the last known one
    SetColumnAsSelSubgrid(cols.back());
    ContinueVelHorizontally('R');
  }
  if (Nz >= 2 && !gaps.empty()) {  // every row of cells, 1 .. Nz - 1
    resolution->Measure(*this);
    for (size_t k = 0; k < gaps.size(); ++k) {
      InterpolateRowsInX(*this, gaps[k].first, gaps[k].second, 1, Nz - 1, resolution->Before(k));
      resolution->Filled(*this, k);
    }
  }
  TrimVelocity();
  SelActive = savedActive;
  SelSubgrid = savedSel;
}
