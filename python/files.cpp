// Model folders (model.db and model.hor) and the imports that make or change a model.
#include <pybind11/stl.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "formats/layered.h"
#include "formats/smesh.h"
#include "platform/table.h"
#include "platform/table_templates.h"
#include "python/file_support.h"
#include "python/py_model.h"
#include "storage/mimpex.h"
#include "storage/model_check.h"
#include "storage/model_folder.h"
#include "storage/vcimpex.h"

namespace {

std::unique_ptr<PyModel> Load(const std::string& dir, bool backup) {
  auto m = std::make_unique<PyModel>();
  LoadSavedModel(dir, backup, m->grid);
  // Host fields that cannot be read, or do not fit the grid, count as zeros.
  if (!LoadHostFields(dir, backup, m->host)) m->host = HostFields{};
  return m;
}

void Save(PyModel& m, const std::string& dir, bool backup) {
  // A damaged table in the way is moved aside, as the tool does; Python hears of it as a warning.
  const std::string moved =
      SaveModelToFolder(m.grid, dir, backup, ExistingTable::kReplace, &m.host);
  if (!moved.empty()) PyErr_WarnEx(PyExc_UserWarning, moved.c_str(), 1);
}

// Reads the file into a scratch table, checks it as a quasi-grid, and loads it.
std::unique_ptr<PyModel> ImportVft(const std::string& path, int stepFactor) {
  RequireFile(path);
  const ScratchFolder scratch;
  std::string error;
  if (!WriteTemplateTables(scratch.Path(), error)) RaiseOSError(error);
  int code = vftBadLine;
  int lineNo = 0;
  try {
    TCModelImpex impex(path, scratch.Path(), 'I');
    if (impex.InitStatus != 0) RaiseOSError("cannot prepare a table to import " + path + " into");
    code = impex.ImportVFT(stepFactor, lineNo);
  } catch (const EDBEngineError& e) {
    RaiseOSError(path + ": " + e.what());
  }
  if (code != vftOk) throw py::value_error(path + ": " + ImportVFTFaultText(code, lineNo));
  auto m = std::make_unique<PyModel>();
  bool loaded = false;
  try {
    loaded = m->grid.LoadModelDb(scratch.Path(), false, kLoadGeometry, true);
  } catch (const EDBEngineError&) {
    loaded = false;
  }
  if (!loaded)
    throw py::value_error(path + ": the imported grid cannot be loaded: " + LastTableStoreError());
  return m;
}

std::ifstream OpenInput(const std::string& path) {
  RequireFile(path);
  std::ifstream in(path, std::ios::binary);
  if (!in) RaiseOSError("cannot read " + path + ": " + std::strerror(errno));
  return in;
}

// A refusal of the file: "FILE line N: what" or "FILE: what".
[[noreturn]] void FailInFile(const std::string& path, const std::string& why) {
  const bool atLine = why.rfind("line ", 0) == 0;
  throw py::value_error(path + (atLine ? " " : ": ") + why);
}

std::unique_ptr<PyModel> ImportSmesh(const std::string& path, float scale) {
  std::ifstream in = OpenInput(path);
  SmeshMesh mesh;
  if (const std::string why = ReadSmesh(in, mesh); !why.empty()) FailInFile(path, why);
  auto m = std::make_unique<PyModel>();
  bool lostLastColumn = false;
  if (const std::string why = SmeshToModel(mesh, scale, m->grid, lostLastColumn); !why.empty())
    FailInFile(path, why);
  return m;
}

std::unique_ptr<PyModel> ImportLayered(const std::string& path, int rowsPerLayer, float minGap,
                                       float scale) {
  if (rowsPerLayer < 0 || rowsPerLayer > 1000)
    throw py::value_error("rows_per_layer needs 0..1000");
  if (!(minGap > 0)) throw py::value_error("min_gap needs a number above 0");
  std::ifstream in = OpenInput(path);
  LayeredModel layered;
  if (const std::string why = ReadLayeredModel(in, layered); !why.empty()) FailInFile(path, why);
  LayeredOptions options;
  options.RowsPerLayer = rowsPerLayer;
  options.MinGap = minGap;
  options.Scale = scale;
  auto m = std::make_unique<PyModel>();
  int pinched = 0;
  if (const std::string why = LayeredToModel(layered, options, m->grid, pinched); !why.empty())
    FailInFile(path, why);
  return m;
}

// Velocities from a velocity-column file; on a refusal the velocities stay as they were (a set
// may have replaced some columns before its failing block, so they are put back).
void ImportVelocityColumns(PyModel& m, const std::string& path, std::optional<int> col) {
  RequireFile(path);
  BCEQuasiGrid& g = m.grid;
  if (col && (*col < 1 || *col > g.GetNx() - 1))
    throw py::value_error("col needs a cell column 1.." + std::to_string(g.GetNx() - 1));
  const std::vector<float> before = g.VV;
  int lineNo = 0;
  const int code = col ? g.ImportVelCol(path, *col, lineNo) : g.ImportVelColSet(path, lineNo);
  if (code == 0) return;
  std::copy(before.begin(), before.end(), g.VV.begin());
  if (code == -2 || code == 4) RaiseFileNotFound(path + ": no such file");
  throw py::value_error(path + ": " + VelColFaultText(code, lineNo));
}

}  // namespace

void BindModelFiles(py::class_<PyModel>& cls) {
  cls.def_static("load", &Load, py::arg("dir"), py::arg("backup") = false,
                 R"(Loads the model of folder dir: its table dir/model.db (dir/modelbk.db with
backup) with the fixed cells and the host fields (coverage, Aux2, Aux6, V2), and the horizons of dir/model.hor when it
exists. FileNotFoundError without a table; ValueError naming the record or line at fault.)");
  cls.def("save", &Save, py::arg("dir"), py::arg("backup") = false,
          R"(Saves the model into folder dir (created when missing): dir/model.db (or
dir/modelbk.db) replaced whole or not at all, and dir/model.hor (removed without horizons; not
touched with backup). The copy nodes are completed first. ValueError when the model would not
load back as saved (X not ascending, a value not finite...); OSError when the files cannot be
written. The coverage and the other host fields are written beside the nodes (zeros after an
edit that added or removed lines).)");
  cls.def_static("import_vft", &ImportVft, py::arg("path"), py::arg("step_factor") = 1,
                 R"(A model from a VFT exchange file (index, X, Z, velocity per node, V-line by
V-line from the bottom up), checked as a quasi-grid: V-lines and nodes at least step_factor *
1e-5 of the extent apart. ValueError names the line at fault.)");
  cls.def_static("import_smesh", &ImportSmesh, py::arg("path"), py::arg("scale") = 1.0f,
                 R"(A model from a sheared traveltime-tomography mesh: each mesh column a V-line,
plus a straight bottom H-line one offset step below the deepest node. scale multiplies
coordinates and velocities (1000: km to m). The last V-line's velocities become copies of the
one before it.)");
  cls.def_static("import_layered", &ImportLayered, py::arg("path"), py::arg("rows_per_layer") = 4,
                 py::arg("min_gap") = 0.001f, py::arg("scale") = 1.0f,
                 R"(A model from a layered ray-tracing model file: V-lines at every X node, an
H-line on each boundary, rows_per_layer H-lines inside each layer (at least min_gap apart where
a layer pinches out), a horizon on each boundary below the surface. scale multiplies
coordinates and velocities.)");
  cls.def("import_velocity_columns", &ImportVelocityColumns, py::arg("path"),
          py::arg("col") = py::none(),
          R"(Velocities from a velocity-column file: with col, column col from the file's first
block; without, every block replaces the column under its X and the columns between are
interpolated. On a refusal (ValueError naming the line) the velocities stay as they were.)");
}
