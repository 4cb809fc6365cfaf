// Fixing the whole grid and walking every fixed cell of a model of 2,500,000 nodes, beside
// plain passes over the flag bytes.
#include <benchmark/benchmark.h>

#include "editing/equasigrid.h"

namespace {

constexpr int kNx = 2500;
constexpr int kNz = 1000;

BCEQuasiGrid LargeModel() {
  BCEQuasiGrid g;
  TIniModel m{BCFRect(0, 0, 25000, -5000), kNx, kNz, 1500, 2500, 4000, 6000, true};
  g.Init(m);
  g.SetSelectedAll();
  return g;
}

void BM_FixSelectedSubgrid(benchmark::State& state) {
  BCEQuasiGrid g = LargeModel();
  bool fix = true;
  for (auto _ : state) {
    benchmark::DoNotOptimize(g.FixSelectedSubgrid(fix, nullptr));
    fix = !fix;  // every call changes every cell
  }
  state.SetItemsProcessed(state.iterations() * kNx * kNz);
}
BENCHMARK(BM_FixSelectedSubgrid)->Unit(benchmark::kMillisecond);

// Baseline: every flag byte toggled once and counted.
void BM_FixBaselineToggleFlags(benchmark::State& state) {
  BCEQuasiGrid g = LargeModel();
  for (auto _ : state) {
    int count = 0;
    for (unsigned char& f : g.CellFlags) {
      f ^= kCellFixed;
      count += f & kCellFixed;
    }
    benchmark::DoNotOptimize(count);
  }
  state.SetItemsProcessed(state.iterations() * kNx * kNz);
}
BENCHMARK(BM_FixBaselineToggleFlags)->Unit(benchmark::kMillisecond);

void BM_GetNextFix(benchmark::State& state) {
  BCEQuasiGrid g = LargeModel();
  g.FixSelectedSubgrid(true, nullptr);  // every cell
  for (auto _ : state) {
    int i = -1;
    float v = 0;
    double sum = 0;
    while (g.GetNextFix(i, v)) sum += v;
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kNx * kNz);
}
BENCHMARK(BM_GetNextFix)->Unit(benchmark::kMillisecond);

// Baseline: the same sum over the flag bytes and velocities in one plain loop.
void BM_GetNextFixBaselineLoop(benchmark::State& state) {
  BCEQuasiGrid g = LargeModel();
  g.FixSelectedSubgrid(true, nullptr);
  for (auto _ : state) {
    double sum = 0;
    for (size_t i = 0; i < g.CellFlags.size(); ++i) {
      if (g.CellFlags[i] & kCellFixed) sum += g.VV[i];
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kNx * kNz);
}
BENCHMARK(BM_GetNextFixBaselineLoop)->Unit(benchmark::kMillisecond);

}  // namespace
