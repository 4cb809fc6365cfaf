// Rendering a model by asking, for each pixel, which cell holds its point: the cell look-up is
// logarithmic, so a picture of a 2.5-million-node model costs no more than one of a small model.
#include "cli/picture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "cli/png_writer.h"

namespace {

using Rgb = std::array<uint8_t, 3>;

constexpr Rgb kOutside = {255, 255, 255};
constexpr Rgb kGridLine = {60, 60, 60};
constexpr Rgb kHorizon = {0, 0, 0};
constexpr int kMinCellPixels = 6;  // grid lines are drawn only when cells are at least this big

// Slow rock red, fast rock blue. The position in the range is taken in double, so that a range
// from -3e38 to 3e38 does not overflow; anything not finite gets the middle colour.
Rgb VelocityColour(float v, float vmin, float vmax) {
  static constexpr std::array<Rgb, 5> kStops = {
      Rgb{165, 0, 38}, Rgb{244, 109, 67}, Rgb{254, 224, 144}, Rgb{116, 173, 209}, Rgb{49, 54, 149}};
  double t = vmax > vmin ? (double{v} - vmin) / (double{vmax} - vmin) : 0.5;
  if (!std::isfinite(t)) t = 0.5;
  t = std::clamp(t, 0.0, 1.0) * static_cast<double>(kStops.size() - 1);
  const size_t i = std::min(static_cast<size_t>(t), kStops.size() - 2);
  const double f = t - static_cast<double>(i);
  Rgb c{};
  for (size_t k = 0; k < 3; ++k)
    c[k] = static_cast<uint8_t>(kStops[i][k] + f * (kStops[i + 1][k] - kStops[i][k]));
  return c;
}

Rgb Darker(Rgb c) {
  return {static_cast<uint8_t>(c[0] / 2), static_cast<uint8_t>(c[1] / 2),
          static_cast<uint8_t>(c[2] / 2)};
}

class Canvas {
 public:
  Canvas(const BCQuasiGrid& model, PictureSize size)
      : model_(model), size_(size), rgb_(3 * static_cast<size_t>(size.width) * size.height, 255) {
    const BCFRect& r = model.ModelRect;
    dx_ = (r.right - r.left) / static_cast<float>(size.width);
    dz_ = (r.top - r.bottom) / static_cast<float>(size.height);
  }

  void DrawCells() {
    const auto [lo, hi] = std::minmax_element(model_.VV.begin(), model_.VV.end());
    const float vmin = *lo, vmax = *hi;
    const int nx = model_.GetNx();
    const bool lines = (nx - 1) * kMinCellPixels <= size_.width &&
                       (model_.Nz - 1) * kMinCellPixels <= size_.height;
    std::vector<int> above(static_cast<size_t>(size_.width), -1);  // cell of the row above
    for (int py = 0; py < size_.height; ++py) {
      int left = -1;
      for (int px = 0; px < size_.width; ++px) {
        int node = CellAt(px, py);
        Rgb c = kOutside;
        if (node >= 0) {
          c = VelocityColour(model_.VV[node], vmin, vmax);
          if (model_.CellFlags[node] & kCellFixed) c = Darker(c);  // fixed cell
          if (lines && (node != left || node != above[px])) c = kGridLine;
        }
        Put(px, py, c);
        left = node;
        above[px] = node;
      }
    }
  }

  void DrawHorizons() {
    for (const BCHor& hor : model_.Hors) {
      if (hor.IH < 0 || hor.IH >= model_.Nz) continue;
      for (int px = 0; px < size_.width; ++px) {
        const float z = model_.GetHLineXZ(hor.IH, X(px)).z;
        // Pixel row of z; a flat model (dz 0) puts every horizon on the top row. The row is
        // clamped before the conversion, so no elevation can overflow an int.
        double row = dz_ > 0 ? (double{model_.ModelRect.top} - z) / dz_ : 0.0;
        if (!std::isfinite(row)) continue;
        row = std::clamp(row, -2.0, static_cast<double>(size_.height) + 1.0);
        const int py = static_cast<int>(row);
        for (int t = py - 1; t <= py + 1; ++t) Put(px, t, kHorizon);
      }
    }
  }

  std::vector<uint8_t>& Pixels() { return rgb_; }

 private:
  float X(int px) const { return model_.ModelRect.left + (static_cast<float>(px) + 0.5f) * dx_; }
  float Z(int py) const { return model_.ModelRect.top - (static_cast<float>(py) + 0.5f) * dz_; }

  int CellAt(int px, int py) const {
    BCCell cell{};
    return model_.GetCell(X(px), Z(py), cell, sgkWhole) ? cell.Node : -1;
  }

  void Put(int px, int py, Rgb c) {
    if (px < 0 || py < 0 || px >= size_.width || py >= size_.height) return;
    size_t at = 3 * (static_cast<size_t>(py) * size_.width + px);
    std::copy(c.begin(), c.end(), rgb_.begin() + static_cast<long>(at));
  }

  const BCQuasiGrid& model_;
  PictureSize size_;
  std::vector<uint8_t> rgb_;
  float dx_ = 1, dz_ = 1;
};

}  // namespace

std::vector<uint8_t> RenderModelRaster(const BCQuasiGrid& model, PictureSize size) {
  Canvas canvas(model, size);
  canvas.DrawCells();
  canvas.DrawHorizons();
  return std::move(canvas.Pixels());
}

bool DrawModelPicture(const BCQuasiGrid& model, const std::string& path, PictureSize size) {
  return WritePng(path, size.width, size.height, RenderModelRaster(model, size));
}
