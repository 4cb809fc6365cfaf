// The page of a picture: where the plot, the axes and the colour bar go, and the map from model
// coordinates to page pixels.
#pragma once

#include "model/quasigrid.h"
#include "picture/picture.h"

struct PageRect {
  double x = 0, y = 0, w = 0, h = 0;  // left, top, width, height in page pixels
};

struct PictureFrame {
  int pageWidth = 0;
  int pageHeight = 0;
  double font = 12;              // text size in pixels
  PageRect plot;                 // the model's extent
  PageRect bar;                  // the colour bar
  double xLeft = 0, xRight = 1;  // model X at the plot's left and right edges
  double zBottom = 0, zTop = 1;  // elevation at the plot's bottom and top edges
  double exaggeration = 1;       // vertical exaggeration of the plot as drawn

  double PageX(double x) const { return plot.x + (x - xLeft) / (xRight - xLeft) * plot.w; }
  double PageY(double z) const { return plot.y + (zTop - z) / (zTop - zBottom) * plot.h; }
};

// Lays out the page for the model and the options: margins for the axis labels, a strip on the
// right for the colour bar, the plot in the rest (narrowed to keep a requested exaggeration).
PictureFrame LayOutPage(const BCQuasiGrid& model, const PictureOptions& options);

// The extent a picture shows: the first and last V-line, the lowest and highest node, widened
// around its middle where it is empty so that flat or single-valued models still draw.
void ModelExtent(const BCQuasiGrid& model, double& xl, double& xr, double& zb, double& zt);
