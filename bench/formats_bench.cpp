// The exports of a 2.5-million-node model, each beside its baseline: the x-z-v and VTK texts
// beside the bare formatting of the same numbers, the netCDF grid of 1600 x 900 samples beside
// the point queries alone.
#include <benchmark/benchmark.h>

#include <cmath>
#include <streambuf>
#include <string>
#include <vector>

#include "formats/grid_netcdf.h"
#include "formats/internal/number_text.h"
#include "formats/vtk.h"
#include "formats/xyz.h"
#include "platform/strings.h"
#include "support/scratch_dir.h"

namespace {

// X 0..16000 and elevation -9000..0, the top falling to the right (samples above it are NaN),
// so that a spacing of 10 gives a grid of exactly 1600 x 900 samples.
BCEQuasiGrid& BigModel() {
  static BCEQuasiGrid model = [] {
    TIniModel ini{BCFRect(0, 0, 16000, -9000), 2500, 1000, 500, 1500, 3000, 5000, true};
    BCEQuasiGrid g;
    g.Init(ini);
    for (size_t i = 0; i < g.ZZ.size(); ++i) {
      // Each V-line squeezed down a little more than the one before, its bottom kept.
      g.ZZ[i] -= static_cast<float>(i / 1000) * 0.002f * static_cast<float>(i % 1000);
    }
    return g;
  }();
  return model;
}

// A stream that counts and drops what it is given, so that only the text making is measured.
class NullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return c; }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void BM_ExportXyz(benchmark::State& state) {
  const BCEQuasiGrid& g = BigModel();
  NullBuffer buffer;
  std::ostream out(&buffer);
  for (auto _ : state) WriteXyz(g, out);
}
BENCHMARK(BM_ExportXyz)->Unit(benchmark::kMillisecond);

// Baseline: the same 3 numbers per node through the shared formatter, in one flat pass.
void BM_XyzNumbersBaseline(benchmark::State& state) {
  const BCEQuasiGrid& g = BigModel();
  NullBuffer buffer;
  std::ostream out(&buffer);
  for (auto _ : state) {
    for (size_t i = 0; i < g.ZZ.size(); ++i) {
      out << NumberText(g.XX[i / 1000]) << ' ' << NumberText(g.ZZ[i]) << ' ' << NumberText(g.VV[i])
          << '\n';
    }
  }
}
BENCHMARK(BM_XyzNumbersBaseline)->Unit(benchmark::kMillisecond);

void BM_ExportVtu(benchmark::State& state) {
  const BCEQuasiGrid& g = BigModel();
  NullBuffer buffer;
  std::ostream out(&buffer);
  for (auto _ : state) WriteVtu(g, out);
}
BENCHMARK(BM_ExportVtu)->Unit(benchmark::kMillisecond);

// Baseline: the numbers of the VTK file (points, four corners, offset and type per cell, the
// cell and point data) through the shared formatter, in flat passes.
void BM_VtuNumbersBaseline(benchmark::State& state) {
  const BCEQuasiGrid& g = BigModel();
  NullBuffer buffer;
  std::ostream out(&buffer);
  const int cells = (g.GetNx() - 1) * (g.Nz - 1);
  for (auto _ : state) {
    for (size_t i = 0; i < g.ZZ.size(); ++i)
      out << NumberText(g.XX[i / 1000]) << ' ' << NumberText(g.ZZ[i]) << " 0\n";
    for (int c = 0; c < cells; ++c) {
      out << FormatStr("%d %d %d %d\n", c, c + 1, c + 2, c + 3) << FormatStr("%d\n", 4 * c) << "9\n"
          << NumberText(g.VV[static_cast<size_t>(c)]) << '\n'
          << "0\n";
    }
    for (const float v : g.VV) out << NumberText(v) << '\n';
  }
}
BENCHMARK(BM_VtuNumbersBaseline)->Unit(benchmark::kMillisecond);

void BM_ExportNetcdfGrid(benchmark::State& state) {
  const BCEQuasiGrid& g = BigModel();
  const ScratchDir dir;
  GridSampling sampling;
  sampling.Dx = 10;
  sampling.Dz = 10;
  for (auto _ : state) benchmark::DoNotOptimize(WriteNetcdfGrid(g, sampling, dir.File("g.nc")));
}
BENCHMARK(BM_ExportNetcdfGrid)->Unit(benchmark::kMillisecond);

// Baseline: the point queries of the same 1600 x 900 samples, kept in memory.
void BM_GridPointQueries(benchmark::State& state) {
  const BCEQuasiGrid& g = BigModel();
  std::vector<float> xs;
  std::vector<float> zs;
  GridAxis(g.XX.front(), g.XX.back(), 10, "X", xs);
  GridAxis(g.ModelRect.bottom, g.ModelRect.top, 10, "Z", zs);
  std::vector<float> samples(xs.size() * zs.size());
  for (auto _ : state) {
    for (size_t j = 0; j < zs.size(); ++j) {
      for (size_t i = 0; i < xs.size(); ++i)
        samples[j * xs.size() + i] = SampleVelocity(g, xs[i], zs[j], GridSample::kCell);
    }
    benchmark::DoNotOptimize(samples.data());
  }
  state.counters["samples"] = static_cast<double>(samples.size());
}
BENCHMARK(BM_GridPointQueries)->Unit(benchmark::kMillisecond);

}  // namespace
