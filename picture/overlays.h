// What a picture draws over the cells: grid lines, horizons, the selection, axes, the colour bar
// and the title.
#pragma once

#include "model/quasigrid.h"
#include "picture/colormap.h"
#include "picture/frame.h"
#include "picture/painter.h"
#include "picture/picture.h"

// Thin lines along every V-line and H-line.
void DrawGridLines(Painter& p, const BCQuasiGrid& model, const PictureFrame& f);
// Each horizon along its H-line in its own colour and width, its identifier at its right end.
void DrawHorizons(Painter& p, const BCQuasiGrid& model, const PictureFrame& f);
// The outline of the selected cells, when the model has a selection.
void DrawSelection(Painter& p, const BCQuasiGrid& model, const PictureFrame& f);
// The plot's frame, X and elevation ticks with labels in the model's units, axis titles, the
// vertical exaggeration, and the title.
void DrawAxes(Painter& p, const PictureFrame& f, const PictureOptions& options);
// The colour bar from vmin (bottom) to vmax (top) with ticks and its label.
void DrawColourBar(Painter& p, const PictureFrame& f, const ColorMap& map, double vmin, double vmax,
                   const std::string& label);
