// Small models built by hand for tests.
#include "support/hand_grid.h"

BCQuasiGrid HandGrid(const std::vector<float>& xs, const std::vector<float>& zs, float v) {
  BCQuasiGrid g;
  const int nx = static_cast<int>(xs.size());
  const int nz = static_cast<int>(zs.size());
  g.Nz = nz;
  g.XX = xs;
  for (int c = 0; c < nx; ++c) g.ZZ.insert(g.ZZ.end(), zs.begin(), zs.end());
  g.VV.assign(g.ZZ.size(), v);
  g.CellFlags.assign(g.ZZ.size(), 0);
  g.ModelRect = g.IniRect = BCFRect(xs.front(), zs.back(), xs.back(), zs.front());
  g.ModelHeight = g.ModelRect.Height();
  g.WholeSubgrid = {0, nx - 1, 1, nz - 1};
  g.ZoomSubgrid = g.WholeSubgrid;
  g.SelSubgrid = {0, 0, 0, 0};
  g.SelActive = false;
  g.XRes = g.ZRes = 0;
  return g;
}

BCQuasiGrid NodeNumberedGrid(int nx, int nz) {
  std::vector<float> xs, zs;
  for (int c = 0; c < nx; ++c) xs.push_back(10.0f * static_cast<float>(c));
  for (int r = 0; r < nz; ++r) zs.push_back(static_cast<float>(r));
  BCQuasiGrid g = HandGrid(xs, zs);
  for (size_t i = 0; i < g.ZZ.size(); ++i) g.ZZ[i] = static_cast<float>(i);
  return g;
}

void SetHorizons(BCQuasiGrid& g, const std::vector<int>& lines) {
  g.Hors.clear();
  for (int ih : lines) {
    BCHor h;
    h.IH = ih;
    h.ID = static_cast<int16_t>(ih + 1);
    g.Hors.push_back(h);
  }
}
