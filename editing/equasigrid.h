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
  bool ExportVelColToFile(const AnsiString& fileName, int col, const AnsiString& numFormat);
  int ImportVelCol(const AnsiString& fileName, int col, int& lineNo);
  int ImportVelColSet(const AnsiString& fileName, int& lineNo);
};
