// Exports of the model: the exchange files of its own tool chain and the formats of other
// programs, each written whole under its name or not at all.
#include <pybind11/stl.h>

#include <fstream>
#include <string>
#include <utility>

#include "formats/grid_netcdf.h"
#include "formats/smesh.h"
#include "formats/vtk.h"
#include "formats/xyz.h"
#include "platform/table.h"
#include "python/file_support.h"
#include "python/py_model.h"
#include "storage/mimpex.h"
#include "storage/model_check.h"
#include "storage/modelfiler.h"

namespace {

// VFT and DAT are written from a model table: the model is saved into a scratch table first.
void ExportFromTable(PyModel& m, const std::string& path, bool vft) {
  if (const std::string why = LoadBackProblem(m.grid); !why.empty())
    throw py::value_error("cannot write " + path + ": the model would not load back: " + why);
  const ScratchFolder scratch;
  bool saved = false;
  try {
    saved = m.grid.SaveModelDb(scratch.Path(), false, kSaveGeometry);
  } catch (const EDBEngineError&) {
    saved = false;
  }
  if (!saved) RaiseOSError("cannot write " + path + ": " + LastTableStoreError());
  WriteFileInPlace(path, [&](const std::string& part) -> std::string {
    TCModelImpex impex(part, scratch.Path(), 'E');
    const bool done =
        impex.InitStatus == 0 && (vft ? impex.ExportVFT(false) : impex.ExportDAT(false));
    if (!done) throw std::ios_base::failure("the scratch table cannot be read");
    return {};
  });
}

void ExportVel(PyModel& m, const std::string& path) {
  WriteFileInPlace(path, [&m](const std::string& part) -> std::string {
    if (!SaveVelocityToVELfile(part, &m.grid)) throw std::ios_base::failure("cannot be created");
    return {};
  });
}

void ExportFix(PyModel& m, const std::string& path, const std::string& format) {
  if (m.grid.GetNumOfFixes() == 0)
    throw py::value_error("the model has no fixed cells: " + path + " not written");
  WriteFileInPlace(path, [&](const std::string& part) -> std::string {
    // The scratch file could be created, so a refusal is the format's.
    if (SaveConstraintsToFIXfile(part, &m.grid, format) != 0)
      return "'" + format + "' is not one number format of a double";
    return {};
  });
}

// Every cell column as a block, from the left.
void ExportVelocityColumns(PyModel& m, const std::string& path, const std::string& format) {
  WriteFileInPlace(path, [&](const std::string& part) -> std::string {
    for (int col = 1; col < m.grid.GetNx(); ++col) {
      if (m.grid.ExportVelColToFile(part, col, format)) continue;
      // The first block fails for the format; a later one only when writing failed.
      if (col == 1) return "'" + format + "' is not one number format of a double";
      throw std::ios_base::failure("the file could not be written completely");
    }
    return {};
  });
}

// One column appended to a file, as the library's velocity-column files grow.
void AppendVelocityColumn(PyModel& m, const std::string& path, int col, const std::string& format) {
  if (col < 1 || col > m.grid.GetNx() - 1)
    throw py::value_error("col needs a cell column 1.." + std::to_string(m.grid.GetNx() - 1));
  if (!std::ofstream(path, std::ios::app)) RaiseOSError("cannot write " + path);
  if (!m.grid.ExportVelColToFile(path, col, format))
    throw py::value_error("'" + format + "' is not one number format of a double");
}

void ExportGrid(const PyModel& m, const std::string& path, std::pair<float, float> spacing,
                const std::string& sample, const std::string& units) {
  if (!(spacing.first > 0 && spacing.second > 0))
    throw py::value_error("spacing needs dx and dz above 0");
  if (sample != "cell" && sample != "node")
    throw py::value_error("sample needs 'cell' or 'node', not '" + sample + "'");
  if (units != "m" && units != "km")
    throw py::value_error("units needs 'm' or 'km', not '" + units + "'");
  GridSampling sampling;
  sampling.Dx = spacing.first;
  sampling.Dz = spacing.second;
  sampling.Sample = sample == "node" ? GridSample::kNode : GridSample::kCell;
  sampling.Kilometres = units == "km";
  WriteFileInPlace(
      path, [&](const std::string& part) { return WriteNetcdfGrid(m.grid, sampling, part); });
}

void ExportSmesh(const PyModel& m, const std::string& path, float water, float air) {
  SmeshMesh mesh;
  if (const std::string why = ModelToSmesh(m.grid, water, air, mesh); !why.empty())
    throw py::value_error("cannot write " + path + " as a sheared mesh: " + why);
  WriteTextFile(path, [&mesh](std::ostream& out) { WriteSmesh(mesh, out); });
}

}  // namespace

void BindFileExports(py::class_<PyModel>& cls) {
  const char* whole = "\n\nWritten whole or not at all; OSError when the file cannot be written.";
  auto doc = [whole](const char* text) { return std::string(text) + whole; };
  cls.def(
      "export_vft", [](PyModel& m, const std::string& p) { ExportFromTable(m, p, true); },
      py::arg("path"),
      doc("VFT exchange file: one line 'index X Z velocity' per node, V-line by V-line from the "
          "bottom up. The copy nodes are completed first.")
          .c_str());
  cls.def(
      "export_dat", [](PyModel& m, const std::string& p) { ExportFromTable(m, p, false); },
      py::arg("path"),
      doc("DAT file: a header \"X\",\"Z\",\"V\", then X, Z, V per node. The copy nodes are "
          "completed first.")
          .c_str());
  cls.def("export_vel", &ExportVel, py::arg("path"),
          doc("VEL velocity grid: ten header lines, then one row of node velocities per H-line "
              "from the top.")
              .c_str());
  cls.def("export_fix", &ExportFix, py::arg("path"), py::arg("format") = "%9.2f",
          doc("FIX file: one line per fixed cell, its number and its velocity written with "
              "format (one printf conversion of a double). ValueError without fixed cells.")
              .c_str());
  cls.def("export_velocity_columns", &ExportVelocityColumns, py::arg("path"),
          py::arg("format") = "%13.3f",
          doc("Velocity-column file of every cell column from the left: 'X=' and x, then the top "
              "elevation and velocity of each cell, numbers written with format.")
              .c_str());
  cls.def("export_velocity_column", &AppendVelocityColumn, py::arg("path"), py::arg("col"),
          py::arg("format") = "%13.3f",
          "Appends the block of cell column col (1..nx-1) to a velocity-column file, created "
          "when missing.");
  cls.def(
      "export_vtu",
      [](const PyModel& m, const std::string& p) {
        WriteTextFile(p, [&m](std::ostream& out) { WriteVtu(m.grid, out); });
      },
      py::arg("path"),
      doc("VTK XML unstructured grid: a quad per cell, cell data velocity and fixed, point "
          "data velocity.")
          .c_str());
  cls.def(
      "export_xyz",
      [](const PyModel& m, const std::string& p) {
        WriteTextFile(p, [&m](std::ostream& out) { WriteXyz(m.grid, out); });
      },
      py::arg("path"), doc("Text, one line 'x z v' per node in node order.").c_str());
  cls.def("export_grid", &ExportGrid, py::arg("path"), py::arg("spacing"),
          py::arg("sample") = "cell", py::arg("units") = "m",
          doc("CF netCDF grid of the velocities sampled at the centres of spacing=(dx, dz) steps "
              "over the model's extent, NaN where no cell is. sample: 'cell' (the cell's "
              "velocity) or 'node' (interpolated from its nodes); units: 'm' or 'km'.")
              .c_str());
  cls.def("export_smesh", &ExportSmesh, py::arg("path"), py::arg("water") = 1.5f,
          py::arg("air") = 0.33f,
          doc("Sheared mesh of traveltime tomography; needs nodes at common depth offsets below "
              "the top H-line (ValueError otherwise). water, air: the header's velocities.")
              .c_str());
}
