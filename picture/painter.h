// Drawing on a cairo context with text that stays text: an SVG page keeps its labels as <text>
// elements (searchable and editable), the other pages draw them with cairo in DejaVu Sans.
#pragma once

#include <cairo.h>

#include <string>
#include <vector>

class Painter {
 public:
  Painter(cairo_t* cr, bool svgText) : cr_(cr), svgText_(svgText) {}
  cairo_t* Cairo() const { return cr_; }

  enum class Anchor { kStart, kMiddle, kEnd };
  // Text of size pixels with its baseline's anchor point at (x, y); vertical turns it a quarter
  // to read upwards.
  void Text(double x, double y, const std::string& text, double size, Anchor anchor,
            bool vertical = false);
  // The width the text takes at size pixels.
  double TextWidth(const std::string& text, double size) const;
  // The <text> elements of an SVG page, to put before its closing tag.
  std::string SvgTextElements() const;

 private:
  struct Label {
    double x, y, size;
    std::string text;
    Anchor anchor;
    bool vertical;
  };
  cairo_t* cr_;
  bool svgText_;
  std::vector<Label> labels_;
};
