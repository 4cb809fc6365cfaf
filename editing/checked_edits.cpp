#include "editing/checked_edits.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <string>
#include <utility>

#include "editing/internal/array_rebuild.h"
#include "editing/internal/selection_in_use.h"
#include "platform/error_box.h"

namespace {

// The largest velocity an edit may write, as for a new model.
constexpr float kMaxVelocity = 100000;

[[noreturn]] void Refuse(const std::string& why) {
  throw EditRefused(why);
}

std::string Num(double v) {
  std::string s = std::to_string(v);
  // to_string gives six decimals; drop the zeros that say nothing.
  if (s.find('.') != std::string::npos) {
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
  }
  return s;
}

// Keeps the messages the model shows during an edit from reaching the user's error box: the
// edit's outcome is reported by exception instead.
class QuietErrors {
 public:
  QuietErrors() : previous_(SetErrorHandler([](const AnsiString&) {})) {}
  ~QuietErrors() { SetErrorHandler(previous_); }
  QuietErrors(const QuietErrors&) = delete;
  QuietErrors& operator=(const QuietErrors&) = delete;

 private:
  ErrorHandler previous_;
};

void RequireFinite(float v, const char* what) {
  if (!std::isfinite(v)) Refuse(std::string(what) + " must be a finite number");
}

void RequireGap(float minGap, bool positive) {
  RequireFinite(minGap, "the min gap");
  if (positive ? !(minGap > 0) : minGap < 0) {
    Refuse(std::string("the min gap must be ") + (positive ? "above 0" : "0 or more"));
  }
}

// The gap handed to the model's tests, which pass a spacing equal to it: a min gap of 0 asks for
// lines that stay apart however close, so the smallest float above 0 stands in for it and two
// lines never fall onto one another.
float TestedGap(float minGap) {
  return std::max(minGap, std::numeric_limits<float>::denorm_min());
}

// "the min gap 2"; with 0, lines may come as close as they like but never touch.
std::string GapText(float minGap) {
  return "the min gap " + Num(minGap);
}

void RequireVelocity(float v) {
  if (!(v >= 0 && v <= kMaxVelocity)) {
    Refuse("a velocity must lie between 0 and " + Num(kMaxVelocity) + ", not " + Num(v));
  }
}

void RequireSelection(const BCEQuasiGrid& g) {
  if (!g.SelActive) Refuse("nothing is selected");
  if (!SelectionInUse(g)) Refuse("the selection no longer fits the grid; select again");
}

int SelectedColumns(const BCEQuasiGrid& g) {
  return g.SelSubgrid.RightCol - g.SelSubgrid.LeftCol;
}
int SelectedRows(const BCEQuasiGrid& g) {
  return g.SelSubgrid.TopNode - g.SelSubgrid.BotNode + 1;
}

void RequireNodeCount(int64_t nodes) {
  if (nodes >= kNodeLimit) {
    Refuse("the grid would have " + std::to_string(nodes) + " nodes, more than the limit of " +
           std::to_string(kNodeLimit - 1));
  }
}

void RequireInsertion(int n, float ratio, float minGap) {
  if (n < 1) Refuse("the number of lines to insert must be at least 1");
  RequireFinite(ratio, "the ratio");
  if (ratio < 0.0001f) Refuse("the ratio must be at least 0.0001");
  RequireGap(minGap, true);
}

// Checks a 1-based inclusive range, its ends in either order, against 1..count; {0, 0} stands
// for all of them.
NumberRange ResolveRange(NumberRange r, int count, const char* what) {
  if (r.First == 0 && r.Last == 0) return {1, count};
  if (r.First > r.Last) std::swap(r.First, r.Last);
  if (r.First < 1 || r.Last > count) {
    Refuse(std::string(what) + " " + std::to_string(r.First) + ".." + std::to_string(r.Last) +
           " do not lie within 1.." + std::to_string(count));
  }
  return r;
}

// The selection must be away from the lines that never move: the top H-line (top) and the
// bottom H-line (bottom).
void RequireAwayFromFixedLines(BCEQuasiGrid& g, bool top, bool bottom) {
  if (top && g.IsTopSelected()) Refuse("the selection reaches the top H-line, which stays");
  if (bottom && g.IsBotSelected()) Refuse("the selection reaches the bottom H-line, which stays");
}

void RequireSqueezeFits(bool fits, float minGap) {
  if (!fits) Refuse("the move would leave a row thinner than " + GapText(minGap));
}

}  // namespace

// ---- selection ----

void CheckedSelect(BCEQuasiGrid& g, NumberRange cols, NumberRange rows) {
  const NumberRange c = ResolveRange(cols, g.GetNx() - 1, "columns");
  const NumberRange r = ResolveRange(rows, g.Nz - 1, "rows");
  // Row r lies under H-line r, so its top-left node has izrel Nz - r.
  const int left = c.First - 1;
  const BCSubgrid sg{left, c.Last, g.NodeIndex(left, g.Nz - r.Last),
                     g.NodeIndex(left, g.Nz - r.First)};
  g.UnselectCells();
  g.SelSubgrid = sg;
  g.MarkSelSubGridCells(sg);
  g.SelActive = true;
}

void CheckedUnselect(BCEQuasiGrid& g) {
  g.UnselectCells();
}

// ---- structure edits ----

void CheckedInsertVLines(BCEQuasiGrid& g, int n, float ratio, float minGap) {
  RequireInsertion(n, ratio, minGap);
  RequireSelection(g);
  if (g.GetSelShape() != ssColumn) {
    Refuse("the selection must be exactly one cell column of full height");
  }
  RequireNodeCount((int64_t{g.GetNx()} + n) * g.Nz);
  const QuietErrors quiet;
  const int done = g.InsertVLines(n, ratio, minGap);
  if (done < 0) throw std::bad_alloc();
  if (done == 0) Refuse("the new columns would be narrower than the min gap " + Num(minGap));
}

void CheckedInsertHLines(BCEQuasiGrid& g, int n, float ratio, float minGap) {
  RequireInsertion(n, ratio, minGap);
  RequireSelection(g);
  if (g.GetSelShape() != ssRow) Refuse("the selection must be exactly one row of full width");
  RequireNodeCount(int64_t{g.GetNx()} * (g.Nz + n));
  const QuietErrors quiet;
  const int done = g.InsertHLines(n, ratio, minGap);
  if (done < 0) throw std::bad_alloc();
  if (done == 0) Refuse("the new rows would be thinner than the min gap " + Num(minGap));
}

void CheckedDeleteSelectedLines(BCEQuasiGrid& g) {
  RequireSelection(g);
  const SubGridShape shape = g.GetSelShape();
  if (shape != ssColumn && shape != ssColumns && shape != ssRow && shape != ssRows) {
    Refuse("the selection must be whole columns or whole rows, and not the whole grid");
  }
  switch (g.DeleteSelectedLines()) {
    case 0:
      return;
    case 1:
      Refuse("the columns start at the left edge, whose V-line stays");
    case 2:
      Refuse("the rows include the top row, whose H-line stays");
    default:
      Refuse("a horizon lies on an H-line that would be deleted");
  }
}

namespace {

// Common part of the doublings: codes 1 a line too close, 2 memory, 3 too many nodes.
void FinishDoubling(int code, float minGap, const char* what, int64_t nodes) {
  if (code == 0) return;
  if (code == 2) throw std::bad_alloc();
  if (code == 3) RequireNodeCount(nodes);
  Refuse(std::string("a selected ") + what + " is not thicker than twice " + GapText(minGap));
}

}  // namespace

void CheckedDoubleColumns(BCEQuasiGrid& g, float minGap) {
  RequireGap(minGap, false);
  RequireSelection(g);
  const int64_t nodes = (int64_t{g.GetNx()} + SelectedColumns(g)) * g.Nz;
  RequireNodeCount(nodes);
  const QuietErrors quiet;
  FinishDoubling(g.DoubleColumns(TestedGap(minGap)), minGap, "column", nodes);
}

void CheckedDoubleRows(BCEQuasiGrid& g, float minGap) {
  RequireGap(minGap, false);
  RequireSelection(g);
  const int64_t nodes = int64_t{g.GetNx()} * (g.Nz + SelectedRows(g));
  RequireNodeCount(nodes);
  const QuietErrors quiet;
  FinishDoubling(g.DoubleRows(TestedGap(minGap)), minGap, "row", nodes);
}

void CheckedHalveColumns(BCEQuasiGrid& g) {
  RequireSelection(g);
  if (SelectedColumns(g) < 2) Refuse("at least two columns must be selected");
  g.HalveColumns();
}

void CheckedHalveRows(BCEQuasiGrid& g) {
  RequireSelection(g);
  if (SelectedRows(g) < 2) Refuse("at least two rows must be selected");
  if (!g.HalveRows()) Refuse("a horizon lies on an H-line inside the selected rows");
}

// ---- line moves ----

void CheckedMoveHLine(BCEQuasiGrid& g, int hline, float dz, float minGap) {
  RequireFinite(dz, "the shift");
  RequireGap(minGap, false);
  if (hline < 1 || hline > g.Nz) {
    Refuse("H-line " + std::to_string(hline) + " does not lie within 1.." + std::to_string(g.Nz));
  }
  const int ih = hline - 1;
  if (ih == 0 && dz > 0) Refuse("the top H-line cannot move up");
  if (ih == g.Nz - 1 && dz < 0) Refuse("the bottom H-line cannot move down");
  if (!g.CanMoveHLine(ih, dz, TestedGap(minGap))) {
    Refuse("the move would bring H-line " + std::to_string(hline) + " closer than " +
           GapText(minGap) + " to its neighbour");
  }
  g.MoveHLine(ih, dz);
}

void CheckedMoveSelection(BCEQuasiGrid& g, float dz, float minGap) {
  RequireFinite(dz, "the shift");
  RequireGap(minGap, false);
  RequireSelection(g);
  RequireAwayFromFixedLines(g, true, true);
  RequireSqueezeFits(g.CanMoveSelSubgrid(dz, TestedGap(minGap)), minGap);
  g.MoveSelSubgrid(dz);
}

void CheckedMoveSelectionTop(BCEQuasiGrid& g, float dz, float minGap) {
  RequireFinite(dz, "the shift");
  RequireGap(minGap, false);
  RequireSelection(g);
  RequireAwayFromFixedLines(g, true, false);
  RequireSqueezeFits(g.CanDeformSubBotFixed(dz, TestedGap(minGap)), minGap);
  g.DeformSubBotFixed(dz);
}

void CheckedMoveSelectionBottom(BCEQuasiGrid& g, float dz, float minGap) {
  RequireFinite(dz, "the shift");
  RequireGap(minGap, false);
  RequireSelection(g);
  RequireAwayFromFixedLines(g, false, true);
  RequireSqueezeFits(g.CanDeformSubTopFixed(dz, TestedGap(minGap)), minGap);
  g.DeformSubTopFixed(dz);
}

// ---- velocities ----

void CheckedSetVelocity(BCEQuasiGrid& g, float v) {
  RequireVelocity(v);
  RequireSelection(g);
  g.SetVSelSubgrid(v);
}

bool CheckedModifyVelocity(BCEQuasiGrid& g, float amount, bool additive, float vMin, float vMax) {
  RequireFinite(amount, additive ? "the amount" : "the percentage");
  RequireVelocity(vMin);
  RequireVelocity(vMax);
  if (vMin > vMax) Refuse("the lowest velocity " + Num(vMin) + " exceeds the highest " + Num(vMax));
  RequireSelection(g);
  return !g.ModVSelSubgrid(amount, additive, vMin, vMax);
}

void CheckedSetApexVelocities(BCEQuasiGrid& g, float topLeft, float topRight, float botLeft,
                              float botRight) {
  for (float v : {topLeft, topRight, botLeft, botRight}) RequireVelocity(v);
  RequireSelection(g);
  g.SetApexVels(topLeft, topRight, botLeft, botRight);
}

void CheckedContinueVelocity(BCEQuasiGrid& g, char direction) {
  RequireSelection(g);
  switch (direction) {
    case 'D':
      g.ContinueVelDownward();
      return;
    case 'U':
      g.ContinueVelUpward();
      return;
    case 'B':
      if (SelectedColumns(g) != 1) Refuse("continuing both ways needs exactly one column");
      [[fallthrough]];
    case 'R':
    case 'L':
      g.ContinueVelHorizontally(direction);
      return;
    default:
      Refuse(std::string("no direction '") + direction + "'; use D, U, R, L or B");
  }
}

void CheckedInterpolateBetweenColumns(BCEQuasiGrid& g) {
  RequireSelection(g);
  if (SelectedColumns(g) < 2) Refuse("at least two columns must be selected");
  g.InterpolateVelBetweenCols();
}

void CheckedInterpolateFromColumns(BCEQuasiGrid& g, const std::vector<int>& cols) {
  if (cols.empty()) Refuse("at least one column must be given");
  const int last = g.GetNx() - 1;
  for (size_t k = 0; k < cols.size(); ++k) {
    if (cols[k] < 1 || cols[k] > last) {
      Refuse("column " + std::to_string(cols[k]) + " does not lie within 1.." +
             std::to_string(last));
    }
    if (k > 0 && cols[k] < cols[k - 1]) Refuse("the columns must be given in ascending order");
  }
  const QuietErrors quiet;
  g.InterpolateVelBetweenCols(cols);
}

namespace {

// A profile of elevations from the top down and their velocities.
void RequireProfile(const std::vector<float>& z, const std::vector<float>& v, size_t count) {
  if (z.size() != count || v.size() != count) {
    Refuse("the profile must have " + std::to_string(count) + " elevations and velocities, not " +
           std::to_string(z.size()) + " and " + std::to_string(v.size()));
  }
  for (size_t k = 0; k < count; ++k) {
    RequireFinite(z[k], "an elevation");
    RequireVelocity(v[k]);
    if (k > 0 && !(z[k] < z[k - 1])) Refuse("the elevations must descend strictly");
  }
}

}  // namespace

void CheckedReplaceVelocityColumn(BCEQuasiGrid& g, int col, const std::vector<float>& z,
                                  const std::vector<float>& v) {
  const int last = g.GetNx() - 1;
  if (col < 1 || col > last) {
    Refuse("column " + std::to_string(col) + " does not lie within 1.." + std::to_string(last));
  }
  if (z.empty()) Refuse("the profile is empty");
  RequireProfile(z, v, z.size());
  g.ReplaceVelCol(col, z, v);
}

void CheckedSetColumn(BCEQuasiGrid& g, float x, const std::vector<float>& z,
                      const std::vector<float>& v) {
  RequireSelection(g);
  RequireFinite(x, "the X");
  RequireProfile(z, v, static_cast<size_t>(g.Nz - 1));
  const int col = g.SelSubgrid.LeftCol;
  const bool keepsOrder = (col == 0 || g.XX[col - 1] < x) && x < g.XX[col + 1];
  if (!keepsOrder) Refuse("X " + Num(x) + " does not lie between the neighbouring V-lines");
  if (!(z.back() > g.ZZ[g.NodeIndex(col, 0)])) {
    Refuse("the lowest elevation must lie above the bottom node");
  }
  bool anyVelocity = false;
  for (float s : v) anyVelocity = anyVelocity || s > 0;
  if (!anyVelocity) Refuse("the profile has no velocity above 0");
  std::vector<float> zz = z, vv = v;  // SetColumn fills the gaps of v in place
  if (!g.SetColumn(x, zz, vv)) Refuse("the column does not fit the grid");
}

// ---- fixed cells ----

int CheckedFixSelection(BCEQuasiGrid& g, bool fix) {
  RequireSelection(g);
  return g.FixSelectedSubgrid(fix, nullptr);
}

int CheckedFreeAll(BCEQuasiGrid& g) {
  return g.FreeAllCells();
}

// ---- remeshing ----

namespace {

// Starts the band of the selected rows; refusals in words.
void StartBand(BCEQuasiGrid& g, const RemeshRequest& r) {
  const int top = g.GetIH(g.SelSubgrid.TopNode);
  const int bot = g.GetIH(g.SelSubgrid.BotNode);
  if (r.TopLine && top != 0) Refuse("remeshing the top line needs a band that starts at row 1");
  if (!r.TopLine && top == bot) Refuse("the band must have at least two rows");
  if (!r.TopLine && (r.Line < top + 2 || r.Line > bot + 1)) {
    Refuse("line " + std::to_string(r.Line) + " does not lie inside the band, H-lines " +
           std::to_string(top + 2) + ".." + std::to_string(bot + 1));
  }
  if (!g.InitRemesh(r.TopLine)) Refuse("a horizon lies inside the band");
  if (!r.TopLine) g.LineToReplace = r.Line - 1;
}

}  // namespace

void CheckedRemesh(BCEQuasiGrid& g, const RemeshRequest& r) {
  RequireGap(r.MinGap, false);
  RequireSelection(g);
  const size_t nx = static_cast<size_t>(g.GetNx());
  if (r.Curve.size() != nx) {
    Refuse("the curve must have one elevation per V-line, " + std::to_string(nx) + ", not " +
           std::to_string(r.Curve.size()));
  }
  for (float z : r.Curve) RequireFinite(z, "an elevation of the curve");

  // The band's start clears velocities outside it and the move changes elevations: work on a
  // copy, so that a refusal on the way leaves the model as it was.
  BCEQuasiGrid work = g;
  std::vector<float> oldVV = g.VV;
  std::vector<float> curve = r.Curve;
  StartBand(work, r);
  if (!work.CurveInsideRemeshBand(curve.data())) {
    Refuse("the curve must lie strictly inside the band");
  }
  if (!work.CurveMeetsResolution(curve.data(), TestedGap(r.MinGap))) {
    Refuse("the move would bring a line closer than " + GapText(r.MinGap) + " to the band's edge");
  }
  std::vector<float> oldZZ = work.ZZ;
  work.DoRemesh(curve.data());
  work.SetNewVelFlag(r.Resample);
  work.SetRemeshVelocity(&oldVV, &oldZZ);
  // Only elevations and velocities differ from the model's; they go back into its own buffers
  // (same sizes, so nothing is allocated or freed), and views of the arrays stay valid.
  std::copy(work.ZZ.begin(), work.ZZ.end(), g.ZZ.begin());
  std::copy(work.VV.begin(), work.VV.end(), g.VV.begin());
}
