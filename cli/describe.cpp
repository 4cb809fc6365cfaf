// Describing a saved model for people and for scripts.
#include "cli/describe.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <vector>

#include "storage/model_folder.h"
#include "editing/equasigrid.h"

namespace {

struct Summary {
  int nx = 0;
  int nz = 0;
  float vmin = 0;
  float vmax = 0;
  int fixed = 0;
};

Summary Summarise(BCEQuasiGrid& model) {
  Summary s;
  s.nx = model.GetNx();
  s.nz = model.Nz;
  model.GetVelocityBounds(s.vmin, s.vmax);
  for (int col = 0; col + 1 < s.nx; ++col) {
    for (int iz = 1; iz < s.nz; ++iz)
      s.fixed += (model.CellFlags[model.NodeIndex(col, iz)] & kCellFixed) ? 1 : 0;
  }
  return s;
}

void PrintText(BCEQuasiGrid& model, const std::string& table, const Summary& s) {
  const BCFRect& r = model.ModelRect;
  std::printf("model:        %s\n", table.c_str());
  std::printf("grid:         %d V-lines x %d H-lines = %lld nodes, %lld cells\n", s.nx, s.nz,
              static_cast<long long>(s.nx) * s.nz, static_cast<long long>(s.nx - 1) * (s.nz - 1));
  std::printf("extent:       X %g .. %g, elevation %g .. %g\n", r.left, r.right, r.bottom, r.top);
  std::printf("velocity:     %g .. %g\n", s.vmin, s.vmax);
  std::printf("resolution:   X %g, Z %g\n", model.XRes, model.ZRes);
  std::printf("min spacing:  X %g, Z %g\n", model.GetMinDistanceX(), model.GetMinDistanceZ());
  std::printf("fixed cells:  %d\n", s.fixed);
  std::printf("horizons:     %d\n", model.GetHors());
}

void PrintJson(BCEQuasiGrid& model, const std::string& table, const Summary& s,
               const std::vector<std::string>& problems) {
  const BCFRect& r = model.ModelRect;
  nlohmann::json horizons = nlohmann::json::array();
  for (const BCHor& h : model.Hors) {
    horizons.push_back({{"hline", h.IH + 1},
                        {"id", h.ID},
                        {"width", h.Width},
                        {"color", h.Color},
                        {"status", h.Status}});
  }
  const nlohmann::json out = {
      {"table", table},
      {"nx", s.nx},
      {"nz", s.nz},
      {"nodes", static_cast<long long>(s.nx) * s.nz},
      {"cells", static_cast<long long>(s.nx - 1) * (s.nz - 1)},
      {"extent", {{"left", r.left}, {"right", r.right}, {"bottom", r.bottom}, {"top", r.top}}},
      {"velocity", {{"min", s.vmin}, {"max", s.vmax}}},
      {"resolution", {{"x", model.XRes}, {"z", model.ZRes}}},
      {"min_spacing", {{"x", model.GetMinDistanceX()}, {"z", model.GetMinDistanceZ()}}},
      {"fixed_cells", s.fixed},
      {"horizons", horizons},
      {"problems", problems}};
  std::printf("%s\n", out.dump(2).c_str());
}

}  // namespace

void DescribeModel(const std::string& dir, bool backup, bool json) {
  BCEQuasiGrid model;
  LoadSavedModel(dir, backup, model);
  const std::string table = TablePath(dir, backup);
  const Summary s = Summarise(model);
  const std::vector<std::string> problems = ListModelProblems(dir, backup, model.Nz);
  if (json) {
    PrintJson(model, table, s, problems);
    return;
  }
  PrintText(model, table, s);
  if (!problems.empty()) {
    std::printf("warning:      %zu problem%s, the first: %s (run 'quasigrid check %s')\n",
                problems.size(), problems.size() == 1 ? "" : "s", problems.front().c_str(),
                dir.c_str());
  }
}
