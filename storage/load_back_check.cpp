// Whether a model, once saved, loads back as the same grid: the loader's own checks and its
// merging of close V-lines, applied before anything is written.
#include "storage/model_check.h"

#include <cmath>
#include <cstdint>

#include "platform/environment.h"
#include "platform/strings.h"
#include "storage/internal/problem_list.h"
#include "storage/modelfiler.h"

namespace {

AnsiString SizeProblem(const BCQuasiGrid& model) {
  const int nx = model.GetNx();
  if (nx < 2 || model.Nz < 2) {
    return FormatStr("the grid has %d V-lines and %d H-lines, at least 2 of each are needed", nx,
                     model.Nz);
  }
  const int64_t nodes = static_cast<int64_t>(nx) * model.Nz;
  if (nodes >= kModelTableRecordLimit) {
    return FormatStr("%d x %d = %lld nodes, a model table holds at most %d", nx, model.Nz,
                     static_cast<long long>(nodes), kModelTableRecordLimit - 1);
  }
  for (const auto& [values, name] :
       {std::pair{&model.ZZ, "elevations"}, {&model.VV, "velocities"}}) {
    if (values->size() != static_cast<size_t>(nodes)) {
      return FormatStr("%zu %s for %lld nodes", values->size(), name,
                       static_cast<long long>(nodes));
    }
  }
  return {};
}

// The first value that is not finite, named by V-line and H-line as users count them. Of the
// velocities only the cells' count: the save overwrites the copy nodes from them.
AnsiString FiniteProblem(const BCQuasiGrid& model) {
  for (size_t c = 0; c < model.XX.size(); ++c) {
    if (!std::isfinite(model.XX[c])) {
      return FormatStr("X of V-line %zu is %s", c + 1, FloatText(model.XX[c]).c_str());
    }
  }
  const size_t nz = static_cast<size_t>(model.Nz);
  const size_t cellNodes = (model.XX.size() - 1) * nz;  // the last V-line carries no cell
  for (size_t i = 0; i < model.ZZ.size(); ++i) {
    // Node i lies on V-line i / nz at izrel i % nz; H-lines are counted from the top.
    const bool cell = i < cellNodes && i % nz != 0;
    for (const auto& [values, name] :
         {std::pair{&model.ZZ, "elevation"}, {&model.VV, cell ? "velocity" : nullptr}}) {
      if (name != nullptr && !std::isfinite((*values)[i])) {
        return FormatStr("%s of the node on V-line %zu, H-line %zu is %s", name, i / nz + 1,
                         nz - i % nz, FloatText((*values)[i]).c_str());
      }
    }
  }
  return {};
}

// The loader starts a new V-line where X moves by more than the resolution of the whole X
// range, in float as it computes it; V-lines that do not are merged.
AnsiString SpacingProblem(const std::vector<float>& xx) {
  const float xres = G2_GetCompResolution(xx.front(), xx.back());
  for (size_t c = 1; c < xx.size(); ++c) {
    if (!(xx[c] > xx[c - 1])) {
      return FormatStr("V-line %zu at X %s is not right of V-line %zu at X %s", c + 1,
                       FloatText(xx[c]).c_str(), c, FloatText(xx[c - 1]).c_str());
    }
    const float gap = std::fabs(xx[c] - xx[c - 1]);
    if (!(gap > xres)) {
      return FormatStr(
          "V-lines %zu and %zu lie %s apart, within the X resolution %s of the extent %s to %s: "
          "they would merge on loading",
          c, c + 1, FloatText(gap).c_str(), FloatText(xres).c_str(), FloatText(xx.front()).c_str(),
          FloatText(xx.back()).c_str());
    }
  }
  return {};
}

}  // namespace

AnsiString LoadBackProblem(const BCQuasiGrid& model) {
  AnsiString problem = SizeProblem(model);
  if (problem.empty()) problem = FiniteProblem(model);
  if (problem.empty()) problem = SpacingProblem(model.XX);
  return problem;
}
