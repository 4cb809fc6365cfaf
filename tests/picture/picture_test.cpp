// Pictures: tick choice, cell colours read back from the PNG, labels found as text in the SVG and
// the PDF, and models of awkward shapes that must all draw.
#include "picture/picture.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <tuple>

#include "picture/colormap.h"
#include "picture/frame.h"
#include "picture/ticks.h"
#include "support/hand_model.h"
#include "support/scratch_dir.h"

namespace {

TEST(ChooseTicks, RoundStepsZeroIncludedAndNeverTooMany) {
  // Range, most ticks, step and decimals: 0 is a tick; a kilometre scale of a metre (0.0002 would
  // give 6); the float limits.
  const std::tuple<double, double, int, double, int> cases[] = {
      {-200, 26.88, 5, 50, 0}, {0, 0.001, 5, 0.0005, 4}, {-3e38, 3e38, 4, 2e38, 0}};
  for (const auto& [lo, hi, maxCount, step, decimals] : cases) {
    const AxisTicks t = ChooseTicks(lo, hi, maxCount);
    EXPECT_DOUBLE_EQ(t.step, step) << lo << ".." << hi;
    EXPECT_EQ(t.decimals, decimals) << lo << ".." << hi;
    EXPECT_TRUE(t.values.size() >= 2 && static_cast<int>(t.values.size()) <= maxCount);
    for (const double v : t.values) EXPECT_TRUE(v >= lo && v <= hi) << v;
  }
  EXPECT_TRUE(ChooseTicks(5, 5, 4).values.empty());  // an empty range has no ticks
  EXPECT_EQ(TickLabel(-0.00001, 1), "0.0");
}

// Two cell columns of two rows over X 0..100, elevation -100..0: velocities 1000 and 2000 from
// the top in the left column, 3000 and 4000 in the right; the copy nodes repeat them.
BCQuasiGrid FourCells() {
  BCQuasiGrid g = HandModel({0, 50, 100}, {-100, -50, 0, -100, -50, 0, -100, -50, 0});
  g.VV = {2000, 2000, 1000, 4000, 4000, 3000, 4000, 4000, 3000};
  return g;
}

using SurfacePtr = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Rgb PixelAt(cairo_surface_t* s, double x, double y) {
  const unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  uint32_t argb;
  std::memcpy(&argb, data + static_cast<int>(y) * stride + 4 * static_cast<int>(x), 4);
  return {static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
          static_cast<uint8_t>(argb)};
}

TEST(DrawModelPicture, CellsAndColourBarCarryTheMapsColours) {
  ScratchDir dir;
  const BCQuasiGrid g = FourCells();
  PictureOptions o;
  o.Width = 600;
  o.Height = 400;
  o.FixedRange = true;
  o.RangeMin = 0;
  o.RangeMax = 5000;
  ASSERT_EQ(DrawModelPicture(g, o, dir.File("p.png")), "");
  SurfacePtr png(cairo_image_surface_create_from_png(dir.File("p.png").c_str()),
                 cairo_surface_destroy);
  ASSERT_EQ(cairo_surface_status(png.get()), CAIRO_STATUS_SUCCESS);
  ColorMap map;
  ASSERT_TRUE(ColorMap::Find("viridis", false, map));
  const PictureFrame f = LayOutPage(g, o);
  for (int c = 0; c < 2; ++c)
    for (int r = 0; r < 2; ++r)  // velocities 1000, 2000 in the left column, 3000, 4000 right
      EXPECT_EQ(PixelAt(png.get(), f.PageX(25 + 50 * c), f.PageY(-25 - 50 * r)),
                map.At((1 + 2 * c + r) / 5.0))
          << c << "," << r;
  // The bar runs from the range's start at its foot to its end at its head.
  const auto near = [](Rgb a, Rgb b) {
    for (size_t k = 0; k < 3; ++k)
      if (std::abs(a[k] - b[k]) > 6) return false;
    return true;
  };
  const double barX = f.bar.x + f.bar.w / 2;
  EXPECT_TRUE(near(PixelAt(png.get(), barX, f.bar.y + f.bar.h - 2), map.At(0)));
  EXPECT_TRUE(near(PixelAt(png.get(), barX, f.bar.y + 2), map.At(1)));
  // A selection of the left column is outlined in red along its edge, over the cells.
  BCQuasiGrid selected = g;
  selected.SelSubgrid = {0, 1, 1, 2};
  selected.SelActive = true;
  ASSERT_EQ(DrawModelPicture(selected, o, dir.File("s.png")), "");
  SurfacePtr outlined(cairo_image_surface_create_from_png(dir.File("s.png").c_str()),
                      cairo_surface_destroy);
  const Rgb edge = PixelAt(outlined.get(), f.PageX(50), f.PageY(-50));
  EXPECT_GT(edge[0] - edge[1], 100) << int{edge[0]} << "," << int{edge[1]};
  EXPECT_EQ(PixelAt(outlined.get(), f.PageX(75), f.PageY(-75)), map.At(4000 / 5000.0));
}

TEST(DrawModelPicture, SvgAndPdfCarryTheirLabelsAsText) {
  ScratchDir dir;
  BCQuasiGrid g = FourCells();
  g.Hors.resize(1);
  g.Hors[0].IH = 1;
  g.Hors[0].ID = 7;
  PictureOptions o;
  o.Kilometres = true;
  o.Title = "Line <7>";
  ASSERT_EQ(DrawModelPicture(g, o, dir.File("p.svg")), "");
  const std::string svg = dir.Read("p.svg");
  for (const char* label : {">Elevation (km)<", ">-100<", ">7<", ">Line &lt;7&gt;<", ">V.E. "})
    EXPECT_NE(svg.find(label), std::string::npos) << label;
  ASSERT_EQ(DrawModelPicture(g, PictureOptions{}, dir.File("p.pdf")), "");
  EXPECT_EQ(std::system(("pdftotext " + dir.File("p.pdf") + " - | grep -q Velocity").c_str()), 0);
  // Only the three kinds of page, and only known colour maps.
  EXPECT_NE(DrawModelPicture(g, PictureOptions{}, dir.File("p.jpg")), "");
  o.Colormap = "rainbow";
  EXPECT_NE(DrawModelPicture(g, o, dir.File("p.png")), "");
}

TEST(DrawModelPicture, AwkwardModelsAllDraw) {
  ScratchDir dir;
  const auto build = [](BCFRect rect, int nx, int nz, float vTop, float vBottom) {
    TIniModel ini{rect, nx, nz, vTop, vTop, vBottom, vBottom, true};
    BCQuasiGrid g;
    EXPECT_TRUE(g.Init(ini));
    return g;
  };
  BCQuasiGrid models[] = {
      build(BCFRect(0, 0, 0.001f, -0.0005f), 11, 6, 1, 2),      // km, spanning a metre
      build(BCFRect(0, 0, 100, -50), 11, 6, 1500, 1500),        // all velocities equal
      build(BCFRect(0, 0, 1000, -200), 1581, 1581, 500, 3000),  // 2.5 million nodes
  };
  for (BCQuasiGrid& g : models) {
    const PictureOptions o;
    EXPECT_EQ(DrawModelPicture(g, o, dir.File("p.png")), "") << g.GetNx();
    // Every pixel of the plot's middle row is a cell.
    const std::vector<uint32_t> raster = RenderCellRaster(g, o, 64, 32);
    for (int x = 0; x < 64; ++x) EXPECT_NE(raster[16 * 64 + x] >> 24, 0u) << g.GetNx() << " " << x;
  }
}

}  // namespace
