// Making models: a regular starting model, one hung from a ground surface, and copies.
#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "editing/starting_model.h"
#include "python/py_model.h"

namespace {

constexpr long long kMaxNodes = 2499999;  // a model table holds fewer than 2,500,000 records
constexpr float kMaxVelocity = 100000;    // faster than any rock, in m/s or ft/s

void CheckSize(std::pair<int, int> size) {
  if (size.first < 2 || size.second < 2)
    throw py::value_error("size needs nx and nz of at least 2");
  const long long nodes = static_cast<long long>(size.first) * size.second;
  if (nodes > kMaxNodes)
    throw py::value_error("a grid of " + std::to_string(nodes) +
                          " nodes exceeds the table limit of " + std::to_string(kMaxNodes) +
                          " nodes");
}

std::unique_ptr<PyModel> NewModel(std::array<float, 4> extent, std::pair<int, int> size,
                                  std::array<float, 4> velocity) {
  CheckSize(size);
  TIniModel ini{};
  ini.Rect = BCFRect(extent[0], extent[3], extent[1], extent[2]);
  if (!ini.Rect.IsNormal()) throw py::value_error("extent needs left < right and bottom < top");
  for (const float v : velocity) {
    if (!(v > 0 && v <= kMaxVelocity))
      throw py::value_error("velocity needs values above 0 and at most 100000, got " +
                            std::string(py::str(py::cast(velocity))));
  }
  ini.Nx = size.first;
  ini.Nz = size.second;
  ini.VTopLeft = velocity[0];
  ini.VTopRight = velocity[1];
  ini.VBotLeft = velocity[2];
  ini.VBotRight = velocity[3];
  ini.SetVel = true;
  auto model = std::make_unique<PyModel>();
  if (!model->grid.Init(ini)) throw std::bad_alloc();
  return model;
}

// The row ratio of spacing: "uniform", ("geometric", q) or q itself.
float RowRatio(const py::object& spacing) {
  if (py::isinstance<py::str>(spacing)) {
    if (spacing.cast<std::string>() == "uniform") return 1;
  } else if (py::isinstance<py::tuple>(spacing) && py::len(spacing) == 2) {
    const auto t = spacing.cast<py::tuple>();
    if (py::isinstance<py::str>(t[0]) && t[0].cast<std::string>() == "geometric")
      return t[1].cast<float>();
  } else if (py::isinstance<py::float_>(spacing) || py::isinstance<py::int_>(spacing)) {
    return spacing.cast<float>();
  }
  throw py::value_error("spacing needs 'uniform', ('geometric', q) or q, got " +
                        std::string(py::repr(spacing)));
}

using FloatArray = py::array_t<float, py::array::c_style | py::array::forcecast>;

std::vector<float> OneDimension(const FloatArray& a, const char* name) {
  if (a.ndim() != 1) throw py::value_error(std::string(name) + " needs a one-dimensional array");
  return {a.data(), a.data() + a.size()};
}

std::unique_ptr<PyModel> FromTopography(const FloatArray& x, const FloatArray& z,
                                        std::pair<int, int> size, float bottom,
                                        std::optional<std::pair<float, float>> gradient,
                                        std::optional<std::pair<FloatArray, FloatArray>> law,
                                        const py::object& spacing,
                                        std::optional<std::pair<float, float>> xRange) {
  TStartingModel d;
  d.SurfaceX = OneDimension(x, "x");
  d.SurfaceZ = OneDimension(z, "z");
  if (d.SurfaceX.size() != d.SurfaceZ.size())
    throw py::value_error("x and z need the same number of points");
  d.Nx = size.first;
  d.Nz = size.second;
  d.Bottom = bottom;
  d.RowRatio = RowRatio(spacing);
  if (xRange) {
    d.OwnXRange = true;
    d.XLeft = xRange->first;
    d.XRight = xRange->second;
  }
  if (gradient.has_value() == law.has_value())
    throw py::value_error("give exactly one of gradient=(v0, g) and velocity_depth=(depths, vs)");
  if (gradient) {
    d.Law = vlGradient;
    d.V0 = gradient->first;
    d.Gradient = gradient->second;
  } else {
    d.Law = vlProfile;
    d.ProfileDepth = OneDimension(law->first, "depths");
    d.ProfileV = OneDimension(law->second, "vs");
    if (d.ProfileDepth.size() != d.ProfileV.size())
      throw py::value_error("depths and vs need the same number of points");
  }
  auto model = std::make_unique<PyModel>();
  const StartingModelResult r = BuildStartingModel(model->grid, d);
  if (r.Fault == smOutOfMemory) throw std::bad_alloc();
  if (r.Fault != smBuilt) throw py::value_error(r.Text);
  return model;
}

std::unique_ptr<PyModel> CopyModel(const PyModel& from) {
  auto model = std::make_unique<PyModel>();
  model->grid = from.grid;
  model->host = from.host;
  return model;
}

}  // namespace

void BindModelBuild(py::class_<PyModel>& cls) {
  cls.def_static("new", &NewModel, py::arg("extent"), py::arg("size"), py::arg("velocity"),
                 R"(A regular model with flat H-lines.

extent: (left, right, bottom, top), left < right and bottom < top.
size: (nx, nz) V-lines and H-lines, each at least 2, nx * nz at most 2,499,999.
velocity: (top_left, top_right, bot_left, bot_right), each above 0 and at most 100000,
interpolated between the four corners. ValueError names the argument at fault.)");
  cls.def_static("from_topography", &FromTopography, py::arg("x"), py::arg("z"), py::kw_only(),
                 py::arg("size"), py::arg("bottom"), py::arg("gradient") = py::none(),
                 py::arg("velocity_depth") = py::none(), py::arg("spacing") = "uniform",
                 py::arg("x_range") = py::none(),
                 R"(A model hung from a ground surface over a flat bottom.

x, z: the surface points, x strictly ascending, each z above bottom; the surface is linear
between them and held beyond the ends. size: (nx, nz). bottom: elevation of the bottom H-line.
Exactly one velocity law: gradient=(v0, g) gives v0 + g * depth below the surface;
velocity_depth=(depths, vs) is linear in depth (depths ascending from 0, held below the last).
spacing: 'uniform' rows, or ('geometric', q) / q with q >= 1, each row q times as thick as the
one above. x_range: (x0, x1) of the first and last V-line, default the surface's ends.
A cell's velocity is the law at the mean depth of its four corners. ValueError says why a
description is refused.)");
  cls.def("copy", &CopyModel, "An independent copy: arrays, fixed cells, horizons, coverage.");
}
