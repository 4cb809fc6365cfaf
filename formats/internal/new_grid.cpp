// A fresh model made of imported node arrays, set up as a loaded model would be.
#include "formats/internal/new_grid.h"

#include <algorithm>

#include "platform/environment.h"

std::string NodeCountProblem(long long nx, long long nz) {
  if (nx < 2 || nz < 2)
    return "a model needs at least 2 V-lines and 2 H-lines, this one would have " +
           std::to_string(nx) + " and " + std::to_string(nz);
  if (nx * nz > kMaxImportNodes)
    return std::to_string(nx) + " x " + std::to_string(nz) + " = " + std::to_string(nx * nz) +
           " nodes exceed the table limit of " + std::to_string(kMaxImportNodes);
  return {};
}

void AdoptNewGrid(BCEQuasiGrid& model, std::vector<float>& xx, int nz, std::vector<float>& zz,
                  std::vector<float>& vv) {
  const auto [lowest, highest] = std::minmax_element(zz.begin(), zz.end());
  const BCFRect rect(xx.front(), *highest, xx.back(), *lowest);
  BCEQuasiGrid fresh;
  fresh.Nz = nz;
  fresh.XX.swap(xx);
  fresh.ZZ.swap(zz);
  fresh.VV.swap(vv);
  fresh.CellFlags.assign(fresh.ZZ.size(), 0);
  fresh.ModelRect = rect;
  fresh.IniRect = rect;
  fresh.ModelHeight = rect.top - rect.bottom;
  fresh.XRes = G2_GetCompResolution(rect.left, rect.right);
  fresh.ZRes = G2_GetCompResolution(rect.bottom, rect.top);
  fresh.TrimVelocity();
  fresh.WholeSubgrid = {0, fresh.GetNx() - 1, 1, nz - 1};
  fresh.ZoomSubgrid = fresh.WholeSubgrid;
  fresh.SelSubgrid = {0, 0, 0, 0};
  fresh.SelActive = false;
  model = fresh;
}
