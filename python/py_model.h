// The model object of the Python module: the editable grid, the host fields of the table it was
// read from (the ray coverage among them), and the count of NumPy views that lend its arrays; what
// every binding file shares.
#pragma once

#include <pybind11/pybind11.h>

#include <array>
#include <string>
#include <vector>

#include "editing/equasigrid.h"
#include "storage/modelfiler.h"

namespace py = pybind11;

class PyModel {
 public:
  BCEQuasiGrid grid;
  // Fields Aux2, Aux6, RayCov and V2 of every node, in node order, as the table held them; an
  // empty one stands for zeros (a new model, or one whose nodes an edit has rebuilt). Saved
  // beside the model while they hold one value per node.
  HostFields host;
  // Live NumPy views of the arrays, and queries running without the GIL: while it is above 0
  // nothing may reallocate XX, ZZ, VV or the coverage.
  int lenders = 0;

  // Raises BufferError naming the edit while any view of the arrays is alive. Called before an
  // edit that reallocates the arrays, so that a refusal changes nothing.
  void RequireNoViews(const char* edit) const;
  // Field RayCov of the grid's size, zeros when the model has none.
  std::vector<float>& Coverage();
  // Nodes of the grid: Nx * Nz.
  size_t Nodes() const { return grid.XX.size() * static_cast<size_t>(grid.Nz); }
};

// Counts a running query as a lender, so that no other thread rebuilds the arrays under it. Made
// and dropped with the GIL held, around the part that runs without it.
class ModelLease {
 public:
  explicit ModelLease(PyModel& model) : model_(model) { ++model_.lenders; }
  ~ModelLease() { --model_.lenders; }
  ModelLease(const ModelLease&) = delete;
  ModelLease& operator=(const ModelLease&) = delete;

 private:
  PyModel& model_;
};

// Python's OSError, FileNotFoundError with the text.
[[noreturn]] void RaiseOSError(const std::string& text);
[[noreturn]] void RaiseFileNotFound(const std::string& text);

// (left, right, bottom, top) of the nodes: the first and last V-line, the lowest bottom node and
// the highest top node.
std::array<float, 4> NodeExtent(const BCEQuasiGrid& g);

// Writes the model's horizons to path (horizons.cpp); none removes the file.
void SaveHorizonFile(const PyModel& m, const std::string& path);

// The parts of the module, one per source file.
void BindModelViews(py::class_<PyModel>& cls);
void BindModelBuild(py::class_<PyModel>& cls);
void BindEdits(py::class_<PyModel>& cls);
void BindQueries(py::module_& m, py::class_<PyModel>& cls);
void BindHorizons(py::module_& m, py::class_<PyModel>& cls);
void BindModelFiles(py::class_<PyModel>& cls);
void BindFileExports(py::class_<PyModel>& cls);
