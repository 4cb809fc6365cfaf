// Drawing a 2.5-million-node model into a 1600 x 900 PNG, beside cairo writing a blank page of
// the same size: the cells cost little more than the PNG encoding itself.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <string>

#include "picture/picture.h"
#include "support/scratch_dir.h"

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 900;

BCQuasiGrid& BigModel() {
  static BCQuasiGrid model = [] {
    TIniModel ini{BCFRect(0, 0, 10000, -2000), 1581, 1581, 500, 1500, 3000, 5000, true};
    BCQuasiGrid g;
    g.Init(ini);
    return g;
  }();
  return model;
}

void BM_DrawModelPicture(benchmark::State& state) {
  BCQuasiGrid& g = BigModel();
  const ScratchDir dir;
  const std::string path = dir.File("picture.png");
  PictureOptions o;
  o.Width = kWidth;
  o.Height = kHeight;
  for (auto _ : state) benchmark::DoNotOptimize(DrawModelPicture(g, o, path));
}
BENCHMARK(BM_DrawModelPicture)->Unit(benchmark::kMillisecond);

// The same page for a model of one cell: what the page costs without the cells.
void BM_DrawOneCellPicture(benchmark::State& state) {
  TIniModel ini{BCFRect(0, 0, 10000, -2000), 2, 2, 500, 1500, 3000, 5000, true};
  BCQuasiGrid g;
  g.Init(ini);
  const ScratchDir dir;
  PictureOptions o;
  o.Width = kWidth;
  o.Height = kHeight;
  for (auto _ : state) benchmark::DoNotOptimize(DrawModelPicture(g, o, dir.File("one.png")));
}
BENCHMARK(BM_DrawOneCellPicture)->Unit(benchmark::kMillisecond);

// Baseline: cairo writing a white page of the same size.
void BM_BlankPng(benchmark::State& state) {
  const ScratchDir dir;
  const std::string path = dir.File("blank.png");
  for (auto _ : state) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_destroy(cr);
    benchmark::DoNotOptimize(cairo_surface_write_to_png(s, path.c_str()));
    cairo_surface_destroy(s);
  }
}
BENCHMARK(BM_BlankPng)->Unit(benchmark::kMillisecond);

}  // namespace
