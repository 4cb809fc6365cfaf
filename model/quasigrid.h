// The quasi-grid velocity model: V-lines at ascending X, each with Nz nodes whose ranks form
// H-lines, and one velocity per trapezoidal cell.
//
// Conventions used throughout the library:
//  - X grows to the right; Z is elevation and grows upward.
//  - Node arrays are column-major: node i = col * Nz + izrel, izrel 0 = bottom node of a V-line.
//  - IH = Nz - 1 - izrel, so H-line 0 is the top line.
//  - A cell lives at its top-left node (col 0..Nx-2, izrel 1..Nz-1) and keeps its velocity and
//    flags there; bottom nodes and the last V-line hold copies (TrimVelocity).
//  - A subgrid covers the cells of columns LeftCol..RightCol-1 and rows izrel(BotNode)..
//    izrel(TopNode); BotNode and TopNode are nodes of V-line LeftCol.
//  - Column and H-line numbers shown to users are 1-based (GetColRow).
#pragma once

#include <cstdint>
#include <vector>

#include "horizons/horizons.h"
#include "platform/error_box.h"
#include "platform/geometry.h"
#include "platform/runtime.h"

// A rectangle of cells (see the conventions above). Empty when LeftCol == RightCol.
struct BCSubgrid {
  int LeftCol;   // V-line index of the left edge
  int RightCol;  // V-line index of the right edge
  int BotNode;   // top-left node of the lowest cell, on V-line LeftCol
  int TopNode;   // top-left node of the highest cell, on V-line LeftCol
  bool operator==(const BCSubgrid&) const = default;
};

struct BCCell {
  int Col;   // V-line index of the cell's left edge, 0-based
  int Node;  // top-left node
};

struct BCCellInfo {
  float X;  // the point asked about
  float Z;
  int Node;     // top-left node of the cell found
  int Col;      // 1-based column number = left V-line index + 1
  int HLine;    // 1-based number of the H-line at the cell's top = IH(Node) + 1
  float V;      // cell velocity
  float Fixed;  // 1.0 for a fixed cell (editable model only), else 0.0
};

// A cell as a polygon for drawing; only x and z of each corner are written.
struct BCDrawCell {
  BCFPoint TopLeft;
  BCFPoint TopRight;
  BCFPoint BotRight;
  BCFPoint BotLeft;
  float V;
  int Node;
  bool Selected;
  bool Fixed;
};

// A range of node indices (first, second).
struct BCPoint {
  int first;
  int second;
};

// Bits of a CellFlags byte.
constexpr unsigned char kCellSelected = 1;  // the cell belongs to the selection
constexpr unsigned char kCellFixed = 2;     // the cell's velocity is a constraint (FIX file)

// Bits of SaveModelDb's what.
constexpr int kSaveGeometry = 1;  // X, Z and V of every node
constexpr int kSaveFixed = 2;     // the Fix field from the fixed bits
// Bits of LoadModelDb's what.
constexpr int kLoadGeometry = 1;  // X, Z and V: the grid itself
constexpr int kLoadV2 = 2;        // with kLoadGeometry: velocities from field V2 instead of V
constexpr int kLoadFixed = 4;     // the fixed bits from the Fix field

enum SubGridKind : uint8_t { sgkWhole = 0, sgkSelection = 1, sgkZoom = 2 };

enum SubGridShape : uint8_t {
  ssCell = 0,     // one cell
  ssColumn = 1,   // one whole cell column
  ssRow = 2,      // one whole cell row
  ssSubgrid = 3,  // any other rectangle
  ssAll = 4,      // the whole grid
  ssRows = 5,     // several whole rows
  ssColumns = 6   // several whole columns
};

// The description of a regular starting model.
struct TIniModel {
  BCFRect Rect;    // extent: X left..right, elevation bottom..top
  int Nx;          // V-lines, at least 2
  int Nz;          // H-lines, at least 2
  float VTopLeft;  // velocities at the four apexes
  float VTopRight;
  float VBotLeft;
  float VBotRight;
  bool SetVel;  // false: all velocities 0
};

// Positions of the drawing iterators. Each model keeps its own, so two models can be walked at
// once; one iteration of each kind per model at a time.
struct BCIterCursors {
  int cellCol = 0, cellNode = 0, cellColsAdvanced = 0;  // GetNextCell
  int vertLine = 0, vertLowNode = 0, vertUpNode = 0;    // GetNextVertical
  int hlineLine = 0, hlineNode = 0;                     // GetNextHLinePoint(ih, p, kind)
  int gridLine = 0, gridNode = 0, gridLinesDone = 0;    // GetNextHLinePoint(p)
  int horPos = 0, horTop = 0, horBot = 0;               // GetNextHorizon
};

// Index of value in the ascending v between from and to (to == 0 means the last element):
// -2 bad range, -1 below v[from], to + 1 above v[to], else the largest i with v[i] <= value.
int FindInterval(const std::vector<float>& v, float value, int from, int to);

// Shows a modal error box captioned "Error".
void ShowError(const AnsiString& text);

class BCQuasiGrid {
 public:
  int Nz;                  // nodes per V-line (number of H-lines)
  BCFRect ModelRect;       // model extent; CorrectUpperBound may raise its top
  BCFRect IniRect;         // extent as last set by Init or the loader
  float ModelHeight;       // top - bottom at Init or load time
  BCSubgrid WholeSubgrid;  // all cells: {0, Nx-1, 1, Nz-1}
  BCSubgrid ZoomSubgrid;   // the columns in the host's zoom window, all rows
  BCSubgrid SelSubgrid;    // the current selection
  bool SelActive;          // a selection exists
  HorVect Hors;            // horizons, ascending IH
  std::vector<float> XX;   // X of each V-line, strictly ascending, size Nx
  std::vector<float> ZZ;   // node elevation, column-major, ascending within a V-line
  std::vector<float> VV;   // node velocity; a cell's velocity sits at its top-left node
  std::vector<unsigned char> CellFlags;  // per node: bit value 1 selected, 2 fixed
  float XRes;                            // X values closer than this count as equal
  float ZRes;                            // Z values closer than this count as equal

  BCQuasiGrid();
  BCQuasiGrid(const BCQuasiGrid& other) = default;
  BCQuasiGrid(BCQuasiGrid&& other) noexcept = default;
  // Copies other whole before anything changes, so *this stays as it was if an allocation fails.
  BCQuasiGrid& operator=(const BCQuasiGrid& other);
  // Takes other's arrays; allocates nothing.
  BCQuasiGrid& operator=(BCQuasiGrid&& other) noexcept = default;

  // ---- construction and accessors ----
  bool Init(TIniModel& m);
  void GetGridDimensions(int& nx, int& nz);
  TPoint GetGridSize();
  int GetNx() const { return static_cast<int>(XX.size()); }
  // Node index of row izrel (0 = bottom) on V-line col: the arrays are column-major.
  int NodeIndex(const int col, const int izrel) const { return col * Nz + izrel; }
  // Row inside the V-line, 0 = bottom.
  int GetIZrel(const int i) const { return i % Nz; }
  // H-line index, 0 = top.
  int GetIH(const int i) const { return Nz - 1 - i % Nz; }
  // 1-based column and H-line numbers of a node: (i / Nz + 1, Nz - i % Nz).
  TPoint GetColRow(int i);
  // Inverse of GetColRow.
  int GetAbsIndex(TPoint p) const { return p.x * Nz - p.y; }
  float GetXXValue(int i) { return XX[i]; }
  std::vector<float>* GetVVPtr() { return &VV; }
  int GetHors() const { return static_cast<int>(Hors.size()); }
  float GetZMax();
  void CopyVelocity(std::vector<float>* v);
  void CopyModelArrays(float* x, float* z, float* v) const;

  // ---- cell geometry ----
  // 0 not in the column, 1 inside, 2 above, 3 below the cell.
  int BelongsToCell(float x, float z, const BCCell cell) const;
  bool GetCell(float x, float z, BCCell& cell, SubGridKind kind) const;
  virtual bool GetCellInfo(BCCellInfo& info, bool withFix) const;
  virtual void GetDrawCell(const BCCell& cell, BCDrawCell& dc) const;
  void CellInfoToDrawCell(const BCCellInfo& info, BCDrawCell& dc);
  BCFPoint GetCellTopLeft(int node) const;
  BCFPoint GetCellTopLeft(int col, int row) const;
  bool SelectCell(BCFPoint p);
  bool GotInSelection(const BCCellInfo& info) const;
  BCFPoint GetHLineXZ(int ih, float x) const;
  float GetTopZ(float x) const;
  float GetTopMinZ() const;
  // 0 outside, 1 inside, 2 near an edge (snapped onto it when snap is true).
  int InsideGrid(BCFPoint& p, bool snap) const;
  bool GetNodesLVert(const BCFRect& r, BCPoint& nodes) const;
  int GetHLineIndex(const BCFRect& r) const;
  int MapCellAbsIndex(int i, bool toRows);

  // ---- traversal and sampling ----
  bool GetNextCell(BCDrawCell& dc, SubGridKind kind);
  bool GetNextVertical(BCFPoint& bot, BCFPoint& top) const;
  bool GetNextHLinePoint(int ih, BCFPoint& p, SubGridKind kind) const;
  // 0 a vertex, 1 start a new polyline, 2 done.
  int GetNextHLinePoint(BCFPoint& p) const;
  bool GetNextHorizon(bool& first, BCHor& hor);
  void GetHorBounds(int n, BCFRect& r);
  bool GetVelColPoint(int col, int k, BCFPoint& p);
  float GetVertTime(float x, float zFrom, float zTo) const;
  float GetMinDistanceX() const;
  float GetMinDistanceZ() const;

  // ---- velocity queries and corrections ----
  void GetVelocityBounds(float& vmin, float& vmax);
  float GetVelMinRes() const;
  bool FindNullVelocity() const;
  bool GetVRangeInSel(float& vmin, float& vmax);
  void TrimVelocity();
  void SetApexVels(float VTopLeft, float VTopRight, float VBotLeft, float VBotRight);
  void CorrectUpperBound(float f);

  // ---- selection, subgrids and zoom ----
  void SetSelectedAll();
  void SetSelectedCell(BCCellInfo& info);
  void SetSelectedRow(BCCellInfo& info);
  void SetSelectedColumn(BCCellInfo& info);
  void SelectSubgrid(BCCellInfo& a, BCCellInfo& b);
  int SetSelectedLayer(const BCCellInfo& info);
  bool SelectRBsubgrids(BCFRect& r, SubGridShape shape);
  bool SetSelSubgrid(BCFRect& r);
  bool SetSelectedRows(BCFRect& r);
  bool SetSelectedColumns(BCFRect& r);
  bool GetSelSubgrid(BCFRect& r, BCSubgrid& sg);
  bool GetZoomSubgrid(const BCFRect& r, BCSubgrid& sg);
  bool SetZoomSubgrid(const BCFRect& r);
  void GetClip(BCFRect& r, const BCSubgrid sg);
  SubGridShape GetSelShape();
  bool IsTopSelected();
  bool IsBotSelected();
  void UnselectCells();
  void MarkSelSubGridCells(const BCSubgrid sg);
  bool GetSelSubgridVertex(BCFPoint& p);
  bool GetSelSubgridColRow(TRect& r);

  // ---- horizon file ----
  // -1 no such file; n > 0 line n is bad or horizon n is out of range; 0 success.
  int LoadHor(const AnsiString& fileName);
  int CheckHrznsAtLoading();
  void SaveHor(const AnsiString& fileName);

  // ---- model tables ----
  // what: 1 geometry and velocities, 2 fixed-cell flags. With 1 the model is trimmed and its
  // -0 values become the 0 the table keeps. LoadBackProblem (storage/model_check.h) tells
  // beforehand whether the saved grid will load back as it is.
  bool SaveModelDb(const AnsiString& dbDir, bool backup, int what);
  // what: 1 geometry and velocities, 2 velocities from V2 (with 1), 4 fixed-cell flags.
  // False, the model unchanged, for a table that is not a grid or holds a NULL, a text, a blob
  // or a value that is not finite in a field it reads; CheckModelTable says why.
  bool LoadModelDb(const AnsiString& dbDir, bool backup, int what, bool reserve);

 protected:
  mutable BCIterCursors Cursors;
};
