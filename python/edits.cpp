// The edits of the model as methods: each runs the checked edit of the library, which refuses
// with EditRefused (a ValueError) and leaves the model as it was.
#include <pybind11/stl.h>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "editing/checked_edits.h"
#include "platform/environment.h"
#include "python/py_model.h"

namespace {

using Range = std::optional<std::pair<int, int>>;

NumberRange ToRange(const Range& r) {
  if (!r) return {};
  return {r->first, r->second};
}

// Runs an edit that rebuilds the arrays: refused while a view lends them, and the host fields
// (the coverage among them), which belonged to the old nodes, go back to zeros.
template <typename Edit>
void Rebuild(PyModel& m, const char* what, Edit edit) {
  m.RequireNoViews(what);
  edit(m.grid);
  m.host = HostFields{};
}

// Runs an edit that keeps the array sizes but may hand the model new buffers (one that works on
// a copy and moves it in): with views alive, the model's own buffers are kept and take the new
// values, so that every view stays valid and shows them.
template <typename Edit>
void KeepingBuffers(PyModel& m, Edit edit) {
  if (m.lenders == 0) {
    edit(m.grid);
    return;
  }
  BCEQuasiGrid work = m.grid;
  edit(work);
  BCEQuasiGrid& g = m.grid;
  if (work.XX.size() != g.XX.size() || work.ZZ.size() != g.ZZ.size())
    throw py::buffer_error("the edit changed the array sizes while views were alive");
  std::copy(work.XX.begin(), work.XX.end(), g.XX.begin());
  std::copy(work.ZZ.begin(), work.ZZ.end(), g.ZZ.begin());
  std::copy(work.VV.begin(), work.VV.end(), g.VV.begin());
  std::copy(work.CellFlags.begin(), work.CellFlags.end(), g.CellFlags.begin());
  work.XX.swap(g.XX);
  work.ZZ.swap(g.ZZ);
  work.VV.swap(g.VV);
  work.CellFlags.swap(g.CellFlags);
  g = std::move(work);  // the rest of the state; the arrays are the model's own again
}

// The least gap of an insertion: the one given, else the resolution of the model's extent along
// the axis of the new lines, below which the loader would merge them.
float MinGapOr(std::optional<float> gap, const BCEQuasiGrid& g, bool alongX) {
  if (gap) return *gap;
  const std::array<float, 4> e = NodeExtent(g);
  return alongX ? G2_GetCompResolution(e[0], e[1]) : G2_GetCompResolution(e[2], e[3]);
}

void BindSelection(py::class_<PyModel>& cls) {
  cls.def(
      "select",
      [](PyModel& m, Range cols, Range rows) {
        CheckedSelect(m.grid, ToRange(cols), ToRange(rows));
      },
      py::arg("cols") = py::none(), py::arg("rows") = py::none(),
      R"(Selects the cells of columns cols=(first, last) and rows rows=(top, bottom), 1-based and
inclusive, ends in either order; None means all. Replaces any earlier selection.)");
  cls.def(
      "unselect", [](PyModel& m) { CheckedUnselect(m.grid); }, "Clears the selection.");
}

void BindStructureEdits(py::class_<PyModel>& cls) {
  const char* views =
      "\n\nRebuilds the arrays: BufferError while a NumPy view of the model is "
      "alive. Resets coverage (and the other host fields) to zeros.";
  cls.def(
      "insert_vlines",
      [](PyModel& m, int n, float ratio, std::optional<float> gap) {
        Rebuild(m, "insert V-lines",
                [&](BCEQuasiGrid& g) { CheckedInsertVLines(g, n, ratio, MinGapOr(gap, g, true)); });
      },
      py::arg("n"), py::arg("ratio") = 1.0f, py::arg("min_gap") = py::none(),
      (std::string("Inserts n V-lines into the one selected cell column (full height), each "
                   "interval ratio times the one before it; no interval below min_gap (default "
                   "1e-5 of the X extent). The new columns are selected.") +
       views)
          .c_str());
  cls.def(
      "insert_hlines",
      [](PyModel& m, int n, float ratio, std::optional<float> gap) {
        Rebuild(m, "insert H-lines", [&](BCEQuasiGrid& g) {
          CheckedInsertHLines(g, n, ratio, MinGapOr(gap, g, false));
        });
      },
      py::arg("n"), py::arg("ratio") = 1.0f, py::arg("min_gap") = py::none(),
      (std::string("Inserts n H-lines into the one selected row (full width), each interval "
                   "ratio times the one above it; no interval below min_gap (default 1e-5 "
                   "of the Z extent). Horizons below move down.") +
       views)
          .c_str());
  cls.def(
      "delete_selected_lines",
      [](PyModel& m) { Rebuild(m, "delete lines", CheckedDeleteSelectedLines); },
      (std::string("Deletes the selected whole columns or whole rows; nothing stays selected.") +
       views)
          .c_str());
  cls.def(
      "double_columns",
      [](PyModel& m, float gap) {
        Rebuild(m, "double columns", [gap](BCEQuasiGrid& g) { CheckedDoubleColumns(g, gap); });
      },
      py::arg("min_gap") = 0.0f,
      (std::string("Splits every selected column in the middle; each must be wider than twice "
                   "min_gap.") +
       views)
          .c_str());
  cls.def(
      "double_rows",
      [](PyModel& m, float gap) {
        Rebuild(m, "double rows", [gap](BCEQuasiGrid& g) { CheckedDoubleRows(g, gap); });
      },
      py::arg("min_gap") = 0.0f,
      (std::string("Splits every selected row in the middle; each must be thicker than twice "
                   "min_gap.") +
       views)
          .c_str());
  cls.def(
      "halve_columns", [](PyModel& m) { Rebuild(m, "halve columns", CheckedHalveColumns); },
      (std::string("Merges the selected columns in pairs from the right.") + views).c_str());
  cls.def(
      "halve_rows", [](PyModel& m) { Rebuild(m, "halve rows", CheckedHalveRows); },
      (std::string("Merges the selected rows in pairs from the top.") + views).c_str());
}

void BindLineMoves(py::class_<PyModel>& cls) {
  cls.def(
      "move_hline",
      [](PyModel& m, int hline, float dz, float gap) { CheckedMoveHLine(m.grid, hline, dz, gap); },
      py::arg("hline"), py::arg("dz"), py::arg("min_gap") = 0.0f,
      "Moves H-line hline (1..nz) by dz on every V-line, keeping min_gap to its neighbour.");
  cls.def(
      "move_selection",
      [](PyModel& m, float dz, float gap) { CheckedMoveSelection(m.grid, dz, gap); }, py::arg("dz"),
      py::arg("min_gap") = 0.0f,
      "Moves the selected rows by dz as a block; the rows above and below stretch.");
  cls.def(
      "move_selection_top",
      [](PyModel& m, float dz, float gap) { CheckedMoveSelectionTop(m.grid, dz, gap); },
      py::arg("dz"), py::arg("min_gap") = 0.0f,
      "Moves the selection's upper edge by dz, its lower edge held.");
  cls.def(
      "move_selection_bottom",
      [](PyModel& m, float dz, float gap) { CheckedMoveSelectionBottom(m.grid, dz, gap); },
      py::arg("dz"), py::arg("min_gap") = 0.0f,
      "Moves the selection's lower edge by dz, its upper edge held.");
  cls.def(
      "remesh",
      [](PyModel& m, int line, std::vector<float> curve, bool topLine, bool resample, float gap) {
        const RemeshRequest r{line, std::move(curve), topLine, resample, gap};
        KeepingBuffers(m, [&r](BCEQuasiGrid& g) { CheckedRemesh(g, r); });
      },
      py::arg("line"), py::arg("curve"), py::arg("top_line") = false, py::arg("resample") = false,
      py::arg("min_gap") = 0.0f,
      R"(Moves H-line line (1-based) inside the band of selected rows onto curve (one elevation per
V-line) and stretches the lines between it and the band's edges. top_line: the band starts at
row 1 and the curve replaces the top line (line is ignored). resample: the band's velocities
are re-sampled in the old profile instead of moving with their cells. Every moved line keeps
min_gap from the band edge it approaches.)");
}

void BindVelocityEdits(py::class_<PyModel>& cls) {
  cls.def(
      "set_velocity", [](PyModel& m, float v) { CheckedSetVelocity(m.grid, v); }, py::arg("v"),
      "Sets every selected cell to v (0..100000).");
  cls.def(
      "modify_velocity",
      [](PyModel& m, std::optional<float> percent, std::optional<float> add, float vmin,
         float vmax) {
        if (percent.has_value() == add.has_value())
          throw py::value_error("give exactly one of percent= and add=");
        return CheckedModifyVelocity(m.grid, percent ? *percent : *add, add.has_value(), vmin,
                                     vmax);
      },
      py::kw_only(), py::arg("percent") = py::none(), py::arg("add") = py::none(),
      py::arg("vmin") = 0.0f, py::arg("vmax") = 100000.0f,
      R"(Changes every selected cell by percent or by add, then clamps it to vmin..vmax (each
0..100000). Returns True when any cell was clamped.)");
  cls.def(
      "set_apex_velocities",
      [](PyModel& m, float tl, float tr, float bl, float br) {
        CheckedSetApexVelocities(m.grid, tl, tr, bl, br);
      },
      py::arg("top_left"), py::arg("top_right"), py::arg("bot_left"), py::arg("bot_right"),
      "Sets the velocities of the selection's four corner cells and interpolates between them.");
  const std::pair<const char*, char> continuations[] = {{"continue_velocity_down", 'D'},
                                                        {"continue_velocity_up", 'U'},
                                                        {"continue_velocity_right", 'R'},
                                                        {"continue_velocity_left", 'L'},
                                                        {"continue_velocity_both", 'B'}};
  const char* docs[] = {
      "Each selected column's top selected velocity fills the selected rows below it.",
      "Each selected column's bottom selected velocity fills the selected rows above it.",
      "The leftmost selected column's velocities fill the selection rightward (a one-column "
      "selection: to the model's right edge).",
      "The rightmost selected column's velocities fill the selection leftward (a one-column "
      "selection: to the model's left edge).",
      "A one-column selection's velocities continue to both edges of the model."};
  for (size_t k = 0; k < std::size(continuations); ++k) {
    const char direction = continuations[k].second;
    cls.def(
        continuations[k].first,
        [direction](PyModel& m) { CheckedContinueVelocity(m.grid, direction); }, docs[k]);
  }
  cls.def(
      "interpolate_between_columns",
      [](PyModel& m, std::optional<std::vector<int>> cols) {
        if (cols)
          CheckedInterpolateFromColumns(m.grid, *cols);
        else
          CheckedInterpolateBetweenColumns(m.grid);
      },
      py::arg("cols") = py::none(),
      R"(Without cols: interpolates in X, row by row, between the first and last selected
columns. With cols (ascending 1-based column numbers): keeps those columns and fills every
other one from them, continuing the outer ones to the model's edges.)");
  cls.def(
      "replace_velocity_column",
      [](PyModel& m, int col, const std::vector<float>& z, const std::vector<float>& v) {
        CheckedReplaceVelocityColumn(m.grid, col, z, v);
      },
      py::arg("col"), py::arg("z"), py::arg("v"),
      "Replaces the velocities on the left V-line of column col by the profile z (strictly "
      "descending), v, linear in elevation, its end values held beyond it.");
  cls.def(
      "set_column",
      [](PyModel& m, float x, const std::vector<float>& z, const std::vector<float>& v) {
        CheckedSetColumn(m.grid, x, z, v);
      },
      py::arg("x"), py::arg("z"), py::arg("v"),
      R"(Moves the selection's left V-line to x (between its neighbours) and gives it the
elevations z and velocities v of H-lines 1..nz-1, top first (nz-1 values each).)");
}

void BindFixedCells(py::class_<PyModel>& cls) {
  cls.def(
      "fix_selection", [](PyModel& m) { return CheckedFixSelection(m.grid, true); },
      "Fixes the selected cells; returns how many changed.");
  cls.def(
      "free_selection", [](PyModel& m) { return CheckedFixSelection(m.grid, false); },
      "Frees the selected cells; returns how many changed.");
  cls.def(
      "free_all", [](PyModel& m) { return CheckedFreeAll(m.grid); },
      "Frees every cell; returns how many were fixed.");
}

}  // namespace

void BindEdits(py::class_<PyModel>& cls) {
  BindSelection(cls);
  BindStructureEdits(cls);
  BindLineMoves(cls);
  BindVelocityEdits(cls);
  BindFixedCells(cls);
}
