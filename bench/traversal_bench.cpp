// Full drawing walks of a 2,500,000-node model, each beside a plain loop that reads and sums
// the same values in the same order.
#include <benchmark/benchmark.h>

#include "model/quasigrid.h"

namespace {

constexpr int kNx = 2500;
constexpr int kNz = 1000;
constexpr float kLeftOfGrid = -1e30f;

const BCQuasiGrid& Model() {
  static const BCQuasiGrid model = [] {
    BCQuasiGrid g;
    TIniModel m{BCFRect(0, 0, 25000, -10000), kNx, kNz, 1500, 2500, 3000, 4500, true};
    g.Init(m);
    return g;
  }();
  return model;
}

float DrawCellSum(const BCDrawCell& dc) {
  return dc.TopLeft.x + dc.TopLeft.z + dc.TopRight.z + dc.BotRight.z + dc.BotLeft.z + dc.V +
         static_cast<float>(dc.Selected);
}

void BM_GetNextCell(benchmark::State& state) {
  BCQuasiGrid g = Model();
  for (auto _ : state) {
    BCDrawCell dc{};
    dc.TopLeft.x = kLeftOfGrid;
    float sum = 0;
    while (g.GetNextCell(dc, sgkZoom)) sum += DrawCellSum(dc);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * (kNx - 1) * (kNz - 1));
}
BENCHMARK(BM_GetNextCell)->Unit(benchmark::kMillisecond);

// The same cells in the same order, read straight from the arrays.
void BM_CellLoopBaseline(benchmark::State& state) {
  const BCQuasiGrid& g = Model();
  const int nz = g.Nz;
  for (auto _ : state) {
    float sum = 0;
    for (int col = 0; col < kNx - 1; ++col) {
      for (int n = col * nz + nz - 1; n > col * nz; --n) {
        BCDrawCell dc{};
        dc.TopLeft = FPoint(g.XX[col], g.ZZ[n]);
        dc.TopRight.z = g.ZZ[n + nz];
        dc.BotRight.z = g.ZZ[n + nz - 1];
        dc.BotLeft.z = g.ZZ[n - 1];
        dc.V = g.VV[n];
        dc.Selected = (g.CellFlags[n] & 1) != 0;
        sum += DrawCellSum(dc);
      }
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * (kNx - 1) * (kNz - 1));
}
BENCHMARK(BM_CellLoopBaseline)->Unit(benchmark::kMillisecond);

void BM_GetNextHLinePoint(benchmark::State& state) {
  const BCQuasiGrid& g = Model();
  for (auto _ : state) {
    BCFPoint p(kLeftOfGrid, 0, 0);
    float sum = 0;
    for (int code = 0; code != 2;) {
      code = g.GetNextHLinePoint(p);
      if (code == 0) sum += p.x + p.z;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kNx * kNz);
}
BENCHMARK(BM_GetNextHLinePoint)->Unit(benchmark::kMillisecond);

// Every H-line from the top, each across all V-lines: the same strided reads.
void BM_HLineLoopBaseline(benchmark::State& state) {
  const BCQuasiGrid& g = Model();
  const int nz = g.Nz;
  for (auto _ : state) {
    float sum = 0;
    for (int row = nz - 1; row >= 0; --row) {
      for (int col = 0; col < kNx; ++col) sum += g.XX[col] + g.ZZ[col * nz + row];
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kNx * kNz);
}
BENCHMARK(BM_HLineLoopBaseline)->Unit(benchmark::kMillisecond);

}  // namespace
