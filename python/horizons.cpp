// Horizons as small Python objects: read from the model, validated into it, loaded from and
// saved to horizon files.
#include <pybind11/stl.h>

#include <cstdint>
#include <ios>
#include <string>
#include <vector>

#include "platform/textfile.h"
#include "python/file_support.h"
#include "python/py_model.h"
#include "storage/model_check.h"

namespace {

// A horizon as Python sees it: hline is 1-based as users count H-lines (IH + 1).
struct PyHorizon {
  int hline = 2;
  int id = 1;
  int width = 3;
  int color = 4210816;
  int status = 0;
};

PyHorizon FromBCHor(const BCHor& h) {
  return {h.IH + 1, h.ID, h.Width, h.Color, h.Status};
}

// The ranges a horizon of a model with nz H-lines keeps, as the loader checks them; empty text
// when it keeps them.
std::string OutOfRange(const PyHorizon& h, int nz) {
  if (h.hline < 2 || h.hline > nz)
    return "H-line " + std::to_string(h.hline) + " does not lie within 2.." + std::to_string(nz) +
           " (the top H-line carries no horizon)";
  if (h.id < 1 || h.id > 99) return "ID " + std::to_string(h.id) + " does not lie within 1..99";
  if (h.width > 20) return "width " + std::to_string(h.width) + " is above 20";
  if (h.width < INT16_MIN) return "width " + std::to_string(h.width) + " does not fit 16 bits";
  if (h.color < 0) return "color " + std::to_string(h.color) + " is below 0";
  if (h.status < 0 || h.status > INT16_MAX)
    return "status " + std::to_string(h.status) + " does not lie within 0..32767";
  return {};
}

void SetHorizons(PyModel& m, const std::vector<PyHorizon>& list) {
  HorVect hors;
  for (size_t k = 0; k < list.size(); ++k) {
    const PyHorizon& h = list[k];
    const std::string at = "horizon " + std::to_string(k + 1) + ": ";
    if (const std::string why = OutOfRange(h, m.grid.Nz); !why.empty())
      throw py::value_error(at + why);
    BCHor hor;
    hor.IH = h.hline - 1;
    hor.ID = static_cast<int16_t>(h.id);
    hor.Width = static_cast<int16_t>(h.width);
    hor.Color = h.color;
    hor.Status = static_cast<int16_t>(h.status);
    if (const int code = hors.CanAdd(hor.IH, hor.ID); code != 0)
      throw py::value_error(at + HorVect::GetAddErrorStr(code, hor.IH, hor.ID));
    hors.Add(hor);
  }
  m.grid.Hors.swap(hors);
}

// Replaces the horizons by those of the file; on any refusal they stay as they were.
void LoadHorizons(PyModel& m, const std::string& path) {
  RequireFile(path);
  for (const ModelProblem& p : CheckHorizonFile(path, m.grid.Nz)) {
    if (p.Loads) continue;
    const std::string where = p.Where > 0 ? path + " line " + std::to_string(p.Where) : path;
    if (p.Where == 0) RaiseOSError(where + ": " + p.Text);
    throw py::value_error(where + ": " + p.Text);
  }
  HorVect before = m.grid.Hors;
  if (const int bad = m.grid.LoadHor(path); bad != 0) {
    m.grid.Hors.swap(before);
    throw py::value_error(path + ": horizon " + std::to_string(bad) +
                          " is not a horizon string or lies outside the grid");
  }
}

// Writes the horizon file; a model without horizons removes it, as the library stores them.
void SaveHorizons(const PyModel& m, const std::string& path) {
  if (m.grid.Hors.empty()) {
    HorVect none;
    none.Save(path);
    return;
  }
  WriteFileInPlace(path, [&m](const std::string& scratch) -> std::string {
    BCStringList lines;
    for (const BCHor& hor : m.grid.Hors) lines.Add(hor.GetAsString());
    if (!lines.SaveToFile(scratch, false)) throw std::ios_base::failure("cannot be written");
    return {};
  });
}

}  // namespace

void SaveHorizonFile(const PyModel& m, const std::string& path) {
  SaveHorizons(m, path);
}

void BindHorizons(py::module_& m, py::class_<PyModel>& cls) {
  py::class_<PyHorizon>(m, "Horizon",
                        "A horizon: a refracting boundary tied to an H-line. A plain record; "
                        "assign a list to Model.horizons to change the model's.")
      .def(py::init([](int hline, int id, int width, int color, int status) {
             return PyHorizon{hline, id, width, color, status};
           }),
           py::arg("hline"), py::arg("id"), py::arg("width") = 3, py::arg("color") = 4210816,
           py::arg("status") = 0)
      .def_readwrite("hline", &PyHorizon::hline,
                     "H-line number, 1-based from the top (2..nz: the top carries none).")
      .def_property_readonly(
          "ih", [](const PyHorizon& h) { return h.hline - 1; },
          "H-line index, 0-based from the top, as the horizon file holds it.")
      .def_readwrite("id", &PyHorizon::id, "Identifier 1..99, unique, ascending with depth.")
      .def_readwrite("width", &PyHorizon::width, "Display width, at most 20.")
      .def_readwrite("color", &PyHorizon::color, "Display colour, 0 or more.")
      .def_readwrite("status", &PyHorizon::status,
                     "Origin: 0 grid H-line, 1..999 inverted from a wave, 1000 or more implanted.")
      .def("__eq__",
           [](const PyHorizon& a, const PyHorizon& b) {
             return a.hline == b.hline && a.id == b.id && a.width == b.width &&
                    a.color == b.color && a.status == b.status;
           })
      .def("__repr__", [](const PyHorizon& h) {
        return py::str("Horizon(hline={}, id={}, width={}, color={}, status={})")
            .format(h.hline, h.id, h.width, h.color, h.status);
      });
  cls.def_property(
      "horizons",
      [](const PyModel& model) {
        std::vector<PyHorizon> list;
        for (const BCHor& h : model.grid.Hors) list.push_back(FromBCHor(h));
        return list;
      },
      &SetHorizons,
      R"(The horizons, by ascending H-line: a list of copies. Assigning a list replaces them all,
or raises ValueError (the model's horizons unchanged) for an H-line or ID used twice, IDs that
do not ascend with depth, or a value out of range.)");
  cls.def("load_horizons", &LoadHorizons, py::arg("path"),
          "Replaces the horizons by those of a horizon file (lines 'IH,ID,Width,Color,Status').");
  cls.def("save_horizons", &SaveHorizons, py::arg("path"),
          "Writes the horizons as a horizon file; without horizons the file is removed.");
}
