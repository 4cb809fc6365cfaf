// The files of a model folder as the tool reads and writes them: the main and backup tables, the
// horizon file, and the rules that no command loses a good file or keeps a bad one silently.
#pragma once

#include <string>
#include <vector>

#include "storage/model_check.h"
#include "storage/modelfiler.h"

class BCEQuasiGrid;

// The table file of a folder: DIR/model.db, or DIR/modelbk.db for the backup table.
std::string TablePath(const std::string& dir, bool backup);
// The horizon file that the tool keeps beside the tables: DIR/model.hor.
std::string HorizonPath(const std::string& dir);

// Loads the table of DIR with its fixed cells, then the horizons of DIR/model.hor. A missing
// table, one that does not load (the reason names the check and the record) or a horizon file
// that exists but cannot be read or is bad raises CommandError.
void LoadSavedModel(const std::string& dir, bool backup, BCEQuasiGrid& model);

// Every problem of the table and of the horizon file, each on one line naming its file and its
// record or line: what `check` lists and `info` warns of.
// nz is the H-line count of the model when the caller has loaded it, or 0 to have the table
// loaded for the horizon checks.
std::vector<std::string> ListModelProblems(const std::string& dir, bool backup, int nz);

// Raises CommandError when DIR/model.hor exists but cannot be read (no permission, a folder of
// that name): no command may write horizons over a file it could not read.
void RequireReadableHorizonFile(const std::string& dir);

// Why the table at path cannot be loaded as a model, or empty text when it loads.
std::string WhyTableDoesNotLoad(const std::string& path);

// Moves a table that does not load out of the way, to PATH.damaged, so that a replacement can be
// written; returns the new name.
std::string MoveDamagedAside(const std::string& path);

// How SaveModelToFolder treats a table already in place.
enum class Existing { kRefuse, kReplace };

// Saves model into DIR/model.db (DIR/modelbk.db with backup), creating DIR when missing. Before
// any file is touched: the model must load back as the same grid (UsageError with the reason
// otherwise), the horizon file must be readable, and an existing table is refused unless
// existing is kReplace. A replaced table that does not load is moved aside first and put back
// if the save fails. With the main table, DIR/model.hor then holds the model's horizons (none:
// the file is removed); they are written beside it first and renamed into place after the
// table, so that a failure leaves both files as they were. With host, its fields that hold one
// value per node are written beside the model (SaveModelDbWithHostFields). Returns a line that
// says what was moved aside, or empty text.
std::string SaveModelToFolder(BCEQuasiGrid& model, const std::string& dir, bool backup,
                              Existing existing, const HostFields* host = nullptr);

// The host fields of DIR's main table, for a command that rewrites the table after changing
// only some of the model: they are written back when the grid keeps its size.
HostFields LoadFolderHostFields(const std::string& dir);

// What a save with host loses: a line naming the host fields that hold values but no longer
// match the model's node count, or empty text.
std::string LostHostFields(const BCEQuasiGrid& model, const HostFields& host);
