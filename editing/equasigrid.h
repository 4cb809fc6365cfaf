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
  void GetApexVels(float& VTopLeft, float& VTopRight, float& VBotLeft, float& VBotRight) const;
  void SetVSelSubgrid(float v);
  bool ModVSelSubgrid(float dv, bool additive, float vMin, float vMax);
  bool CellDnContinueV(BCFPoint& p);
  bool InterpolateVelBetweenCols();
  bool ContinueVelDownward();
  bool ContinueVelUpward();
  bool ContinueVelHorizontally(char dir);
  void ReplaceVelCol(int col, const std::vector<float>& z, const std::vector<float>& v);
  void InterpolateVelBetweenCols(const std::vector<int>& cols);
  void SetColumnAsSelSubgrid(int col);
  void SetBetweenColumnsAsSelSubgrid(int col1, int col2);

  // ---- remeshing a band of H-lines under a drawn curve ----
  bool InitRemesh(bool replaceTop);
  void NullifyVelOutsideBand();
  void CancelRemesh();
  bool SetLineToReplace();
  bool CanAppendRemeshCurve(int hline, bool allowTopLine);
  BCFPoint GetRemeshPoint(int col, int hline, bool mid);
  bool MapForRemesh(const BCFPoint& p, int& col, int& hline, bool& mid);
  bool CalcZ0(BCFPoint& p, float t, float& z0);
  bool CurveInsideRemeshBand(float* curve);
  bool CurveMeetsResolution(float* curve, float res);
  void DoRemesh(float* curve);
  void SetNewVelFlag(bool on);
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
  bool ExportVelColToFile(const AnsiString& fileName, int col, const AnsiString& numFormat);
  int ImportVelCol(const AnsiString& fileName, int col, int& lineNo);
  int ImportVelColSet(const AnsiString& fileName, int& lineNo);
};
