// A starting model hung from a surface of 1,000 points, 1581 x 1581 nodes with a gradient, beside
// Init of a regular model of the same size.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "editing/starting_model.h"

namespace {

constexpr int kSide = 1581;  // 1581 x 1581 = 2,499,561 nodes, the largest square a table holds
constexpr int kSurfacePoints = 1000;

// A rolling surface over X 0..25000, between 50 and 150 above the bottom's -5000 plus 5000.
TStartingModel LargeDescription() {
  TStartingModel d;
  for (int i = 0; i < kSurfacePoints; ++i) {
    const float x = 25000.0f * static_cast<float>(i) / (kSurfacePoints - 1);
    d.SurfaceX.push_back(x);
    d.SurfaceZ.push_back(100.0f + 50.0f * std::sin(x / 1000.0f));
  }
  d.Nx = kSide;
  d.Nz = kSide;
  d.Bottom = -5000;
  d.V0 = 500;
  d.Gradient = 0.8f;
  return d;
}

void BM_BuildStartingModel(benchmark::State& state) {
  const TStartingModel d = LargeDescription();
  for (auto _ : state) {
    BCEQuasiGrid g;
    benchmark::DoNotOptimize(BuildStartingModel(g, d).Fault);
    benchmark::DoNotOptimize(g.VV.data());
  }
  state.SetItemsProcessed(state.iterations() * kSide * kSide);
}
BENCHMARK(BM_BuildStartingModel)->Unit(benchmark::kMillisecond);

// Init of a flat-topped model of the same size, with corner velocities.
void BM_BuildStartingModelBaselineInit(benchmark::State& state) {
  TIniModel m{BCFRect(0, 100, 25000, -5000), kSide, kSide, 500, 500, 4500, 4500, true};
  for (auto _ : state) {
    BCEQuasiGrid g;
    benchmark::DoNotOptimize(g.Init(m));
    benchmark::DoNotOptimize(g.VV.data());
  }
  state.SetItemsProcessed(state.iterations() * kSide * kSide);
}
BENCHMARK(BM_BuildStartingModelBaselineInit)->Unit(benchmark::kMillisecond);

}  // namespace
