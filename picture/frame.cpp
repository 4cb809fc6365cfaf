// Page layout of a picture.
#include "picture/frame.h"

#include <algorithm>
#include <cmath>

namespace {

// Widens lo..hi around its middle when it is empty or not finite.
void Widen(double& lo, double& hi) {
  if (!std::isfinite(lo) || !std::isfinite(hi)) {
    lo = 0;
    hi = 1;
  }
  if (hi > lo) return;
  const double pad = lo == 0 ? 0.5 : std::fabs(lo) * 0.05;
  lo -= pad;
  hi += pad;
}

}  // namespace

void ModelExtent(const BCQuasiGrid& model, double& xl, double& xr, double& zb, double& zt) {
  xl = model.XX.empty() ? 0 : model.XX.front();
  xr = model.XX.empty() ? 1 : model.XX.back();
  const auto [lo, hi] = std::minmax_element(model.ZZ.begin(), model.ZZ.end());
  zb = model.ZZ.empty() ? 0 : *lo;
  zt = model.ZZ.empty() ? 1 : *hi;
  Widen(xl, xr);
  Widen(zb, zt);
}

PictureFrame LayOutPage(const BCQuasiGrid& model, const PictureOptions& options) {
  PictureFrame f;
  ModelExtent(model, f.xLeft, f.xRight, f.zBottom, f.zTop);
  const double xRange = f.xRight - f.xLeft;
  const double zRange = f.zTop - f.zBottom;
  f.pageWidth = std::clamp(options.Width, kMinPictureSide, kMaxPictureSide);
  f.font = std::clamp(f.pageWidth / 60.0, 9.0, 28.0);
  const double left = 5.5 * f.font, right = 8.5 * f.font;
  const double top = (options.Title.empty() ? 1.5 : 3.0) * f.font, bottom = 4.0 * f.font;
  const double plotWidth = std::max(1.0, f.pageWidth - left - right);

  double plotHeight = 0;
  if (options.Height > 0) {
    f.pageHeight = std::clamp(options.Height, kMinPictureSide, kMaxPictureSide);
    plotHeight = std::max(1.0, f.pageHeight - top - bottom);
  } else {
    const double ve = options.Exaggeration > 0 ? options.Exaggeration : 0;
    plotHeight = ve > 0 ? ve * plotWidth * zRange / xRange : 320 - top - bottom;
    if (!std::isfinite(plotHeight)) plotHeight = 1;
    plotHeight = std::clamp(plotHeight, 1.0, kMaxPictureSide - top - bottom);
    f.pageHeight = static_cast<int>(std::lround(plotHeight + top + bottom));
  }
  f.plot = {left, top, plotWidth, plotHeight};
  // A fixed page with a requested exaggeration: the plot keeps its aspect inside the page.
  if (options.Height > 0 && options.Exaggeration > 0) {
    const double wantedHeight = options.Exaggeration * plotWidth * zRange / xRange;
    if (wantedHeight > plotHeight) {
      f.plot.w = std::max(1.0, plotHeight / wantedHeight * plotWidth);
    } else {
      f.plot.h = std::max(1.0, wantedHeight);
    }
  }
  f.exaggeration = (f.plot.h / zRange) / (f.plot.w / xRange);
  f.bar = {f.plot.x + f.plot.w + 1.5 * f.font, f.plot.y, 1.2 * f.font, f.plot.h};
  return f;
}
