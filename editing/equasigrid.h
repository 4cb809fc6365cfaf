// The editable model: the quasi-grid with the structure, velocity, remesh and fixed-cell edits.
//
// Conventions of the whole model (see model/quasigrid.h) hold here: Z grows upward, izrel 0 is
// the bottom node of a V-line, IH 0 is the top H-line, a cell lives at its top-left node, and a
// subgrid covers the cell columns LeftCol..RightCol-1. Every edit keeps ZZ, VV and CellFlags at
// Nx x Nz entries and WholeSubgrid at {0, Nx-1, 1, Nz-1}. The edits that use SelSubgrid whatever
// SelActive says first check that it fits the grid (SelSubgridFitsGrid) and refuse a stale one.
#pragma once

#include <vector>

#include "model/quasigrid.h"

class BCEQuasiGrid : public BCQuasiGrid {
 public:
  int RemeshTopLine = -1;       // IH of the upper H-line of the band's highest row; -1 idle
  int RemeshBotLine = -1;       // IH of the upper H-line of the band's lowest row
  int LineToReplace = -1;       // IH of the H-line that the remesh curve replaces
  bool ReplaceTopLine = false;  // top-line mode: the band starts at H-line 0
  bool NewVelFlag = false;      // re-sample the band's velocities after the remesh move

  BCEQuasiGrid() = default;
  BCEQuasiGrid(const BCEQuasiGrid& other) = default;
  BCEQuasiGrid(BCEQuasiGrid&& other) noexcept = default;
  // The base assignment, then the five remesh members as they are; *this stays as it was if an
  // allocation fails.
  BCEQuasiGrid& operator=(const BCEQuasiGrid& other);
  // Takes other's arrays and state; allocates nothing.
  BCEQuasiGrid& operator=(BCEQuasiGrid&& other) noexcept = default;

  // Whether SelSubgrid addresses cells of this grid: 0 <= LeftCol < RightCol <= Nx-1, BotNode
  // and TopNode on V-line LeftCol with rows 1..Nz-1, BotNode <= TopNode. A selection left stale
  // by an edit fails, and the operations that rely on it refuse.
  bool SelSubgridFitsGrid() const;

  // ---- cell queries and column profiles ----
  // The base query; with withFix, info.Fixed reports the fixed bit (1.0 or 0.0).
  bool GetCellInfo(BCCellInfo& info, bool withFix) const override;
  // The base drawing cell, with dc.Fixed from the fixed bit.
  void GetDrawCell(const BCCell& cell, BCDrawCell& dc) const override;
  // Left and right X of the cell column numbered col (1-based, as BCCellInfo.Col):
  // XX[col-1] and XX[col]. col is not checked.
  void GetCellXRange(int col, float& x1, float& x2) const;
  // Elevations of the lower and upper H-line of the cell in info at info.X; info must come from
  // a successful GetCellInfo.
  void GetCellZRange(const BCCellInfo& info, float& zBot, float& zTop) const;
  // Drag handle of the selection: x midway between its left and right V-lines (clipped to the
  // zoom window when zoomed), the elevations there of its top line, of the line under its lowest
  // row, and their middle. A stale selection leaves every output untouched.
  void GetSelSGDragPoint(float& x, float& zMid, float& zTop, float& zBot) const;
  // IH of the H-line at the top of the selection; -1 for a stale selection.
  int GetSelSubgridTop();
  // Column of the selection's left V-line: its index, its X and those of its neighbours (xPrev
  // is x on V-line 0), and top first, for H-lines 0..Nz-2, the elevation on it and the velocity
  // of the cell below that H-line to its right. A stale selection leaves every output untouched.
  void GetColumn(int& col, float& x, float& xPrev, float& xNext, std::vector<float>& z,
                 std::vector<float>& v) const;
  // Writes a column laid out as GetColumn gives it back onto the selection's left V-line (its
  // bottom node keeps its elevation and velocity). v[0] and v[Nz-2], when 0, take the nearest
  // positive velocity of v (in place); other zero velocities are interpolated in elevation
  // between the positive ones. False with nothing changed for a stale selection or input that
  // would break the grid: x not finite or not between its neighbours, fewer than Nz-1 entries,
  // a value not finite, elevations not strictly descending down to above the bottom node, a
  // negative velocity. False with only XX[col] set to x when v has no positive velocity.
  bool SetColumn(float x, std::vector<float>& z, std::vector<float>& v);
  // Whether velocity never drops downward by more than GetVelMinRes in cell column col (1-based)
  // or, for col 0, in every column. At the first (leftmost, then highest) cell slower than the
  // cell above it, fills info for that cell and gives false; NaN comparisons pass, the bottom
  // cell is not compared with the copy node under it, and col outside 0..Nx-1 gives true.
  bool CheckVelocityIncrease(BCCellInfo& info, int col);

  // ---- structure edits: the rules every one of them keeps ----
  //  1. ZZ, VV and CellFlags hold Nx x Nz entries, column-major; an edit that adds or removes
  //     lines changes all three together, and XX or Nz with them.
  //  2. WholeSubgrid stays {0, Nx-1, 1, Nz-1}. InsertVLine alone, a building block, leaves the
  //     subgrids, the selection and the horizons to its caller.
  //  3. New nodes get flag byte 0: neither selected nor fixed.
  //  4. An edit that changes the number of lines clears the selection marks (UnselectCells),
  //     maps SelSubgrid onto the same cells in the new numbering, marks them again
  //     (MarkSelSubGridCells) and sets SelActive; the deletions end with no selection.
  //  5. Horizons stay tied to their H-lines: inserting or removing H-lines renumbers the
  //     horizons below the change; V-line edits and line moves never touch Hors.
  //  6. At most 2,500,000 nodes: each insertion and doubling tests the count it would produce.
  //  7. ModelRect, IniRect, ModelHeight, XRes and ZRes never change. The last V-line is never
  //     removed, V-line 0 only by a direct DeleteVLines, so the model's left and right X stay.
  //  8. A growing edit builds its new arrays before it swaps them in: out of memory, it shows
  //     its message and leaves the model exactly as it was.

  // ---- line moves and subgrid deformation: a const test, then the move ----
  // Each test checks, in single precision, that after the move every spacing of the run of
  // rows the move compresses stays at least minGap (equal passes, NaN fails); true at once for
  // dz 0. Each move checks only what keeps it inside the arrays (and, for the subgrid moves,
  // the model's top and bottom lines in place); it changes only ZZ and the zoom rows. A
  // non-finite dz or minGap or a stale selection makes a test false; a non-finite dz or a stale
  // selection makes a move do nothing.

  // Whether H-line ih may move by dz on every V-line and keep minGap to its neighbour in the
  // direction of the move. False for ih outside 0..Nz-1 and for the top line up or the bottom
  // line down.
  bool CanMoveHLine(int ih, float dz, float minGap) const;
  // Moves H-line ih by dz on every V-line; nothing for ih outside 0..Nz-1.
  void MoveHLine(int ih, float dz);
  // Whether the selected rows may move by dz as a block between the fixed top and bottom
  // lines; false up for a selection reaching the top line, down for one reaching the bottom.
  bool CanMoveSelSubgrid(float dz, float minGap) const;
  // Moves the top edges of the selected rows by dz on V-lines LeftCol..RightCol, rescales the
  // rows above the selection toward the top line and those below (its lower edge among them)
  // toward the bottom line, and widens ZoomSubgrid to every row. Nothing for a selection that
  // reaches the top or the bottom line: those lines never move.
  void MoveSelSubgrid(float dz);
  // Whether the selection's upper edge may move by dz with its lower edge held; false up for a
  // selection that reaches the top line.
  bool CanDeformSubBotFixed(float dz, float minGap) const;
  // Moves the upper edge by dz, rescales the rows above it toward the top line and the rows
  // inside the selection toward its held lower edge; widens ZoomSubgrid to every row. Nothing
  // for a selection that reaches the top line.
  void DeformSubBotFixed(float dz);
  // Whether the selection's lower edge may move by dz with its upper edge held; false down for
  // a selection whose lower edge is the bottom line.
  bool CanDeformSubTopFixed(float dz, float minGap) const;
  // Moves the lower edge by dz, rescales the rows inside the selection toward its held upper
  // edge and the rows below toward the bottom line; widens ZoomSubgrid to every row. Nothing
  // for a selection whose lower edge is the bottom line.
  void DeformSubTopFixed(float dz);

  // ---- line insertion and deletion ----
  // The insertions split a gap into n + 1 intervals: equal ones when |q - 1| < 0.0001, else
  // each q times the one before it, from the left V-line or the row's top edge. New nodes take
  // interpolated elevations and velocities and flag byte 0; on exhausted memory the model stays
  // as it was and "Memory allocation error: too thick grid." is shown.

  // Inserts n V-lines into the selected cell column (exactly one, full height). Returns n, with
  // the n + 1 new columns selected; 0 refused (n < 0, q < 0.0001, minGap not > 0, anything not
  // finite, (Nx + n) x Nz >= 2,500,000, another selection, an interval below minGap); -1 out of
  // memory.
  int InsertVLines(int n, float q, float minGap);
  // Inserts n H-lines into the selected row (exactly one, full width); horizons below its top
  // edge move down by n. Results as InsertVLines (no node limit).
  int InsertHLines(int n, float q, float minGap);
  // Inserts one V-line midway in cell column col (0..Nx-2; else false, nothing changed): the
  // left half keeps the cell's velocity, the right half gets the mean with the cell to its right
  // (a copy next to the last V-line). Leaves subgrids, selection and horizons to the caller.
  // False when memory ran out.
  bool InsertVLine(int col);
  // Deletes the lines of a column or row selection, leaving nothing selected. 0 done, or
  // neither columns nor rows (or a stale selection) and nothing done; 1 the columns start at
  // V-line 0; 2 the rows include the top row; 3 a horizon lies on an H-line to be deleted.
  int DeleteSelectedLines();
  // Removes V-lines LeftCol..RightCol-1 of the selection without tests; the column left of them
  // widens. Nothing when the selection is stale or starts at V-line 0. Keeps SelSubgrid,
  // SelActive and Hors.
  void DeleteVLines();
  // Removes the H-lines at the top edges of the selected rows (izrel of BotNode..TopNode) on
  // every V-line without tests; the cell above widens; horizons below move up. Nothing when the
  // selection is stale or reaches the top H-line. Keeps SelSubgrid and SelActive.
  void DeleteHLines();
  // Sets the elevation of H-line ih on V-line c to z[c] for every c. Nothing when ih lies
  // outside 0..Nz-1 or z has fewer than Nx entries.
  void ReplaceHLine(int ih, const std::vector<float>& z);

  // ---- row and column doubling and halving ----
  // Splits every selected cell column in the middle over its full height; the selection then
  // covers the split columns. 0 done; 1 a column not wider than 2 x minGap (or minGap NaN, or a
  // stale selection); 2 out of memory (message shown, model unchanged); 3 more than 2,500,000
  // nodes by (Nx + 2 x columns) x Nz.
  int DoubleColumns(float minGap);
  // Merges the selected cell columns in pairs from the right, keeping each pair's left half;
  // with an odd count the leftmost stays. Nothing unless two or more columns are selected.
  void HalveColumns();
  // Splits every selected row (izrel of BotNode..TopNode, over the full width) in the middle;
  // the lower half gets the mean velocity with the cell below (the row's own in the bottom
  // row); horizons spread with the rows. Codes as DoubleColumns, the limit being
  // Nx x (Nz + 2 x (rows - 1)).
  int DoubleRows(float minGap);
  // Merges the selected rows in pairs from the top, keeping each pair's upper half; with an odd
  // count the lowest stays. False (nothing changed) for one row, a stale selection, a horizon
  // on an H-line strictly inside the selection, or one on an H-line that the merge removes.
  bool HalveRows();

  // ---- velocity editing ----
  // Velocity edits act on the selected cells; SelActive false or a SelSubgrid that no longer
  // fits the grid count as no selection. "No velocity" is a value not above GetVelMinRes(), and
  // the continuations and interpolations never spread it. Formulas run in double, stored as
  // float. Column numbers are 1-based cell columns (left V-line = number - 1), valid 1..Nx-1.
  //
  // Velocities of the four corner cells of the selection; untouched without one.
  void GetApexVels(float& VTopLeft, float& VTopRight, float& VBotLeft, float& VBotRight) const;
  // Sets every selected cell to v.
  void SetVSelSubgrid(float v);
  // Adds dv (additive) or dv percent to every selected cell, then clamps below at vMin (NaN
  // included) and above at vMax. False when any cell was clamped; true without a selection.
  bool ModVSelSubgrid(float dv, bool additive, float vMin, float vMax);
  // Cell down-continue velocity: the cell at p gives its velocity to every node below it on its
  // left V-line, the bottom node included. False when p lies in no cell.
  bool CellDnContinueV(BCFPoint& p);
  // Linear interpolation in X, row by row, between the first and last selected columns, for rows
  // where both ends carry a velocity. False without a selection.
  bool InterpolateVelBetweenCols();
  // Each selected column's top selected velocity fills the rows below it in the selection (to
  // the bottom node for a one-row selection). False without a selection.
  bool ContinueVelDownward();
  // Each selected column's bottom selected velocity fills the rows above it in the selection (to
  // the top node for a one-row selection). False without a selection.
  bool ContinueVelUpward();
  // Continues velocities along the selected rows: 'R' and 'L' from the left or right selected
  // column across the selection, or from a one-column selection to the model's edge; 'B' (one
  // column only) both ways. False without a selection or for a refused direction.
  bool ContinueVelHorizontally(char dir);
  // Replaces the velocities of every node of column number col's left V-line by the profile
  // (z descending, v), interpolated linearly in elevation, its end velocities held beyond it.
  // Ignored for a bad column, empty or unequal vectors, elevations that do not strictly descend
  // or numbers that are not finite. The copy nodes are not refreshed.
  void ReplaceVelCol(int col, const std::vector<float>& z, const std::vector<float>& v);
  // Fills the model from the known columns cols (ascending, repeats allowed): the outer columns
  // are continued to the model's edges, the gaps interpolated in X, the copy nodes completed.
  // The selection is kept. A list out of order or with a number outside 1..Nx-1 changes nothing.
  void InterpolateVelBetweenCols(const std::vector<int>& cols);
  // Selects (SelSubgrid only) all cells of column number col.
  void SetColumnAsSelSubgrid(int col);
  // Selects (SelSubgrid only) all cells of column numbers col1..col2.
  void SetBetweenColumnsAsSelSubgrid(int col1, int col2);

  // ---- remeshing a band of H-lines under a drawn curve ----
  // The band is the cell rows whose top lines are T = RemeshTopLine .. B = RemeshBotLine; its
  // boundary lines T and B + 1 stay (T moves in top-line mode), L = LineToReplace is moved onto
  // a curve of Nx elevations (one per V-line) and the lines between are stretched. The host
  // keeps copies of VV (before InitRemesh) and ZZ (before DoRemesh) for SetRemeshVelocity.
  // Idle (RemeshTopLine -1), or with a band that no longer fits the grid, the steps refuse or do
  // nothing. Arithmetic is float except the snap distances, and the re-sampling (double).
  //
  // Sets the band from SelSubgrid (its top and bottom rows' top lines) and clears the velocities
  // outside it. Refused (nothing changed): a stale selection, one row in normal mode, a band not
  // starting at H-line 0 in top-line mode (which sets L = 0), a horizon on H-lines T+1..B.
  bool InitRemesh(bool replaceTop);
  // Zeroes VV above H-line T and below H-line B (the bottom node only when B + 1 is not the
  // bottom line), on every V-line.
  void NullifyVelOutsideBand();
  // Back to idle: RemeshTopLine = -1, nothing else changes.
  void CancelRemesh();
  // Normal mode: L = the IH of the selection's top row when it lies in T+1..B. False otherwise,
  // in top-line mode (L is already 0) and for a stale selection.
  bool SetLineToReplace();
  // Whether a curve may be drawn on H-line number hline (1-based): inside T..B, and on T itself
  // only with allowTopLine or in top-line mode.
  bool CanAppendRemeshCurve(int hline, bool allowTopLine);
  // The node of V-line number col on H-line number hline (both 1-based, valid), or with mid the
  // middle between it and the node below.
  BCFPoint GetRemeshPoint(int col, int hline, bool mid);
  // Snaps p to the nearest of six points of its cell (the left and right edges' top, middle and
  // bottom), the cell's top line lying in the band. hline on entry names the line being drawn
  // and excludes the nodes on T (normal mode) or B + 1 when it is T or B; the last column has no
  // right edge points. Ties go to the earlier point, left middle first. False when p is in no
  // band cell.
  bool MapForRemesh(const BCFPoint& p, int& col, int& hline, bool& mid);
  // Elevation z0 reached from p downward along its cell's left V-line in the one-way time t / 2
  // at the cell velocities. False (z0 untouched) for t not above 0, p outside the grid, a
  // velocity not above 0 or not finite on the way, or the bottom reached first.
  bool CalcZ0(BCFPoint& p, float t, float& z0);
  // Whether every curve value lies strictly above line B + 1 and strictly below line T (normal
  // mode) or not above IniRect.top (top-line mode).
  bool CurveInsideRemeshBand(float* curve);
  // Whether the move keeps every compressed line at least res from the boundary it approaches;
  // false for a value that is not finite or without a valid line to replace.
  bool CurveMeetsResolution(float* curve, float res);
  // Moves line L onto the curve and stretches the lines between it and the boundaries linearly;
  // the curve must have passed the two checks. Velocities are not touched.
  void DoRemesh(float* curve);
  // NewVelFlag = on.
  void SetNewVelFlag(bool on);
  // Restores the velocities outside the band from oldVV and, in normal mode with NewVelFlag,
  // re-samples the band's interior lines in the old profile (oldZZ, oldVV from line B + 1 to T).
  // A column whose new elevations leave that profile keeps its band. Arrays of the wrong size:
  // nothing restored (oldVV) or nothing re-sampled (oldZZ).
  void SetRemeshVelocity(std::vector<float>* oldVV, std::vector<float>* oldZZ);

  // ---- fixed cells: bit kCellFixed of CellFlags; freeing keeps the selected bit ----
  // Number of nodes whose fixed bit is set.
  int GetNumOfFixes();
  // Fixes (fix true) or frees the cells of the selection (rect null; 0 without one or with a
  // stale one) or of the cells inside *rect (GetSelSubgrid; the selection is not touched).
  // Returns the number of cells whose state changed.
  int FixSelectedSubgrid(bool fix, BCFRect* rect);
  // Clears every fixed bit; returns how many were set.
  int FreeAllCells();
  // Replaces pts with the GetColRow position of every fixed node, ascending; true when any.
  bool GetFixCells(std::vector<TPoint>& pts);
  // Frees every node, then fixes the node of each position (GetAbsIndex); positions with x
  // outside 1..Nx or y outside 1..Nz are skipped.
  void SetFixCells(const std::vector<TPoint>& pts);
  // Next fixed node after i (start with i = -1): sets i and v = VV[i] and gives true; false
  // with i and v untouched when there is none or i < -1.
  bool GetNextFix(int& i, float& v);

  // ---- model tables ----
  // Fills v with field V of every record of the main model table.
  bool LoadIniVelocity(const AnsiString& dbDir, std::vector<float>& v) const;
  // Fills v with field RayCov of every record of the main model table.
  bool LoadRayCoverage(const AnsiString& dbDir, std::vector<float>& v) const;

  // ---- velocity-column files ----
  // Appends to fileName (created when missing) the block of cell column number col (1..Nx-1):
  // "X=" and XX[col-1], then the top elevation and velocity of each cell from the top one down,
  // every number formatted with numFormat. False for a bad col, a format that is not exactly
  // one conversion of a double (no file touched), a file that cannot be opened or written.
  bool ExportVelColToFile(const AnsiString& fileName, int col, const AnsiString& numFormat);
  // Replaces column number col by the first block of fileName (ReplaceVelCol; its X is not
  // used). 0 success, -2 no file, else the reader's code (1 format, 2 elevation order, 3
  // velocity) with lineNo at the offending line; the model is then unchanged.
  int ImportVelCol(const AnsiString& fileName, int col, int& lineNo);
  // Replaces, for every block whose X lies within XX, the cell column holding that X (the right
  // edge belongs to the last one), then fills the others (InterpolateVelBetweenCols). 0 success,
  // 4 no file, 5 no block inside (nothing changed), else the reader's code with lineNo; the
  // columns replaced before a failing block stay replaced.
  int ImportVelColSet(const AnsiString& fileName, int& lineNo);
};
