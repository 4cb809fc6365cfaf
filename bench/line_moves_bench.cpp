// Line moves and their tests on a model of 2,500,000 nodes, beside plain passes over ZZ.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "editing/equasigrid.h"

namespace {

constexpr int kNx = 2500;
constexpr int kNz = 1000;
constexpr float kMinGap = 0.1f;  // the rows lie about 5 apart

// The whole width selected: arg 0 every row that can move as a block (izrel 2..Nz-2), arg 1 the
// middle third, which leaves long runs to rescale above and below it.
BCEQuasiGrid LargeModel(int selection) {
  BCEQuasiGrid g;
  TIniModel m{BCFRect(0, 0, 25000, -5000), kNx, kNz, 1500, 2500, 4000, 6000, true};
  g.Init(m);
  g.SelSubgrid = selection == 0 ? BCSubgrid{0, kNx - 1, 2, kNz - 2}
                                : BCSubgrid{0, kNx - 1, kNz / 3, 2 * kNz / 3};
  g.SelActive = true;
  return g;
}

void BM_MoveSelSubgrid(benchmark::State& state) {
  BCEQuasiGrid g = LargeModel(static_cast<int>(state.range(0)));
  float dz = 1;
  for (auto _ : state) {
    g.MoveSelSubgrid(dz);
    dz = -dz;  // back and forth, so the grid does not drift
    benchmark::DoNotOptimize(g.ZZ.data());
  }
  state.SetItemsProcessed(state.iterations() * kNx * kNz);
}
BENCHMARK(BM_MoveSelSubgrid)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CanMoveSelSubgrid(benchmark::State& state) {
  const BCEQuasiGrid g = LargeModel(static_cast<int>(state.range(0)));
  float dz = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(g.CanMoveSelSubgrid(dz, kMinGap));
    dz = -dz;  // the upper run, then the lower one
  }
  state.SetItemsProcessed(state.iterations() * kNx * kNz);
}
BENCHMARK(BM_CanMoveSelSubgrid)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MoveHLine(benchmark::State& state) {
  BCEQuasiGrid g = LargeModel(0);
  float dz = 1;
  for (auto _ : state) {
    g.MoveHLine(kNz / 2, dz);
    dz = -dz;
    benchmark::DoNotOptimize(g.ZZ.data());
  }
  state.SetItemsProcessed(state.iterations() * kNx);
}
BENCHMARK(BM_MoveHLine)->Unit(benchmark::kMicrosecond);

// Baseline of the moves: every elevation read and written once.
void BM_MoveBaselineAddToZZ(benchmark::State& state) {
  BCEQuasiGrid g = LargeModel(0);
  float dz = 1;
  for (auto _ : state) {
    for (float& z : g.ZZ) z += dz;
    dz = -dz;
    benchmark::DoNotOptimize(g.ZZ.data());
  }
  state.SetItemsProcessed(state.iterations() * kNx * kNz);
}
BENCHMARK(BM_MoveBaselineAddToZZ)->Unit(benchmark::kMillisecond);

// Baseline of the tests: the smallest spacing of every V-line, read once.
void BM_CanMoveBaselineMinSpacing(benchmark::State& state) {
  const BCEQuasiGrid g = LargeModel(0);
  for (auto _ : state) {
    float smallest = g.ZZ[1] - g.ZZ[0];
    for (int c = 0; c < kNx; ++c) {
      const float* z = &g.ZZ[static_cast<size_t>(c) * kNz];
      for (int k = 1; k < kNz; ++k) smallest = std::min(smallest, z[k] - z[k - 1]);
    }
    benchmark::DoNotOptimize(smallest);
  }
  state.SetItemsProcessed(state.iterations() * kNx * kNz);
}
BENCHMARK(BM_CanMoveBaselineMinSpacing)->Unit(benchmark::kMillisecond);

}  // namespace
