// Small models built by hand for tests, and a field-by-field comparison of two models.
#include "support/hand_model.h"

#include <algorithm>
#include <cstring>

namespace {

template <typename T>
bool SameBytes(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameFloats(const std::vector<float>& a, const std::vector<float>& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameBytes<float>);
}

}  // namespace

BCQuasiGrid HandModel(const std::vector<float>& xx, const std::vector<float>& zz) {
  BCQuasiGrid g;
  const int nx = static_cast<int>(xx.size());
  g.Nz = static_cast<int>(zz.size()) / nx;
  g.XX = xx;
  g.ZZ = zz;
  g.VV.assign(zz.size(), 0.0f);
  g.CellFlags.assign(zz.size(), 0);
  const auto [zmin, zmax] = std::minmax_element(zz.begin(), zz.end());
  g.ModelRect = g.IniRect = BCFRect(xx.front(), *zmax, xx.back(), *zmin);
  g.ModelHeight = g.ModelRect.Height();
  g.WholeSubgrid = g.ZoomSubgrid = {0, nx - 1, 1, g.Nz - 1};
  return g;
}

bool SameModel(const BCQuasiGrid& a, const BCQuasiGrid& b) {
  const auto sameHor = [](const BCHor& p, const BCHor& q) {
    return p.IH == q.IH && p.ID == q.ID && p.Width == q.Width && p.Color == q.Color &&
           p.Status == q.Status;
  };
  return a.Nz == b.Nz && SameBytes(a.ModelRect, b.ModelRect) && SameBytes(a.IniRect, b.IniRect) &&
         SameBytes(a.ModelHeight, b.ModelHeight) && a.WholeSubgrid == b.WholeSubgrid &&
         a.ZoomSubgrid == b.ZoomSubgrid && a.SelSubgrid == b.SelSubgrid &&
         a.SelActive == b.SelActive &&
         std::equal(a.Hors.begin(), a.Hors.end(), b.Hors.begin(), b.Hors.end(), sameHor) &&
         SameFloats(a.XX, b.XX) && SameFloats(a.ZZ, b.ZZ) && SameFloats(a.VV, b.VV) &&
         a.CellFlags == b.CellFlags && SameBytes(a.XRes, b.XRes) && SameBytes(a.ZRes, b.ZRes);
}
