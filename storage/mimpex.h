// The model importer and exporter: the main model table to and from the VFT exchange file, and to
// the DAT file.
#pragma once

#include <cstdint>
#include <fstream>
#include <vector>

#include "platform/runtime.h"

class TTable;
struct ImportedColumns;  // the importer's copy of the records it appends

// The in-memory image of one model record (fields 6 and 7 have no member).
struct ModelRec {
  int32_t RecNo;  // field 0: position of the record
  float X;        // field 1: X of the node's V-line
  float Aux2;     // field 2: carried
  float Z;        // field 3: node elevation
  float V;        // field 4: node velocity
  float Fix;      // field 5: fixed-cell flag
  float V2;       // field 8: second velocity
};

// Result codes of ImportVFT and CheckDBModel.
enum VFTImportResult : int {
  vftNoGrid = -3,        // fewer than 4 records, a first column below 2 nodes, a count that is
                         // not a multiple of it, or fewer than 2 columns (lineNo 0)
  vftOk = 0,             // a quasi-grid (lineNo = records + 1)
  vftColumnX = 1,        // a node's X differs from its column's by xTol or more
  vftColumnStep = 2,     // a column lies less than stepFactor * xTol right of the one before
  vftNodeStep = 3,       // a node lies less than stepFactor * zTol above the one below
  vftBottom = 4,         // a bottom node lies more than zTol off the first column's
  vftBadLine = 5,        // a short line, a field that is not a number, a reading failure
  vftTableOverflow = 6,  // the 2,499,999th line, or a failure of the table store
};

// What a refusing code of ImportVFT says, in words, with the line it concerns.
AnsiString ImportVFTFaultText(int code, int lineNo);

// Moves a model between the main model table "model.db" and a VFT file (import and export) or a
// DAT file (export). One object serves one import (mode 'I') or one export (mode 'E').
//
// VFT line: node index, X, Z, velocity, as "%9d" and three times five blanks and "%12.3f"; on
// import any mix of blanks, commas and tabs separates the fields, the first field and those
// after the fourth are ignored, and an empty line or the end of the file ends the data. Records
// are in node order: column by column, each from its bottom node up. The node index written is
// the node's position counted row by row from the bottom row.
//
// An import is one transaction of the table store, begun by the emptying at construction: a
// failure of the store abandons it (the table keeps what it held before this object was made);
// otherwise what was appended is kept, also when a line or the grid check fails.
class TCModelImpex {
 public:
  TTable* Table;                   // the main model table, owned
  int InitStatus;                  // 0 ready, 1 table not prepared or opened, 2 bad mode
  AnsiString Line;                 // line buffer
  std::vector<AnsiString> Tokens;  // fields of the current input line
  ModelRec Rec;                    // the current record
  std::ifstream In;                // the VFT file being imported (mode 'I')
  std::ofstream Out;               // the file being exported (mode 'E')
  AnsiString NumFmt;               // "%12.3f" in mode 'E', empty otherwise

  // Opens "model.db" in dbDir (it must exist: no template is copied) and the exchange file:
  // mode 'I' empties the table and reads fileName, mode 'E' replaces fileName. InitStatus tells
  // the stage reached. A file that cannot be opened still gives 0: an import then reads no line,
  // an export writes nothing.
  TCModelImpex(const AnsiString& fileName, const AnsiString& dbDir, char mode);
  // Commits what an import appended, closes the table and the streams.
  ~TCModelImpex();
  TCModelImpex(const TCModelImpex&) = delete;
  TCModelImpex& operator=(const TCModelImpex&) = delete;

  // Appends one record per VFT line and checks that they form a quasi-grid, with tolerances of
  // 1e-5 of the X and Z extents. Returns a VFTImportResult; lineNo is the number of the offending
  // line (one more for a bad number, found after the line was counted), 0 for vftNoGrid and the
  // record count + 1 for vftOk. A store failure also shows "Model database overflow."; one
  // raised by the grid check passes to the caller.
  int ImportVFT(int stepFactor, int& lineNo);
  // Writes one VFT line per record (velocity V, or V2 when useV2). False for an empty table or
  // any failure; the lines written so far stay.
  bool ExportVFT(bool useV2);
  // Writes the header "X","Z","V" and one line X, Z, V (or V2) per record. False on a failure.
  bool ExportDAT(bool useV2);
  // Append Record: appends Rec to the table (fields 6 and 7 unwritten) and stores it.
  void ApndRec();
  // Read Record: RecNo, X, Z, V and V2 of the current record into Rec; Aux2 and Fix stay.
  void ReadRec();
  // Number of records of the first column: those from the first on whose X lies within 1e-5
  // of the X extent of the first record's. 0 on a failure.
  int GetModelColLength();
  // Checks that the table's records form a quasi-grid (see VFTImportResult). Sets lineNo to the
  // 1-based position of the offending record. Failures of the store pass to the caller.
  int CheckDBModel(float xTol, float zTol, int stepFactor, int& lineNo);

 private:
  int ReadVFTLines(int& lineNo, float& xTol, float& zTol, ImportedColumns& kept);
  void CommitImport();
};
