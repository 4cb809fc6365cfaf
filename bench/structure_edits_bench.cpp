// The structure edits on a model of 2,400,000 nodes, each beside the baseline of copying the three
// node arrays into fresh ones, and once the insert-per-V-line method that the edits avoid.
#include <benchmark/benchmark.h>

#include <vector>

#include "editing/equasigrid.h"

namespace {

constexpr int kNx = 2400;
constexpr int kNz = 1000;
constexpr int kMid = kNx / 2;  // a mid-model column
constexpr int kMidRow = kNz / 2;

const BCEQuasiGrid& LargeModel() {
  static const BCEQuasiGrid model = [] {
    BCEQuasiGrid g;
    TIniModel m{BCFRect(0, 0, 24000, -5000), kNx, kNz, 1500, 2500, 4000, 6000, true};
    g.Init(m);
    for (size_t i = 0; i < g.CellFlags.size(); i += 97) g.CellFlags[i] = kCellFixed;
    return g;
  }();
  return model;
}

// Times edit on a fresh copy of the large model with the selection sel.
template <typename Edit>
void TimeEdit(benchmark::State& state, const BCSubgrid& sel, Edit edit) {
  for (auto _ : state) {
    state.PauseTiming();
    BCEQuasiGrid g = LargeModel();
    g.SelSubgrid = sel;
    g.MarkSelSubGridCells(sel);
    g.SelActive = true;
    state.ResumeTiming();
    edit(g);
    benchmark::DoNotOptimize(g.VV.data());
    state.PauseTiming();  // the copy's release is not the edit's
    g = BCEQuasiGrid();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kNx * kNz);
}

BCSubgrid Columns(int left, int count) {
  return {left, left + count, left * kNz + 1, left * kNz + kNz - 1};
}
BCSubgrid Rows(int bot, int count) {
  return {0, kNx - 1, bot, bot + count - 1};
}

void BM_CopyNodeArraysBaseline(benchmark::State& state) {
  const BCEQuasiGrid& g = LargeModel();
  for (auto _ : state) {
    std::vector<float> zz(g.ZZ), vv(g.VV);
    std::vector<unsigned char> flags(g.CellFlags);
    benchmark::DoNotOptimize(zz.data());
    benchmark::DoNotOptimize(vv.data());
    benchmark::DoNotOptimize(flags.data());
  }
  state.SetItemsProcessed(state.iterations() * kNx * kNz);
}

void BM_InsertVLines(benchmark::State& state) {
  TimeEdit(state, Columns(kMid, 1), [](BCEQuasiGrid& g) { g.InsertVLines(10, 1.2f, 0.01f); });
}
void BM_InsertHLines(benchmark::State& state) {
  TimeEdit(state, Rows(kMidRow, 1), [](BCEQuasiGrid& g) { g.InsertHLines(10, 1.2f, 0.01f); });
}
void BM_InsertVLine(benchmark::State& state) {
  TimeEdit(state, Columns(kMid, 1), [](BCEQuasiGrid& g) { g.InsertVLine(kMid); });
}
void BM_DeleteSelectedLines(benchmark::State& state) {
  TimeEdit(state, Columns(kMid, 100), [](BCEQuasiGrid& g) { g.DeleteSelectedLines(); });
}
void BM_DeleteVLines(benchmark::State& state) {
  TimeEdit(state, Columns(kMid, 100), [](BCEQuasiGrid& g) { g.DeleteVLines(); });
}
void BM_DeleteHLines(benchmark::State& state) {
  TimeEdit(state, Rows(kMidRow, 100), [](BCEQuasiGrid& g) { g.DeleteHLines(); });
}
void BM_ReplaceHLine(benchmark::State& state) {
  const std::vector<float> z(kNx, -2500.5f);
  TimeEdit(state, Rows(kMidRow, 1), [&](BCEQuasiGrid& g) { g.ReplaceHLine(kMidRow, z); });
}
void BM_DoubleColumns(benchmark::State& state) {
  TimeEdit(state, Columns(kMid, 10), [](BCEQuasiGrid& g) { g.DoubleColumns(0.01f); });
}
void BM_HalveColumns(benchmark::State& state) {
  TimeEdit(state, Columns(kMid, 200), [](BCEQuasiGrid& g) { g.HalveColumns(); });
}
void BM_DoubleRows(benchmark::State& state) {
  TimeEdit(state, Rows(kMidRow, 10), [](BCEQuasiGrid& g) { g.DoubleRows(0.01f); });
}
void BM_HalveRows(benchmark::State& state) {
  TimeEdit(state, Rows(kMidRow, 200), [](BCEQuasiGrid& g) { g.HalveRows(); });
}

// The H-line insertion as a vector::insert into each V-line in turn: every insert moves the rest
// of the arrays, so the work grows with Nx x nodes.
void BM_InsertHLinesPerVLineInsert(benchmark::State& state) {
  TimeEdit(state, Rows(kMidRow, 1), [](BCEQuasiGrid& g) {
    const int n = 10;
    for (int c = kNx - 1; c >= 0; --c) {
      const auto at = static_cast<std::ptrdiff_t>(c) * kNz + kMidRow;
      g.ZZ.insert(g.ZZ.begin() + at, n, 0.0f);
      g.VV.insert(g.VV.begin() + at, n, 0.0f);
      g.CellFlags.insert(g.CellFlags.begin() + at, n, 0);
    }
  });
}

BENCHMARK(BM_CopyNodeArraysBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertVLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertHLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertVLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteSelectedLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteVLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteHLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceHLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoubleColumns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HalveColumns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoubleRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HalveRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertHLinesPerVLineInsert)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
