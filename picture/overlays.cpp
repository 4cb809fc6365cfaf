// Drawing the overlays of a picture with cairo.
#include "picture/overlays.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "picture/ticks.h"

namespace {

using Anchor = Painter::Anchor;

// The elevation of H-line izrel at V-line col, in page pixels.
double NodeY(const BCQuasiGrid& g, const PictureFrame& f, int col, int izrel) {
  return f.PageY(g.ZZ[g.NodeIndex(col, izrel)]);
}

// A polyline along row izrel from V-line c0 to c1; with more V-lines than pixels it takes one
// vertex per pixel column, sampled where the H-line crosses it.
void TraceHLine(cairo_t* cr, const BCQuasiGrid& g, const PictureFrame& f, int izrel, int c0,
                int c1) {
  const int steps = c1 - c0;
  const int pixels = std::max(1, static_cast<int>(f.PageX(g.XX[c1]) - f.PageX(g.XX[c0])));
  const int stride = std::max(1, steps / pixels);
  cairo_move_to(cr, f.PageX(g.XX[c0]), NodeY(g, f, c0, izrel));
  for (int c = c0 + stride; c < c1; c += stride)
    cairo_line_to(cr, f.PageX(g.XX[c]), NodeY(g, f, c, izrel));
  cairo_line_to(cr, f.PageX(g.XX[c1]), NodeY(g, f, c1, izrel));
}

void ClipToPlot(cairo_t* cr, const PictureFrame& f) {
  cairo_rectangle(cr, f.plot.x, f.plot.y, f.plot.w, f.plot.h);
  cairo_clip(cr);
}

// A horizon's colour as the host stores it: 0x00BBGGRR.
void SetHostColour(cairo_t* cr, int color) {
  cairo_set_source_rgb(cr, (color & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                       ((color >> 16) & 0xFF) / 255.0);
}

}  // namespace

void DrawGridLines(Painter& p, const BCQuasiGrid& g, const PictureFrame& f) {
  cairo_t* cr = p.Cairo();
  const int nx = g.GetNx();
  cairo_save(cr);
  ClipToPlot(cr, f);
  cairo_set_source_rgba(cr, 0.15, 0.15, 0.15, 0.6);
  cairo_set_line_width(cr, std::max(0.5, f.font / 24));
  for (int c = 0; c < nx; ++c) {
    cairo_move_to(cr, f.PageX(g.XX[c]), NodeY(g, f, c, 0));
    cairo_line_to(cr, f.PageX(g.XX[c]), NodeY(g, f, c, g.Nz - 1));
  }
  for (int iz = 0; iz < g.Nz; ++iz) TraceHLine(cr, g, f, iz, 0, nx - 1);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void DrawHorizons(Painter& p, const BCQuasiGrid& g, const PictureFrame& f) {
  cairo_t* cr = p.Cairo();
  const int nx = g.GetNx();
  for (const BCHor& hor : g.Hors) {
    if (hor.IH < 0 || hor.IH >= g.Nz || nx < 2) continue;
    const int izrel = g.Nz - 1 - hor.IH;
    cairo_save(cr);
    ClipToPlot(cr, f);
    SetHostColour(cr, hor.Color);
    cairo_set_line_width(cr, std::clamp<double>(hor.Width, 1, 20) * f.font / 12);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    TraceHLine(cr, g, f, izrel, 0, nx - 1);
    cairo_stroke(cr);
    cairo_restore(cr);
    const double y = NodeY(g, f, nx - 1, izrel);
    if (std::isfinite(y)) {
      p.Text(f.plot.x + f.plot.w + 0.3 * f.font, y + 0.35 * f.font, std::to_string(hor.ID),
             0.8 * f.font, Anchor::kStart);
    }
  }
}

void DrawSelection(Painter& p, const BCQuasiGrid& g, const PictureFrame& f) {
  const BCSubgrid& s = g.SelSubgrid;
  const int nx = g.GetNx();
  if (!g.SelActive || g.Nz < 2 || s.LeftCol < 0 || s.LeftCol >= s.RightCol || s.RightCol >= nx)
    return;
  const int top = g.GetIZrel(s.TopNode), bottom = g.GetIZrel(s.BotNode) - 1;
  if (bottom < 0 || top < bottom || top >= g.Nz) return;
  cairo_t* cr = p.Cairo();
  cairo_save(cr);
  ClipToPlot(cr, f);
  TraceHLine(cr, g, f, top, s.LeftCol, s.RightCol);
  cairo_line_to(cr, f.PageX(g.XX[s.RightCol]), NodeY(g, f, s.RightCol, bottom));
  for (int c = s.RightCol - 1; c >= s.LeftCol; --c)
    cairo_line_to(cr, f.PageX(g.XX[c]), NodeY(g, f, c, bottom));
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_set_line_width(cr, f.font / 4);
  cairo_stroke_preserve(cr);
  cairo_set_source_rgb(cr, 0.9, 0.1, 0.1);
  cairo_set_line_width(cr, f.font / 8);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void DrawAxes(Painter& p, const PictureFrame& f, const PictureOptions& options) {
  cairo_t* cr = p.Cairo();
  const double tick = 0.4 * f.font;
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, 1);
  cairo_rectangle(cr, f.plot.x, f.plot.y, f.plot.w, f.plot.h);
  cairo_stroke(cr);
  const char* unit = options.Kilometres ? "km" : "m";

  // X ticks: as many as labels of the widest kind fit with a gap between them.
  const double labelWidth =
      p.TextWidth(TickLabel(-std::max(std::fabs(f.xLeft), std::fabs(f.xRight)), 3), 0.9 * f.font) +
      f.font;
  const AxisTicks xt =
      ChooseTicks(f.xLeft, f.xRight, std::max(2, static_cast<int>(f.plot.w / labelWidth)));
  for (const double x : xt.values) {
    const double px = f.PageX(x);
    cairo_move_to(cr, px, f.plot.y + f.plot.h);
    cairo_line_to(cr, px, f.plot.y + f.plot.h + tick);
    p.Text(px, f.plot.y + f.plot.h + tick + f.font, TickLabel(x, xt.decimals), 0.9 * f.font,
           Anchor::kMiddle);
  }
  const AxisTicks zt =
      ChooseTicks(f.zBottom, f.zTop, std::max(2, static_cast<int>(f.plot.h / (2.2 * f.font))));
  for (const double z : zt.values) {
    const double py = f.PageY(z);
    cairo_move_to(cr, f.plot.x - tick, py);
    cairo_line_to(cr, f.plot.x, py);
    p.Text(f.plot.x - tick - 0.2 * f.font, py + 0.35 * f.font, TickLabel(z, zt.decimals),
           0.9 * f.font, Anchor::kEnd);
  }
  cairo_stroke(cr);

  p.Text(f.plot.x + f.plot.w / 2, f.plot.y + f.plot.h + 3.2 * f.font,
         std::string("X (") + unit + ")", f.font, Anchor::kMiddle);
  p.Text(1.2 * f.font, f.plot.y + f.plot.h / 2, std::string("Elevation (") + unit + ")", f.font,
         Anchor::kMiddle, true);
  char ve[48];
  std::snprintf(ve, sizeof ve, f.exaggeration >= 10 ? "V.E. %.0f:1" : "V.E. %.2g:1",
                f.exaggeration);
  p.Text(f.plot.x + f.plot.w, f.plot.y + f.plot.h + 3.2 * f.font, ve, 0.8 * f.font, Anchor::kEnd);
  if (!options.Title.empty())
    p.Text(f.plot.x + f.plot.w / 2, 1.8 * f.font, options.Title, 1.2 * f.font, Anchor::kMiddle);
}

void DrawColourBar(Painter& p, const PictureFrame& f, const ColorMap& map, double vmin, double vmax,
                   const std::string& label) {
  cairo_t* cr = p.Cairo();
  const PageRect& b = f.bar;
  // One band of colour per pixel row, slowest at the bottom.
  const int rows = std::max(1, static_cast<int>(b.h));
  for (int r = 0; r < rows; ++r) {
    const Rgb c = map.At(1.0 - (r + 0.5) / rows);
    cairo_set_source_rgb(cr, c[0] / 255.0, c[1] / 255.0, c[2] / 255.0);
    cairo_rectangle(cr, b.x, b.y + b.h * r / rows, b.w, b.h / rows + 0.5);
    cairo_fill(cr);
  }
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, 1);
  cairo_rectangle(cr, b.x, b.y, b.w, b.h);
  const AxisTicks ticks =
      ChooseTicks(vmin, vmax, std::max(2, static_cast<int>(b.h / (2.2 * f.font))));
  for (const double v : ticks.values) {
    const double y = b.y + (vmax - v) / (vmax - vmin) * b.h;
    cairo_move_to(cr, b.x + b.w, y);
    cairo_line_to(cr, b.x + b.w + 0.4 * f.font, y);
    p.Text(b.x + b.w + 0.6 * f.font, y + 0.35 * f.font, TickLabel(v, ticks.decimals), 0.9 * f.font,
           Anchor::kStart);
  }
  cairo_stroke(cr);
  p.Text(f.pageWidth - 0.6 * f.font, b.y + b.h / 2, label, f.font, Anchor::kMiddle, true);
}
