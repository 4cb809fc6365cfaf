// Fuzz target for the number-pair file reader and the starting model built from what it reads.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "fuzz/fuzz_support.h"
#include "editing/starting_model.h"
#include "platform/number_pairs.h"

namespace {

constexpr size_t kMaxInput = 1 << 16;

// Pairs that were accepted are finite, ascending in their first number, on ascending lines.
void CheckPairs(const NumberPairs& p) {
  FuzzCheck(!p.First.empty());
  FuzzCheck(p.First.size() == p.Second.size() && p.First.size() == p.Lines.size());
  for (size_t i = 0; i < p.First.size(); ++i) {
    FuzzCheck(std::isfinite(p.First[i]) && std::isfinite(p.Second[i]));
    if (i > 0) FuzzCheck(p.First[i] > p.First[i - 1] && p.Lines[i] > p.Lines[i - 1]);
  }
}

// The pairs as a surface, and as a velocity-depth law: a built model has strictly ascending
// elevations on every V-line and finite, non-negative velocities.
void FuzzModel(const NumberPairs& p, bool geometric) {
  TStartingModel d;
  d.SurfaceX = p.First;
  d.SurfaceZ = p.Second;
  d.Nx = 7;
  d.Nz = 5;
  d.Bottom = *std::min_element(p.Second.begin(), p.Second.end()) - 1;
  d.OwnXRange = p.First.size() == 1;
  d.XLeft = p.First.front() - 1;
  d.XRight = p.First.front() + 1;
  d.RowRatio = geometric ? 3 : 1;
  d.Law = vlProfile;
  d.ProfileDepth = p.First;
  d.ProfileV = p.Second;
  BCEQuasiGrid g;
  if (BuildStartingModel(g, d).Fault != smBuilt) return;
  for (int col = 0; col < g.GetNx(); ++col) {
    for (int izrel = 1; izrel < g.Nz; ++izrel)
      FuzzCheck(g.ZZ[g.NodeIndex(col, izrel)] > g.ZZ[g.NodeIndex(col, izrel - 1)]);
  }
  for (const float v : g.VV) FuzzCheck(std::isfinite(v) && v >= 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  NumberPairs pairs;
  const PairFileProblem problem = ReadNumberPairs(in, "x", "z", pairs);
  FuzzCheck(problem.Text.empty() == !pairs.First.empty());
  if (!problem.Text.empty()) return 0;
  CheckPairs(pairs);
  FuzzModel(pairs, size % 2 == 1);
  return 0;
}
