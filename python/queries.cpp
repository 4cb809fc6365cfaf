// Cell and velocity look-ups over arrays of points, looped in C++ without the GIL.
#include <pybind11/numpy.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "python/py_model.h"

namespace {

using FloatArray = py::array_t<float, py::array::c_style | py::array::forcecast>;

// x and z broadcast against each other as contiguous float32 arrays (no copy for contiguous
// float32 input of one shape); scalar when both were scalars.
struct Points {
  FloatArray x;
  FloatArray z;
  std::vector<py::ssize_t> shape;
  bool scalar = false;
  size_t Count() const { return static_cast<size_t>(x.size()); }
};

Points Broadcast(const py::object& x, const py::object& z) {
  const py::module_ np = py::module_::import("numpy");
  const py::object f32 = np.attr("float32");
  const py::tuple both =
      np.attr("broadcast_arrays")(np.attr("asarray")(x, f32), np.attr("asarray")(z, f32));
  Points p;
  p.x = FloatArray::ensure(both[0]);
  p.z = FloatArray::ensure(both[1]);
  p.shape.assign(p.x.shape(), p.x.shape() + p.x.ndim());
  p.scalar = p.x.ndim() == 0;
  return p;
}

// Velocity of the cell holding each point, NaN where none does: the plain loop of GetCellInfo.
void VelocityLoop(const BCEQuasiGrid& g, const float* x, const float* z, float* v, size_t n) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (size_t i = 0; i < n; ++i) {
    BCCellInfo info{};
    info.X = x[i];
    info.Z = z[i];
    v[i] = g.GetCellInfo(info, false) ? info.V : nan;
  }
}

void CellLoop(const BCEQuasiGrid& g, const float* x, const float* z, int* col, int* hline,
              size_t n) {
  for (size_t i = 0; i < n; ++i) {
    BCCellInfo info{};
    info.X = x[i];
    info.Z = z[i];
    const bool found = g.GetCellInfo(info, false);
    col[i] = found ? info.Col : 0;
    hline[i] = found ? info.HLine : 0;
  }
}

py::object VelocityAt(PyModel& m, const py::object& x, const py::object& z) {
  const Points p = Broadcast(x, z);
  py::array_t<float> v(p.shape);
  {
    const ModelLease lease(m);
    const py::gil_scoped_release nogil;
    VelocityLoop(m.grid, p.x.data(), p.z.data(), v.mutable_data(), p.Count());
  }
  if (p.scalar) return py::float_(static_cast<double>(*v.data()));
  return v;
}

py::object CellAt(PyModel& m, const py::object& x, const py::object& z) {
  const Points p = Broadcast(x, z);
  py::array_t<int32_t> col(p.shape);
  py::array_t<int32_t> hline(p.shape);
  {
    const ModelLease lease(m);
    const py::gil_scoped_release nogil;
    CellLoop(m.grid, p.x.data(), p.z.data(), col.mutable_data(), hline.mutable_data(), p.Count());
  }
  if (p.scalar) return py::make_tuple(*col.data(), *hline.data());
  return py::make_tuple(col, hline);
}

// The benchmark's baseline: the same loop on arrays the caller prepared, timed inside C++.
double BaselineVelocityLoop(PyModel& m, const FloatArray& x, const FloatArray& z,
                            py::array_t<float, py::array::c_style>& out) {
  if (x.size() != z.size() || x.size() != out.size())
    throw py::value_error("x, z and out need the same size");
  const ModelLease lease(m);
  const py::gil_scoped_release nogil;
  const auto start = std::chrono::steady_clock::now();
  VelocityLoop(m.grid, x.data(), z.data(), out.mutable_data(), static_cast<size_t>(x.size()));
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

void BindQueries(py::module_& m, py::class_<PyModel>& cls) {
  cls.def("velocity_at", &VelocityAt, py::arg("x"), py::arg("z"),
          R"(Velocity of the cell holding each point (x, z), NaN where no cell does.

x and z are scalars or arrays broadcast against each other, taken as float32. Returns a
float32 array of their shape, or a float for two scalars. A point on a V-line belongs to the
cell on its right, one on an H-line to the cell below it. Runs without the GIL.)");
  cls.def("cell_at", &CellAt, py::arg("x"), py::arg("z"),
          R"(Cell holding each point (x, z): (col, hline) int32 arrays, 1-based (column c lies
between V-lines c-1 and c; hline is the H-line at the cell's top), 0 where no cell holds the
point. Scalars give a tuple of two ints. Runs without the GIL.)");
  m.def("_baseline_velocity_loop", &BaselineVelocityLoop, py::arg("model"), py::arg("x"),
        py::arg("z"), py::arg("out"),
        "Benchmark baseline: velocity_at's C++ loop into out; returns its seconds.");
}
