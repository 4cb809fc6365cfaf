// Text on a picture: cairo glyphs, or SVG text elements.
#include "picture/painter.h"

#include <cstdio>

namespace {

constexpr const char* kFontFamily = "DejaVu Sans";

std::string EscapeXml(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

double Painter::TextWidth(const std::string& text, double size) const {
  cairo_save(cr_);
  cairo_select_font_face(cr_, kFontFamily, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr_, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cr_, text.c_str(), &extents);
  cairo_restore(cr_);
  return extents.x_advance;
}

void Painter::Text(double x, double y, const std::string& text, double size, Anchor anchor,
                   bool vertical) {
  if (svgText_) {
    labels_.push_back({x, y, size, text, anchor, vertical});
    return;
  }
  const double width = TextWidth(text, size);
  const double shift = anchor == Anchor::kStart ? 0 : anchor == Anchor::kMiddle ? width / 2 : width;
  cairo_save(cr_);
  cairo_select_font_face(cr_, kFontFamily, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr_, size);
  cairo_translate(cr_, x, y);
  if (vertical) cairo_rotate(cr_, -1.5707963267948966);
  cairo_move_to(cr_, -shift, 0);
  cairo_set_source_rgb(cr_, 0, 0, 0);
  cairo_show_text(cr_, text.c_str());
  cairo_restore(cr_);
}

std::string Painter::SvgTextElements() const {
  std::string out;
  char head[256];
  for (const Label& l : labels_) {
    const char* anchor = l.anchor == Anchor::kStart    ? "start"
                         : l.anchor == Anchor::kMiddle ? "middle"
                                                       : "end";
    std::snprintf(head, sizeof head,
                  "<text x=\"%.2f\" y=\"%.2f\" font-family=\"%s\" font-size=\"%.2f\" "
                  "text-anchor=\"%s\"",
                  l.x, l.y, kFontFamily, l.size, anchor);
    out += head;
    if (l.vertical) {
      std::snprintf(head, sizeof head, " transform=\"rotate(-90 %.2f %.2f)\"", l.x, l.y);
      out += head;
    }
    out += ">" + EscapeXml(l.text) + "</text>\n";
  }
  return out;
}
