// The Python module quasigrid: the model class and the exceptions, assembled from the binding
// files.
#include <pybind11/pybind11.h>

#include "editing/checked_edits.h"
#include "python/py_model.h"
#include "storage/model_folder.h"

void RaiseOSError(const std::string& text) {
  PyErr_SetString(PyExc_OSError, text.c_str());
  throw py::error_already_set();
}

void RaiseFileNotFound(const std::string& text) {
  PyErr_SetString(PyExc_FileNotFoundError, text.c_str());
  throw py::error_already_set();
}

void PyModel::RequireNoViews(const char* edit) const {
  if (lenders == 0) return;
  throw py::buffer_error(std::string("cannot ") + edit + " while " + std::to_string(lenders) +
                         " NumPy view(s) of the model's arrays are alive (or a query runs): " +
                         "drop them first (del them)");
}

std::vector<float>& PyModel::Coverage() {
  // A coverage of another size has no view: views are made only of one of the grid's size, and
  // the grid changes size only while no view is alive.
  if (host.RayCov.size() != Nodes()) host.RayCov.assign(Nodes(), 0.0f);
  return host.RayCov;
}

PYBIND11_MODULE(quasigrid, m) {
  m.doc() =
      "Quasi-grid velocity models: build, edit, query, load, save, import and export them.\n\n"
      "A model has Nx V-lines at ascending X, each with Nz nodes; node arrays are indexed\n"
      "[col, izrel] with izrel 0 the bottom node. Cell columns are numbered 1..Nx-1 (column c\n"
      "lies between V-lines c-1 and c), H-lines and rows 1..Nz from the top (row r lies under\n"
      "H-line r); a cell's velocity lives at its top-left node.";
  py::register_exception<EditRefused>(m, "EditRefused", PyExc_ValueError).attr("__doc__") =
      "A refused edit (a ValueError); the message says why. The model is unchanged.";
  // A folder that cannot be read or written: a missing table is FileNotFoundError, one that
  // cannot be written OSError, and a table, horizon file or model that is wrong ValueError.
  py::register_exception_translator([](std::exception_ptr p) {
    try {
      if (p) std::rethrow_exception(p);
    } catch (const ModelFolderError& e) {
      switch (e.kind()) {
        case ModelFolderError::kMissing:
          PyErr_SetString(PyExc_FileNotFoundError, e.what());
          return;
        case ModelFolderError::kFiles:
          PyErr_SetString(PyExc_OSError, e.what());
          return;
        default:
          PyErr_SetString(PyExc_ValueError, e.what());
      }
    }
  });
  py::class_<PyModel> cls(m, "Model",
                          "A quasi-grid velocity model. Made by Model.new, Model.from_topography, "
                          "Model.load, Model.import_* or copy().");
  BindModelBuild(cls);
  BindModelViews(cls);
  BindEdits(cls);
  BindQueries(m, cls);
  BindHorizons(m, cls);
  BindModelFiles(cls);
  BindFileExports(cls);
}
