// Init and cell look-up on a model of 2,500,000 nodes, each beside a baseline that does the bare
// memory or search work of the same size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "model/quasigrid.h"

namespace {

constexpr int kNx = 2500;
constexpr int kNz = 1000;
constexpr int kLookups = 1000000;

TIniModel LargeDescription() {
  return TIniModel{BCFRect(0, 0, 25000, -5000), kNx, kNz, 1500, 2500, 4000, 6000, true};
}

// Points spread over the whole model, the same in both look-up benchmarks.
std::vector<BCFPoint> RandomPoints(const BCFRect& r) {
  std::mt19937 rng(42);
  std::uniform_real_distribution<float> x(r.left, r.right);
  std::uniform_real_distribution<float> z(r.bottom, r.top);
  std::vector<BCFPoint> points;
  points.reserve(kLookups);
  for (int i = 0; i < kLookups; ++i) points.push_back(FPoint(x(rng), z(rng)));
  return points;
}

void BM_Init(benchmark::State& state) {
  TIniModel m = LargeDescription();
  for (auto _ : state) {
    BCQuasiGrid g;
    benchmark::DoNotOptimize(g.Init(m));
    benchmark::DoNotOptimize(g.VV.data());
  }
  state.SetItemsProcessed(state.iterations() * kNx * kNz);
}
BENCHMARK(BM_Init)->Unit(benchmark::kMillisecond);

// The same four arrays allocated and filled with std::fill.
void BM_InitBaselineFill(benchmark::State& state) {
  const size_t total = static_cast<size_t>(kNx) * kNz;
  for (auto _ : state) {
    std::vector<float> xx(kNx), zz(total), vv(total);
    std::vector<unsigned char> flags(total);
    std::fill(xx.begin(), xx.end(), 1.0f);
    std::fill(zz.begin(), zz.end(), 2.0f);
    std::fill(vv.begin(), vv.end(), 3.0f);
    std::fill(flags.begin(), flags.end(), 0);
    benchmark::DoNotOptimize(xx.data());
    benchmark::DoNotOptimize(zz.data());
    benchmark::DoNotOptimize(vv.data());
    benchmark::DoNotOptimize(flags.data());
  }
  state.SetItemsProcessed(state.iterations() * kNx * kNz);
}
BENCHMARK(BM_InitBaselineFill)->Unit(benchmark::kMillisecond);

void BM_GetCell(benchmark::State& state) {
  BCQuasiGrid g;
  TIniModel m = LargeDescription();
  g.Init(m);
  const std::vector<BCFPoint> points = RandomPoints(m.Rect);
  for (auto _ : state) {
    int found = 0;
    BCCell cell{};
    for (const BCFPoint& p : points) found += g.GetCell(p.x, p.z, cell, sgkWhole);
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * kLookups);
}
BENCHMARK(BM_GetCell)->Unit(benchmark::kMillisecond);

// One plain binary search in XX per point: the X half of a look-up alone.
void BM_GetCellBaselineUpperBound(benchmark::State& state) {
  BCQuasiGrid g;
  TIniModel m = LargeDescription();
  g.Init(m);
  const std::vector<BCFPoint> points = RandomPoints(m.Rect);
  for (auto _ : state) {
    long sum = 0;
    for (const BCFPoint& p : points)
      sum += std::upper_bound(g.XX.begin(), g.XX.end(), p.x) - g.XX.begin();
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kLookups);
}
BENCHMARK(BM_GetCellBaselineUpperBound)->Unit(benchmark::kMillisecond);

}  // namespace
