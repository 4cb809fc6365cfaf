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
  // The base assignment, then the five remesh members as they are.
  BCEQuasiGrid& operator=(const BCEQuasiGrid& other);

  // Whether SelSubgrid addresses cells of this grid: 0 <= LeftCol < RightCol <= Nx-1, BotNode
  // and TopNode on V-line LeftCol with rows 1..Nz-1, BotNode <= TopNode. A selection left stale
  // by an edit fails, and the operations that rely on it refuse.
  bool SelSubgridFitsGrid() const;

  // ---- cell queries and column profiles ----
  // The base query; with withFix, info.Fixed reports the fixed bit (1.0 or 0.0).
  bool GetCellInfo(BCCellInfo& info, bool withFix) const override;
  // The base drawing cell, with dc.Fixed from the fixed bit.
  void GetDrawCell(const BCCell& cell, BCDrawCell& dc) const override;
  void GetCellXRange(int col, float& x1, float& x2) const;
  void GetCellZRange(const BCCellInfo& info, float& zBot, float& zTop) const;
  void GetSelSGDragPoint(float& x, float& zMid, float& zTop, float& zBot) const;
  int GetSelSubgridTop();
  void GetColumn(int& col, float& x, float& xPrev, float& xNext, std::vector<float>& z,
                 std::vector<float>& v) const;
  bool SetColumn(float x, std::vector<float>& z, std::vector<float>& v);
  bool CheckVelocityIncrease(BCCellInfo& info, int col);

  // ---- line moves and subgrid deformation: a const test, then the move ----
  bool CanMoveHLine(int ih, float dz, float minGap) const;
  void MoveHLine(int ih, float dz);
  bool CanMoveSelSubgrid(float dz, float minGap) const;
  void MoveSelSubgrid(float dz);
  bool CanDeformSubBotFixed(float dz, float minGap) const;
  void DeformSubBotFixed(float dz);
  bool CanDeformSubTopFixed(float dz, float minGap) const;
  void DeformSubTopFixed(float dz);

  // ---- line insertion and deletion ----
  int InsertVLines(int n, float q, float minGap);
  int InsertHLines(int n, float q, float minGap);
  bool InsertVLine(int col);
  int DeleteSelectedLines();
  void DeleteVLines();
  void DeleteHLines();
  void ReplaceHLine(int ih, const std::vector<float>& z);

  // ---- row and column doubling and halving ----
  int DoubleColumns(float minGap);
  void HalveColumns();
  int DoubleRows(float minGap);
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

  // ---- fixed cells ----
  int GetNumOfFixes();
  int FixSelectedSubgrid(bool fix, BCFRect* rect);
  int FreeAllCells();
  bool GetFixCells(std::vector<TPoint>& pts);
  void SetFixCells(const std::vector<TPoint>& pts);
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
