// The model-table filer: moves whole columns of field values between a model table and float
// vectors or arrays that the caller lends it.
#pragma once

#include <vector>

#include "platform/runtime.h"

class TTable;
class BCQuasiGrid;
class BCEQuasiGrid;

// A model table holds fewer records than this; a larger one is refused.
inline constexpr int kModelTableRecordLimit = 2500000;

// Field positions of a model record, one record per grid node in node order.
enum ModelField : int {
  mfRecNo = 0,   // position of the record, 0, 1, 2 ...
  mfX = 1,       // X of the node's V-line
  mfAux2 = 2,    // carried, written as 0
  mfZ = 3,       // node elevation
  mfV = 4,       // node velocity
  mfFix = 5,     // 1.0 fixed cell, 0.0 free
  mfAux6 = 6,    // carried, written as 0
  mfRayCov = 7,  // ray coverage, produced by the host
  mfV2 = 8       // second velocity, produced by the host
};

// The fields of a model table that the model does not hold itself but a host fills (the results
// of a tomography run for the same nodes), one value per record. An empty vector stands for a
// field of zeros.
struct HostFields {
  std::vector<float> Aux2;
  std::vector<float> Aux6;
  std::vector<float> RayCov;
  std::vector<float> V2;
};

// Reads the host fields of every record of the table in dbDir; false (host unchanged) when the
// table cannot be read.
bool LoadHostFields(const AnsiString& dbDir, bool backup, HostFields& host);

// Saves as SaveModelDb(dbDir, backup, kSaveGeometry | kSaveFixed) does, writing beside the model
// each host field that holds one value per node; the others are written as 0. An edit that keeps
// the grid's size keeps the fields of a loaded table so; after one that changes it, they no
// longer belong to the nodes.
bool SaveModelDbWithHostFields(BCQuasiGrid& g, const AnsiString& dbDir, bool backup,
                               const HostFields& host);

// Reader and writer of one model table ("model.db" or "modelbk.db" in a table directory).
//
// Calling order: construct; check Valid; lend vectors (SetFloatVectPtr) or arrays (FloatArr);
// for a save or update set RecCount; call one load, save or update; destroy. Position 0 of
// both pointer arrays is never used: field 0 is written by the operations themselves. The
// filer never owns what it points to.
//
// A save or an update is one transaction: it either replaces the table's content as a whole or,
// when it fails, leaves the previous content.
class TCModelFiler {
 public:
  bool Valid;                        // the table was opened and its record count accepted
  int RecCount;                      // records in the table; set by the caller before a save
  float* FloatArr[9];                // per field position, a lent array (LoadFA, SaveFA, UpdateFA)
  std::vector<float>* FloatVect[9];  // per field position, a lent vector (LoadFV, SaveFV, UpdateFV)
  TTable* Table;                     // the open table, owned

  // Opens "modelbk.db" (backup) or "model.db" in dbDir, first copying the template tables when
  // the file is missing. mode ('r' or 'w') does not change how the table is opened.
  TCModelFiler(const AnsiString& dbDir, bool backup, char mode);
  ~TCModelFiler();
  TCModelFiler(const TCModelFiler&) = delete;
  TCModelFiler& operator=(const TCModelFiler&) = delete;

  // Sets every lent pointer to null.
  void Nullify();
  // Deletes every record (closing and reopening the table); false if a step failed.
  bool ClearDB();
  // Lends v for field position pos (1..8, not tested); null withdraws it.
  void SetFloatVectPtr(int pos, std::vector<float>* v);

  // Load into Float Vectors: appends the lent fields of every record to their vectors. False
  // after an allocation failure (shown); store failures pass to the caller.
  bool LoadFV();
  // Load into Float Arrays: stores the lent fields of record k at element k of their arrays,
  // which must hold as many floats as the table has records.
  void LoadFA();
  // Replace the table by RecCount records taken from the lent vectors / arrays; unlent fields
  // get 0.
  bool SaveFV();
  bool SaveFA();
  // Overwrite the lent fields of the first RecCount records in place; UpdateFA also rewrites
  // field 0.
  bool UpdateFV();
  bool UpdateFA();

 private:
  bool AppendRecords(const float* const columns[9]);
  bool UpdateRecords(const float* const columns[9], bool writeRecNo);
  bool KeepEmptied();
  bool LentVectorsCover(int count) const;
  void VectorColumns(const float* columns[9]) const;
  void Commit();
  void Abandon();
};

// Writes the velocity grid of grid as a VEL file, replacing fileName: "V", Nx, Nz, "1", the
// left, right, bottom and top of ModelRect and 0.0 twice as "%-12.3f", then one line per H-line
// from the top down with the Nx node velocities as "%9.2f" each, without separators. VV is
// written as it is. False when the file cannot be created; a failure while writing raises
// std::ios_base::failure to the caller.
bool SaveVelocityToVELfile(const AnsiString& fileName, BCQuasiGrid* grid);

// Writes the fixed cells of grid as a FIX file, replacing fileName: one line per node whose fixed
// bit is set, ascending, as "1%13d   " followed by valueFmt, from the cell number (the node
// counted row by row from the bottom row, from 1) and its velocity as a double. valueFmt holds at
// most one conversion, of a type that takes a double. Returns 1 when no cell is fixed (no file
// touched), -1 when valueFmt is refused (no file touched) or the file cannot be created, 0 when
// written. A failure while writing raises std::ios_base::failure to the caller.
int SaveConstraintsToFIXfile(const AnsiString& fileName, BCEQuasiGrid* grid,
                             const AnsiString& valueFmt);
