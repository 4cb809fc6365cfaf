// The files of a model folder: the main and backup tables, the horizon file beside them, and the
// rules that no load or save loses a good file or keeps a bad one silently. The tool and the
// Python module read and write folders through these calls.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "storage/model_check.h"
#include "storage/modelfiler.h"

class BCEQuasiGrid;

// Why a folder could not be read or written; what() is one line naming the file and, where
// there is one, its record or line.
class ModelFolderError : public std::runtime_error {
 public:
  enum Kind : uint8_t {
    kMissing,  // no model table where one was asked for
    kContent,  // a table or horizon file that does not load; the record or line says why
    kModel,    // the model in memory would not load back as the same grid
    kExists,   // a table is in the way and the caller asked not to replace it
    kFiles,    // a folder or file that cannot be read, created, written or moved
  };
  ModelFolderError(Kind kind, const std::string& what);
  Kind kind() const { return kind_; }

 private:
  Kind kind_;
};

// The table file of a folder: DIR/model.db, or DIR/modelbk.db for the backup table.
std::string TablePath(const std::string& dir, bool backup);
// The horizon file that the tool keeps beside the tables: DIR/model.hor.
std::string HorizonPath(const std::string& dir);

// Loads the table of DIR with its fixed cells, then the horizons of DIR/model.hor. A missing
// table, one that does not load (the reason names the check and the record) or a horizon file
// that exists but cannot be read or is bad raises ModelFolderError.
void LoadSavedModel(const std::string& dir, bool backup, BCEQuasiGrid& model);

// Every problem of the table and of the horizon file, each on one line naming its file and its
// record or line: what `check` lists and `info` warns of.
// nz is the H-line count of the model when the caller has loaded it, or 0 to have the table
// loaded for the horizon checks.
std::vector<std::string> ListModelProblems(const std::string& dir, bool backup, int nz);

// Raises ModelFolderError (kFiles) when DIR/model.hor exists but cannot be read (no permission, a
// folder of that name): no command may write horizons over a file it could not read.
void RequireReadableHorizonFile(const std::string& dir);

// Why the table at path cannot be loaded as a model, or empty text when it loads.
std::string WhyTableDoesNotLoad(const std::string& path);

// Moves a table that does not load out of the way, to PATH.damaged, so that a replacement can be
// written; returns the new name.
std::string MoveDamagedAside(const std::string& path);

// How SaveModelToFolder treats a table already in place.
enum class ExistingTable { kRefuse, kReplace };

// Saves model into DIR/model.db (DIR/modelbk.db with backup), creating DIR when missing. Before
// any file is touched: the model must load back as the same grid (kModel with the reason
// otherwise), the horizon file must be readable, and an existing table is refused unless
// existing is kReplace. A replaced table that does not load is moved aside first and put back
// if the save fails. With the main table, DIR/model.hor then holds the model's horizons (none:
// the file is removed); they are written beside it first and renamed into place after the
// table, so that a failure leaves both files as they were. With host, its fields that hold one
// value per node are written beside the model (SaveModelDbWithHostFields). Returns a line that
// says what was moved aside, or empty text.
std::string SaveModelToFolder(BCEQuasiGrid& model, const std::string& dir, bool backup,
                              ExistingTable existing, const HostFields* host = nullptr);

// The host fields of DIR's main table, for a command that rewrites the table after changing
// only some of the model: they are written back when the grid keeps its size.
HostFields LoadFolderHostFields(const std::string& dir);

// What a save with host loses: a line naming the host fields that hold values but no longer
// match the model's node count, or empty text.
std::string LostHostFields(const BCEQuasiGrid& model, const HostFields& host);
