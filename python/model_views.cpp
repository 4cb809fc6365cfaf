// The model's node arrays as NumPy views that share its memory, and its size, extent, selection
// and soundness.
#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "python/py_model.h"
#include "storage/model_check.h"

namespace {

// What a view's NumPy base holds: a reference to the model, counted as a lender for as long as
// NumPy keeps any array of it.
class ViewBase {
 public:
  explicit ViewBase(py::object owner) : owner_(std::move(owner)), model_(owner_.cast<PyModel*>()) {
    ++model_->lenders;
  }
  ~ViewBase() { --model_->lenders; }  // owner_ still holds the model here
  ViewBase(const ViewBase&) = delete;
  ViewBase& operator=(const ViewBase&) = delete;

 private:
  py::object owner_;
  PyModel* model_;
};

// A float32 array over data that keeps self alive: shape (nx,) for one value per V-line, else
// (nx, nz) in node order, [col, izrel].
py::array LendFloats(const py::object& self, float* data, bool perNode) {
  const PyModel& model = self.cast<const PyModel&>();
  const auto nx = static_cast<py::ssize_t>(model.grid.GetNx());
  const auto nz = static_cast<py::ssize_t>(model.grid.Nz);
  const auto size = static_cast<py::ssize_t>(sizeof(float));
  auto lease = std::make_unique<ViewBase>(self);
  py::capsule base(lease.get(), [](void* p) { delete static_cast<ViewBase*>(p); });
  static_cast<void>(lease.release());  // the capsule owns it now
  if (!perNode) return py::array_t<float>({nx}, {size}, data, base);
  return py::array_t<float>({nx, nz}, {nz * size, size}, data, base);
}

py::array FixedCopy(const PyModel& model) {
  const BCEQuasiGrid& g = model.grid;
  py::array_t<bool> fixed({static_cast<py::ssize_t>(g.GetNx()), static_cast<py::ssize_t>(g.Nz)});
  bool* out = fixed.mutable_data();
  for (size_t i = 0; i < g.CellFlags.size(); ++i) out[i] = (g.CellFlags[i] & kCellFixed) != 0;
  fixed.attr("setflags")(py::arg("write") = false);
  return fixed;
}

}  // namespace

std::array<float, 4> NodeExtent(const BCEQuasiGrid& g) {
  const int nx = g.GetNx();
  float bottom = g.ZZ[0];
  float top = g.ZZ[static_cast<size_t>(g.Nz - 1)];
  for (int c = 1; c < nx; ++c) {
    bottom = std::min(bottom, g.ZZ[static_cast<size_t>(g.NodeIndex(c, 0))]);
    top = std::max(top, g.ZZ[static_cast<size_t>(g.NodeIndex(c, g.Nz - 1))]);
  }
  return {g.XX.front(), g.XX.back(), bottom, top};
}

namespace {

using Range = std::pair<int, int>;

std::optional<std::pair<Range, Range>> Selection(PyModel& model) {
  TRect r{};
  if (!model.grid.GetSelSubgridColRow(r)) return std::nullopt;
  return std::make_pair(Range{r.Left, r.Right}, Range{r.Top, r.Bottom});
}

// Why the model is not sound: the reasons a save would refuse, then the elevations that must
// ascend on every V-line. Empty text when it is.
std::string Check(const BCEQuasiGrid& g) {
  if (std::string why = LoadBackProblem(g); !why.empty()) return why;
  for (int c = 0; c < g.GetNx(); ++c) {
    for (int iz = 1; iz < g.Nz; ++iz) {
      const auto i = static_cast<size_t>(g.NodeIndex(c, iz));
      if (!(g.ZZ[i] > g.ZZ[i - 1]))
        return "V-line " + std::to_string(c + 1) + ": the node of H-line " +
               std::to_string(g.Nz - iz) + " does not lie above the one below it";
    }
  }
  return {};
}

std::string Repr(const PyModel& model) {
  const std::array<float, 4> e = NodeExtent(model.grid);
  return py::str("<quasigrid.Model {} x {} nodes, X {}..{}, Z {}..{}>")
      .format(model.grid.GetNx(), model.grid.Nz, e[0], e[1], e[2], e[3]);
}

}  // namespace

void BindModelViews(py::class_<PyModel>& cls) {
  cls.def_property_readonly(
      "nx", [](const PyModel& m) { return m.grid.GetNx(); }, "Number of V-lines.");
  cls.def_property_readonly(
      "nz", [](const PyModel& m) { return m.grid.Nz; }, "Number of H-lines (nodes per V-line).");
  cls.def_property_readonly(
      "extent",
      [](const PyModel& m) {
        const std::array<float, 4> e = NodeExtent(m.grid);
        return py::make_tuple(e[0], e[1], e[2], e[3]);
      },
      "(left, right, bottom, top) of the nodes.");
  cls.def_property_readonly(
      "x",
      [](const py::object& self) {
        return LendFloats(self, self.cast<PyModel&>().grid.XX.data(), false);
      },
      R"(X of each V-line, float32 shape (nx,): a writable view of the model's memory.

Keep X strictly ascending; check() and save() refuse a model whose X does not ascend. While any
view of the model is alive, edits that rebuild the arrays raise BufferError.)");
  cls.def_property_readonly(
      "z",
      [](const py::object& self) {
        return LendFloats(self, self.cast<PyModel&>().grid.ZZ.data(), true);
      },
      R"(Node elevations, float32 shape (nx, nz) indexed [col, izrel], izrel 0 the bottom node:
a writable view of the model's memory. Keep them ascending along each V-line (check()).)");
  cls.def_property_readonly(
      "v",
      [](const py::object& self) {
        return LendFloats(self, self.cast<PyModel&>().grid.VV.data(), true);
      },
      R"(Node velocities, float32 shape (nx, nz) indexed [col, izrel]: a writable view of the
model's memory. A cell's velocity lives at its top-left node; the bottom nodes and the last
V-line hold copies, completed when the model is saved.)");
  cls.def_property_readonly(
      "coverage",
      [](const py::object& self) {
        return LendFloats(self, self.cast<PyModel&>().Coverage().data(), true);
      },
      R"(Ray coverage per node, float32 shape (nx, nz): field RayCov of the table the model was
loaded from, zeros for a new model. A writable view, saved with the model; edits that add or
remove lines reset it to zeros.)");
  cls.def_property_readonly(
      "fixed", [](const PyModel& m) { return FixedCopy(m); },
      R"(Fixed cells, bool shape (nx, nz) [col, izrel]: a read-only copy
made at each access; change fixed cells with fix_selection(), free_selection(), free_all().)");
  cls.def_property_readonly(
      "fixed_count", [](PyModel& m) { return m.grid.GetNumOfFixes(); }, "Number of fixed cells.");
  cls.def_property_readonly(
      "selection", [](PyModel& m) { return Selection(m); },
      "None, or ((first_col, last_col), (top_row, bottom_row)): the selected cells, 1-based, "
      "inclusive.");
  cls.def(
      "check", [](const PyModel& m) { return Check(m.grid); },
      R"(Why the model is not sound, or '' when it is: array sizes, finite values, X strictly
ascending (farther apart than the X resolution), elevations ascending on every V-line.)");
  cls.def("__repr__", &Repr);
}
