// Drawing a whole picture: the page, the cells, the overlays, and the file of the right kind.
#include "picture/picture.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "picture/colormap.h"
#include "picture/frame.h"
#include "picture/overlays.h"
#include "picture/painter.h"
#include "picture/raster.h"

namespace {

enum class PageKind { kPng, kSvg, kPdf, kUnknown };

PageKind KindOf(const std::string& path) {
  if (path == "-") return PageKind::kPng;
  const auto ends = [&](const char* ending) {
    const std::string e = ending;
    if (path.size() < e.size()) return false;
    std::string tail = path.substr(path.size() - e.size());
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return tail == e;
  };
  if (ends(".png")) return PageKind::kPng;
  if (ends(".svg")) return PageKind::kSvg;
  if (ends(".pdf")) return PageKind::kPdf;
  return PageKind::kUnknown;
}

const std::vector<float>& ValuesOf(const BCQuasiGrid& model, const PictureOptions& o) {
  return o.Values.empty() ? model.VV : o.Values;
}

// The colour scale: the requested range, else the range of the finite cell values, widened
// around its middle when all values are equal.
void ValueRange(const BCQuasiGrid& model, const PictureOptions& o, double& vmin, double& vmax) {
  if (o.FixedRange) {
    vmin = o.RangeMin;
    vmax = o.RangeMax;
  } else {
    vmin = INFINITY;
    vmax = -INFINITY;
    for (const float v : ValuesOf(model, o)) {
      if (!std::isfinite(v)) continue;
      vmin = std::min(vmin, double{v});
      vmax = std::max(vmax, double{v});
    }
  }
  if (!std::isfinite(vmin) || !std::isfinite(vmax) || vmax < vmin) {
    vmin = 0;
    vmax = 1;
  }
  if (vmax == vmin) {
    const double pad = vmin == 0 ? 0.5 : std::fabs(vmin) * 0.05;
    vmin -= pad;
    vmax += pad;
  }
}

using SurfacePtr = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using ContextPtr = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

SurfacePtr MakePage(PageKind kind, const std::string& path, int w, int h) {
  switch (kind) {
    case PageKind::kSvg:
      return SurfacePtr(cairo_svg_surface_create(path.c_str(), w, h), cairo_surface_destroy);
    case PageKind::kPdf:
      return SurfacePtr(cairo_pdf_surface_create(path.c_str(), w, h), cairo_surface_destroy);
    default:
      return SurfacePtr(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h),
                        cairo_surface_destroy);
  }
}

// The cells of the plot area as an image painted onto the page, pixel for pixel.
void PaintCells(cairo_t* cr, const BCQuasiGrid& model, const PictureOptions& o,
                const PictureFrame& f, const CellColouring& colouring) {
  const int w = std::max(1, static_cast<int>(std::ceil(f.plot.w)));
  const int h = std::max(1, static_cast<int>(std::ceil(f.plot.h)));
  SurfacePtr image(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h), cairo_surface_destroy);
  if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) return;
  std::vector<uint32_t> pixels;
  FillCells(model, colouring, f.xLeft, f.xRight, f.zBottom, f.zTop, w, h, pixels);
  cairo_surface_flush(image.get());
  unsigned char* data = cairo_image_surface_get_data(image.get());
  const int stride = cairo_image_surface_get_stride(image.get());
  for (int y = 0; y < h; ++y)
    std::copy_n(pixels.data() + static_cast<size_t>(y) * w, w,
                reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride));
  cairo_surface_mark_dirty(image.get());
  cairo_save(cr);
  cairo_rectangle(cr, f.plot.x, f.plot.y, f.plot.w, f.plot.h);
  cairo_clip(cr);
  cairo_translate(cr, f.plot.x, f.plot.y);
  cairo_scale(cr, f.plot.w / w, f.plot.h / h);
  cairo_set_source_surface(cr, image.get(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_restore(cr);
  (void)o;
}

bool GridWanted(const BCQuasiGrid& model, const PictureOptions& o, const PictureFrame& f) {
  if (o.Grid >= 0) return o.Grid == 1;
  constexpr double kMinCellPixels = 5;
  return f.plot.w / std::max(1, model.GetNx() - 1) >= kMinCellPixels &&
         f.plot.h / std::max(1, model.Nz - 1) >= kMinCellPixels;
}

cairo_status_t WriteToStdout(void*, const unsigned char* data, unsigned int length) {
  return std::fwrite(data, 1, length, stdout) == length ? CAIRO_STATUS_SUCCESS
                                                        : CAIRO_STATUS_WRITE_ERROR;
}

// Puts the collected text elements into the SVG that cairo wrote, before its closing tag.
bool AddSvgText(const std::string& path, const std::string& elements) {
  std::ifstream in(path, std::ios::binary);
  std::string svg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t end = svg.rfind("</svg>");
  if (!in.good() && !in.eof()) return false;
  if (end == std::string::npos) return false;
  svg.insert(end, "<g id=\"labels\" fill=\"black\">\n" + elements + "</g>\n");
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << svg;
  return static_cast<bool>(out);
}

std::string Describe(cairo_status_t status, const std::string& path) {
  return "cannot write " + path + ": " + cairo_status_to_string(status);
}

}  // namespace

std::vector<uint32_t> RenderCellRaster(const BCQuasiGrid& model, const PictureOptions& options,
                                       int width, int height) {
  ColorMap map;
  if (!ColorMap::Find(options.Colormap, options.Reverse, map))
    ColorMap::Find("viridis", false, map);
  double vmin = 0, vmax = 1, xl = 0, xr = 1, zb = 0, zt = 1;
  ValueRange(model, options, vmin, vmax);
  ModelExtent(model, xl, xr, zb, zt);
  const CellColouring colouring{&ValuesOf(model, options), vmin, vmax, &map, true};
  std::vector<uint32_t> pixels;
  FillCells(model, colouring, xl, xr, zb, zt, std::max(1, width), std::max(1, height), pixels);
  return pixels;
}

std::string DrawModelPicture(const BCQuasiGrid& model, const PictureOptions& options,
                             const std::string& path) {
  const PageKind kind = KindOf(path);
  if (kind == PageKind::kUnknown) return path + ": the picture file must end in .png, .svg or .pdf";
  ColorMap map;
  if (!ColorMap::Find(options.Colormap, options.Reverse, map))
    return "no colour map '" + options.Colormap + "' (there are " + ColorMap::Names() + ")";
  if (model.GetNx() < 2 || model.Nz < 2) return "the model holds no cells";
  const PictureFrame f = LayOutPage(model, options);
  double vmin = 0, vmax = 1;
  ValueRange(model, options, vmin, vmax);

  SurfacePtr page = MakePage(kind, path, f.pageWidth, f.pageHeight);
  if (const cairo_status_t s = cairo_surface_status(page.get()); s != CAIRO_STATUS_SUCCESS)
    return Describe(s, path);
  ContextPtr cr(cairo_create(page.get()), cairo_destroy);
  cairo_set_source_rgb(cr.get(), 1, 1, 1);
  cairo_paint(cr.get());

  Painter painter(cr.get(), kind == PageKind::kSvg);
  const CellColouring colouring{&ValuesOf(model, options), vmin, vmax, &map, true};
  PaintCells(cr.get(), model, options, f, colouring);
  if (GridWanted(model, options, f)) DrawGridLines(painter, model, f);
  DrawHorizons(painter, model, f);
  DrawSelection(painter, model, f);
  DrawAxes(painter, f, options);
  const std::string label = !options.Values.empty() ? options.ValueLabel
                            : options.Kilometres    ? "Velocity (km/s)"
                                                    : "Velocity (m/s)";
  DrawColourBar(painter, f, map, vmin, vmax, label);

  if (const cairo_status_t s = cairo_status(cr.get()); s != CAIRO_STATUS_SUCCESS)
    return Describe(s, path);
  cr.reset();
  cairo_status_t status = CAIRO_STATUS_SUCCESS;
  if (kind == PageKind::kPng) {
    status = path == "-" ? cairo_surface_write_to_png_stream(page.get(), WriteToStdout, nullptr)
                         : cairo_surface_write_to_png(page.get(), path.c_str());
  } else {
    cairo_surface_finish(page.get());
    status = cairo_surface_status(page.get());
  }
  if (status != CAIRO_STATUS_SUCCESS) return Describe(status, path);
  if (kind == PageKind::kSvg && !AddSvgText(path, painter.SvgTextElements()))
    return "cannot write " + path;
  return {};
}
