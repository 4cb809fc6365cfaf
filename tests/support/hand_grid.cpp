// Small models built by hand for tests: the same elevations on every V-line, numbered nodes and a
// grid whose H-lines slope.
#include "support/hand_grid.h"

#include "support/hand_model.h"

BCQuasiGrid HandGrid(const std::vector<float>& xs, const std::vector<float>& zs, float v) {
  std::vector<float> zz;
  for (size_t c = 0; c < xs.size(); ++c) zz.insert(zz.end(), zs.begin(), zs.end());
  BCQuasiGrid g = HandModel(xs, zz);
  g.VV.assign(zz.size(), v);
  return g;
}

BCQuasiGrid NodeNumberedGrid(int nx, int nz) {
  std::vector<float> xs, zz;
  for (int c = 0; c < nx; ++c) xs.push_back(10.0f * static_cast<float>(c));
  for (int i = 0; i < nx * nz; ++i) zz.push_back(static_cast<float>(i));
  return HandModel(xs, zz);
}

BCQuasiGrid SlopingGrid() {
  BCQuasiGrid g = HandModel({0, 10, 20}, {0, 10, 20, 30, 0, 16, 24, 34, 0, 12, 22, 32});
  for (size_t i = 0; i < g.VV.size(); ++i) g.VV[i] = 100.0f * static_cast<float>(i);
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

std::vector<int> SelectedNodes(const BCQuasiGrid& g) {
  std::vector<int> nodes;
  for (size_t i = 0; i < g.CellFlags.size(); ++i) {
    if (g.CellFlags[i] & 1) nodes.push_back(static_cast<int>(i));
  }
  return nodes;
}
