// Small models built by hand for tests, and a field-by-field comparison of two models.
#include "support/hand_model.h"

#include <algorithm>
#include <cstring>

namespace {

bool SameBits(float a, float b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameFloats(const std::vector<float>& a, const std::vector<float>& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameBits);
}

bool SameRect(const BCFRect& a, const BCFRect& b) {
  return SameBits(a.left, b.left) && SameBits(a.top, b.top) && SameBits(a.right, b.right) &&
         SameBits(a.bottom, b.bottom);
}

bool SameHors(const HorVect& a, const HorVect& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const BCHor& p, const BCHor& q) {
    return p.IH == q.IH && p.ID == q.ID && p.Width == q.Width && p.Color == q.Color &&
           p.Status == q.Status;
  });
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
  return a.Nz == b.Nz && SameRect(a.ModelRect, b.ModelRect) && SameRect(a.IniRect, b.IniRect) &&
         SameBits(a.ModelHeight, b.ModelHeight) && a.WholeSubgrid == b.WholeSubgrid &&
         a.ZoomSubgrid == b.ZoomSubgrid && a.SelSubgrid == b.SelSubgrid &&
         a.SelActive == b.SelActive && SameHors(a.Hors, b.Hors) && SameFloats(a.XX, b.XX) &&
         SameFloats(a.ZZ, b.ZZ) && SameFloats(a.VV, b.VV) && a.CellFlags == b.CellFlags &&
         SameBits(a.XRes, b.XRes) && SameBits(a.ZRes, b.ZRes);
}
