// Velocity edits and a whole remesh on a model of 2,500,000 nodes, beside plain passes over VV
// and over VV and ZZ.
#include <benchmark/benchmark.h>

#include <vector>

#include "editing/equasigrid.h"

namespace {

constexpr int kNx = 2500;
constexpr int kNz = 1000;
constexpr long kNodes = long{kNx} * kNz;

BCEQuasiGrid LargeModel() {
  TIniModel m{BCFRect(0, 0, 25000, -5000), kNx, kNz, 1500, 2500, 4000, 6000, true};
  BCEQuasiGrid g;
  g.Init(m);
  return g;
}

// Every cell selected.
BCEQuasiGrid LargeSelectedModel() {
  BCEQuasiGrid g = LargeModel();
  g.SetBetweenColumnsAsSelSubgrid(1, kNx - 1);
  g.SelActive = true;
  return g;
}

// A read, a float operation and a write per node.
void BM_BaselineLoopOverVV(benchmark::State& state) {
  BCEQuasiGrid g = LargeModel();
  for (auto _ : state) {
    for (float& v : g.VV) v = v * 1.0001f + 0.5f;
    benchmark::DoNotOptimize(g.VV.data());
  }
  state.SetItemsProcessed(state.iterations() * kNodes);
}
BENCHMARK(BM_BaselineLoopOverVV)->Unit(benchmark::kMillisecond);

// The same, reading ZZ beside VV: what a pass of the remesh costs at least.
void BM_BaselineLoopOverVVandZZ(benchmark::State& state) {
  BCEQuasiGrid g = LargeModel();
  for (auto _ : state) {
    for (size_t i = 0; i < g.VV.size(); ++i) g.VV[i] = g.VV[i] * 1.0001f + g.ZZ[i];
    benchmark::DoNotOptimize(g.VV.data());
  }
  state.SetItemsProcessed(state.iterations() * kNodes);
}
BENCHMARK(BM_BaselineLoopOverVVandZZ)->Unit(benchmark::kMillisecond);

void BM_ModVSelSubgrid(benchmark::State& state) {
  BCEQuasiGrid g = LargeSelectedModel();
  for (auto _ : state) benchmark::DoNotOptimize(g.ModVSelSubgrid(0.01f, false, 0, 1e30f));
  state.SetItemsProcessed(state.iterations() * kNodes);
}
BENCHMARK(BM_ModVSelSubgrid)->Unit(benchmark::kMillisecond);

void BM_ContinueVelDownward(benchmark::State& state) {
  BCEQuasiGrid g = LargeSelectedModel();
  for (auto _ : state) benchmark::DoNotOptimize(g.ContinueVelDownward());
  state.SetItemsProcessed(state.iterations() * kNodes);
}
BENCHMARK(BM_ContinueVelDownward)->Unit(benchmark::kMillisecond);

// Between the first and the last cell column of the whole grid.
void BM_InterpolateVelBetweenCols(benchmark::State& state) {
  BCEQuasiGrid g = LargeSelectedModel();
  for (auto _ : state) benchmark::DoNotOptimize(g.InterpolateVelBetweenCols());
  state.SetItemsProcessed(state.iterations() * kNodes);
}
BENCHMARK(BM_InterpolateVelBetweenCols)->Unit(benchmark::kMillisecond);

// Every tenth column known: 250 gaps, each needing the resolution of the model as it then is.
void BM_InterpolateVelBetweenColsList(benchmark::State& state) {
  BCEQuasiGrid g = LargeModel();
  std::vector<int> cols;
  for (int c = 5; c < kNx; c += 10) cols.push_back(c);
  for (auto _ : state) {
    g.InterpolateVelBetweenCols(cols);
    benchmark::DoNotOptimize(g.VV.data());
  }
  state.SetItemsProcessed(state.iterations() * kNodes);
}
BENCHMARK(BM_InterpolateVelBetweenColsList)->Unit(benchmark::kMillisecond);

// InitRemesh to SetRemeshVelocity with re-sampling, on a band of half the rows whose middle line
// moves half a cell down; the model is put back (untimed) before each run.
void BM_DoRemesh(benchmark::State& state) {
  BCEQuasiGrid g = LargeModel();
  const std::vector<float> savedVV = g.VV, savedZZ = g.ZZ;
  const int top = kNz / 4, bot = top + kNz / 2 - 1, line = kNz / 2;
  std::vector<float> curve(kNx);
  for (int c = 0; c < kNx; ++c) {
    const int n = (c + 1) * kNz - 1 - line;  // the node of V-line c on that line
    curve[c] = (g.ZZ[n] + g.ZZ[n - 1]) * 0.5f;
  }
  std::vector<float> oldVV = savedVV, oldZZ = savedZZ;
  for (auto _ : state) {
    state.PauseTiming();
    g.VV = savedVV;
    g.ZZ = savedZZ;
    state.ResumeTiming();
    g.SelSubgrid = {0, kNx - 1, kNz - 1 - bot, kNz - 1 - top};
    g.InitRemesh(false);
    g.SelSubgrid.TopNode = kNz - 1 - line;
    g.SetLineToReplace();
    g.DoRemesh(curve.data());
    g.SetNewVelFlag(true);
    g.SetRemeshVelocity(&oldVV, &oldZZ);
    g.CancelRemesh();
    benchmark::DoNotOptimize(g.VV.data());
  }
  state.SetItemsProcessed(state.iterations() * kNodes);
}
BENCHMARK(BM_DoRemesh)->Unit(benchmark::kMillisecond);

}  // namespace
