// Filling pixels from the cells of a model.
#include "picture/raster.h"

#include <array>
#include <cmath>

namespace {

constexpr uint32_t kTransparent = 0;

uint32_t Opaque(Rgb c) {
  return 0xFF000000u | (uint32_t{c[0]} << 16) | (uint32_t{c[1]} << 8) | c[2];
}

// The hatching colour over a cell colour: halfway to white on dark cells, to black on light ones,
// so that it shows on every colour of every map.
uint32_t Hatch(uint32_t argb) {
  const uint32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  const bool dark = 299 * r + 587 * g + 114 * b < 128000;
  const uint32_t half = (argb >> 1) & 0x007F7F7Fu;
  return 0xFF000000u | (dark ? half + 0x00808080u : half);
}

// The elevations of one pixel column: H-lines interpolated in X between V-lines c and c + 1.
class ColumnProfile {
 public:
  ColumnProfile(const BCQuasiGrid& g, int c, double x) : g_(g), left_(g.NodeIndex(c, 0)) {
    const double x0 = g.XX[c], x1 = g.XX[c + 1];
    t_ = x1 > x0 ? (x - x0) / (x1 - x0) : 0;
  }
  // Elevation of the H-line of row izrel at this column.
  double Z(int izrel) const {
    const double a = g_.ZZ[left_ + izrel];
    const double b = g_.ZZ[left_ + g_.Nz + izrel];
    return a + (b - a) * t_;
  }
  // The row izrel 1..Nz-1 of the cell holding elevation z (between the H-lines of izrel - 1 and
  // izrel; a point on an H-line belongs to the cell below it), or -1 outside the column.
  int CellRow(double z) const {
    const int top = g_.Nz - 1;
    if (!(z >= Z(0) && z < Z(top))) return -1;
    int lo = 0, hi = top;  // Z(lo) <= z < Z(hi)
    while (hi - lo > 1) {
      const int mid = lo + (hi - lo) / 2;
      if (z >= Z(mid)) {
        lo = mid;
      } else {
        hi = mid;
      }
    }
    return hi;
  }
  // CellRow for a z at or below the one of the previous call, which gave row: a walk down from
  // there, so a whole pixel column costs one pass over the rows.
  int CellRowBelow(double z, int row) const {
    if (row < 0) return CellRow(z);
    while (row > 1 && z < Z(row - 1)) --row;
    return z >= Z(row - 1) ? row : -1;
  }
  int Node(int izrel) const { return left_ + izrel; }

 private:
  const BCQuasiGrid& g_;
  int left_;
  double t_ = 0;
};

// The V-line interval holding x: c with XX[c] <= x < XX[c + 1], or -1 outside.
int ColumnOf(const std::vector<float>& xx, double x) {
  if (xx.size() < 2 || !(x >= xx.front() && x < xx.back())) return -1;
  size_t lo = 0, hi = xx.size() - 1;
  while (hi - lo > 1) {
    const size_t mid = lo + (hi - lo) / 2;
    if (x >= xx[mid]) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return static_cast<int>(lo);
}

// The colours of 1024 steps along the map, so that a pixel costs a table look-up.
class ColourTable {
 public:
  ColourTable(const ColorMap& map, double vmin, double vmax) : vmin_(vmin), span_(vmax - vmin) {
    for (size_t i = 0; i < kSteps; ++i) colours_[i] = Opaque(map.At((i + 0.5) / kSteps));
    nan_ = Opaque(map.At(NAN));
  }
  uint32_t operator()(float v) const {
    const double t = (v - vmin_) / span_;
    if (std::isnan(t)) return nan_;
    if (t <= 0) return colours_.front();
    if (t >= 1) return colours_.back();
    return colours_[static_cast<size_t>(t * kSteps)];
  }

 private:
  static constexpr size_t kSteps = 1024;
  double vmin_, span_;
  std::array<uint32_t, kSteps> colours_{};
  uint32_t nan_ = 0;
};

}  // namespace

void FillCells(const BCQuasiGrid& model, const CellColouring& colouring, double xl, double xr,
               double zb, double zt, int width, int height, std::vector<uint32_t>& pixels) {
  pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), kTransparent);
  const std::vector<float>& values = *colouring.values;
  if (model.Nz < 2 || values.size() < model.ZZ.size() || model.CellFlags.size() < model.ZZ.size())
    return;
  const ColourTable colourOf(*colouring.map, colouring.vmin, colouring.vmax);
  // Walking down a pixel column visits every row once: cheaper than bisection for each pixel
  // while the rows are not many more than the pixels.
  const bool walk = model.Nz <= 4 * height;
  for (int px = 0; px < width; ++px) {
    const double x = xl + (px + 0.5) / width * (xr - xl);
    const int c = ColumnOf(model.XX, x);
    if (c < 0) continue;
    const ColumnProfile column(model, c, x);
    int row = -1;
    for (int py = 0; py < height; ++py) {
      const double z = zt - (py + 0.5) / height * (zt - zb);
      row = walk ? column.CellRowBelow(z, row) : column.CellRow(z);
      if (row < 0) continue;
      const int node = column.Node(row);
      uint32_t colour = colourOf(values[node]);
      // Diagonal hatching, one pixel line in four.
      if (colouring.hatchFixed && (model.CellFlags[node] & kCellFixed) && (px + py) % 4 == 0) {
        colour = Hatch(colour);
      }
      pixels[static_cast<size_t>(py) * width + px] = colour;
    }
  }
}
