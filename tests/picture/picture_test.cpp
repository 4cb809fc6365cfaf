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

#include "picture/colormap.h"
#include "picture/frame.h"
#include "picture/ticks.h"
#include "support/scratch_dir.h"

namespace {

TEST(ChooseTicks, RoundStepsZeroIncludedAndNeverTooMany) {
  struct Case {
    double lo, hi;
    int maxCount;
    double step;
    int decimals;
  };
  const Case cases[] = {
      {0, 1000, 6, 200, 0},       // 0, 200, ... 1000
      {-200, 26.88, 5, 50, 0},    // -200 .. 0: 0 is a tick
      {0, 0.001, 5, 0.0005, 4},   // a kilometre scale of a metre: 0.0002 would give 6
      {1500, 1500.5, 3, 0.2, 1},  // a narrow range far from 0
      {-3e38, 3e38, 4, 2e38, 0},  // the float limits
  };
  for (const Case& c : cases) {
    const AxisTicks t = ChooseTicks(c.lo, c.hi, c.maxCount);
    EXPECT_DOUBLE_EQ(t.step, c.step) << c.lo << ".." << c.hi;
    EXPECT_EQ(t.decimals, c.decimals) << c.lo << ".." << c.hi;
    EXPECT_LE(static_cast<int>(t.values.size()), c.maxCount);
    EXPECT_GE(t.values.size(), 2u);
    for (const double v : t.values) EXPECT_TRUE(v >= c.lo && v <= c.hi) << v;
  }
  EXPECT_TRUE(ChooseTicks(5, 5, 4).values.empty());  // an empty range has no ticks
  EXPECT_EQ(TickLabel(-0.00001, 1), "0.0");
  EXPECT_EQ(TickLabel(-200, 0), "-200");
}

// Two cell columns of two rows over X 0..100, elevation -100..0, velocities by cell.
BCQuasiGrid FourCells() {
  TIniModel ini{};
  ini.Rect = BCFRect(0, 0, 100, -100);
  ini.Nx = 3;
  ini.Nz = 3;
  ini.SetVel = false;
  BCQuasiGrid g;
  g.Init(ini);
  const float v[2][2] = {{1000, 2000}, {3000, 4000}};  // [column][row from the top]
  for (int c = 0; c < 2; ++c)
    for (int r = 0; r < 2; ++r) g.VV[g.NodeIndex(c, 2 - r)] = v[c][r];
  g.TrimVelocity();
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
  EXPECT_EQ(cairo_image_surface_get_width(png.get()), 600);
  ColorMap map;
  ASSERT_TRUE(ColorMap::Find("viridis", false, map));
  const PictureFrame f = LayOutPage(g, o);
  const float v[2][2] = {{1000, 2000}, {3000, 4000}};
  for (int c = 0; c < 2; ++c) {
    for (int r = 0; r < 2; ++r) {
      const double x = f.PageX(25 + 50 * c), y = f.PageY(-25 - 50 * r);
      EXPECT_EQ(PixelAt(png.get(), x, y), map.At(v[c][r] / 5000.0)) << c << "," << r;
    }
  }
  // The bar runs from the range's start at its foot to its end at its head.
  const auto near = [](Rgb a, Rgb b) {
    for (size_t k = 0; k < 3; ++k) {
      if (std::abs(a[k] - b[k]) > 6) return false;
    }
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
  // The plot lies inside the page with room for the axis labels around it.
  EXPECT_GT(f.plot.x, 2 * f.font);
  EXPECT_LT(f.plot.y + f.plot.h, 400 - 2 * f.font);
  EXPECT_LT(f.bar.x + f.bar.w, 600 - 2 * f.font);
}

TEST(DrawModelPicture, SvgAndPdfCarryTheirLabelsAsText) {
  ScratchDir dir;
  BCQuasiGrid g = FourCells();
  BCHor hor;
  hor.IH = 1;
  hor.ID = 7;
  g.Hors.push_back(hor);
  PictureOptions o;
  o.Kilometres = true;
  o.Title = "Line <7>";
  ASSERT_EQ(DrawModelPicture(g, o, dir.File("p.svg")), "");
  const std::string svg = dir.Read("p.svg");
  for (const char* label : {">X (km)<", ">Elevation (km)<", ">Velocity (km/s)<", ">-100<", ">0<",
                            ">7<", ">Line &lt;7&gt;<", ">V.E. "}) {
    EXPECT_NE(svg.find(label), std::string::npos) << label;
  }
  ASSERT_EQ(DrawModelPicture(g, PictureOptions{}, dir.File("p.pdf")), "");
  EXPECT_EQ(dir.Read("p.pdf").substr(0, 5), "%PDF-");
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
      build(BCFRect(0, 0, 1, -1), 2, 2, 1, 2),                  // one cell
      build(BCFRect(0, 0, 0.001f, -0.0005f), 11, 6, 1, 2),      // km, spanning a metre
      build(BCFRect(0, 0, 100, -50), 11, 6, 1500, 1500),        // all velocities equal
      build(BCFRect(0, 0, 1000, -200), 1581, 1581, 500, 3000),  // 2.5 million nodes
  };
  for (BCQuasiGrid& g : models) {
    PictureOptions o;
    o.Width = 1600;
    o.Height = 900;
    EXPECT_EQ(DrawModelPicture(g, o, dir.File("p.png")), "") << g.GetNx();
    // Every pixel of the plot's middle row is a cell.
    const std::vector<uint32_t> raster = RenderCellRaster(g, o, 64, 32);
    for (int x = 0; x < 64; ++x) EXPECT_NE(raster[16 * 64 + x] >> 24, 0u) << g.GetNx() << " " << x;
  }
  // Flat: every elevation equal; the picture still comes out.
  BCQuasiGrid flat = models[0];
  for (float& z : flat.ZZ) z = 0;
  EXPECT_EQ(DrawModelPicture(flat, PictureOptions{}, dir.File("flat.png")), "");
}

}  // namespace
