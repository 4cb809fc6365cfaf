// The edits of the editable model as calls that either do their work or throw: what the Python
// module and the tool's edit scripts share, so that both refuse the same things in the same
// words.
//
// Each call checks its arguments, runs the model's own edit and turns a refusal into
// EditRefused, whose what() says why in words, without the edit's name, which the caller knows
// ("the selection must be exactly one cell column of full height"). Lack of memory becomes
// std::bad_alloc. After any exception the model is exactly as it was before the call; messages
// the model would show on the way go into the exception instead.
//
// Numbering is the one the tool shows users: cell columns 1..Nx-1 (column c lies between
// V-lines c-1 and c), cell rows and H-lines 1..Nz from the top (row r lies under H-line r),
// ranges inclusive.
#pragma once

#include <stdexcept>
#include <vector>

#include "editing/equasigrid.h"

// A refused edit; what() says why.
class EditRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An inclusive range of 1-based column or row numbers, its ends in either order; {0, 0} means
// all of them.
struct NumberRange {
  int First = 0;
  int Last = 0;
};

// ---- selection ----
// Selects the cells of columns cols and rows rows (all of them where a range is {0, 0}),
// replacing any earlier selection.
void CheckedSelect(BCEQuasiGrid& g, NumberRange cols, NumberRange rows);
// Clears the selection.
void CheckedUnselect(BCEQuasiGrid& g);

// ---- structure edits (they reallocate the node arrays) ----
// n V-lines into the one selected cell column; each interval ratio times the one before it.
void CheckedInsertVLines(BCEQuasiGrid& g, int n, float ratio, float minGap);
// n H-lines into the one selected row.
void CheckedInsertHLines(BCEQuasiGrid& g, int n, float ratio, float minGap);
// Deletes the selected whole columns or whole rows.
void CheckedDeleteSelectedLines(BCEQuasiGrid& g);
void CheckedDoubleColumns(BCEQuasiGrid& g, float minGap);
void CheckedDoubleRows(BCEQuasiGrid& g, float minGap);
void CheckedHalveColumns(BCEQuasiGrid& g);
void CheckedHalveRows(BCEQuasiGrid& g);

// ---- line moves (ZZ changes in place) ----
// Moves H-line hline (1..Nz) by dz on every V-line.
void CheckedMoveHLine(BCEQuasiGrid& g, int hline, float dz, float minGap);
// Moves the selected rows as a block.
void CheckedMoveSelection(BCEQuasiGrid& g, float dz, float minGap);
// Moves the selection's upper edge, its lower edge held.
void CheckedMoveSelectionTop(BCEQuasiGrid& g, float dz, float minGap);
// Moves the selection's lower edge, its upper edge held.
void CheckedMoveSelectionBottom(BCEQuasiGrid& g, float dz, float minGap);

// ---- velocities (VV changes in place) ----
void CheckedSetVelocity(BCEQuasiGrid& g, float v);
// Adds amount (additive) or amount percent to every selected cell, clamped to vMin..vMax.
// Returns whether any cell was clamped.
bool CheckedModifyVelocity(BCEQuasiGrid& g, float amount, bool additive, float vMin, float vMax);
// Sets the velocities of the selection's four corner cells and interpolates between them.
void CheckedSetApexVelocities(BCEQuasiGrid& g, float topLeft, float topRight, float botLeft,
                              float botRight);
// Continues the selection's velocities: 'D' down, 'U' up, 'R' rightward, 'L' leftward, 'B' both
// ways from a one-column selection.
void CheckedContinueVelocity(BCEQuasiGrid& g, char direction);
// Interpolates in X between the first and last selected columns.
void CheckedInterpolateBetweenColumns(BCEQuasiGrid& g);
// Keeps the velocities of cell columns cols (ascending) and fills every other column from them.
void CheckedInterpolateFromColumns(BCEQuasiGrid& g, const std::vector<int>& cols);
// Replaces the velocities on the left V-line of cell column col by the profile (z descending).
void CheckedReplaceVelocityColumn(BCEQuasiGrid& g, int col, const std::vector<float>& z,
                                  const std::vector<float>& v);
// Moves the selection's left V-line to x and gives it the elevations z and velocities v of
// H-lines 1..Nz-1 (top first), as GetColumn lays them out.
void CheckedSetColumn(BCEQuasiGrid& g, float x, const std::vector<float>& z,
                      const std::vector<float>& v);

// ---- fixed cells ----
// Fixes (fix true) or frees the selected cells; returns how many changed.
int CheckedFixSelection(BCEQuasiGrid& g, bool fix);
// Frees every cell; returns how many were fixed.
int CheckedFreeAll(BCEQuasiGrid& g);

// ---- remeshing ----
// Moves H-line Line (1-based) of the band of selected rows onto Curve (one elevation per
// V-line) and stretches the lines between it and the band's edges. TopLine: the band starts at
// the top row and the curve replaces the top line (Line is then ignored). Resample: the band's
// velocities are re-sampled in the old profile instead of moving with their cells. Every moved
// line keeps at least MinGap from the band edge it approaches.
struct RemeshRequest {
  int Line = 0;
  std::vector<float> Curve;
  bool TopLine = false;
  bool Resample = false;
  float MinGap = 0;
};
void CheckedRemesh(BCEQuasiGrid& g, const RemeshRequest& request);
