// Checks that tell whether a model table, a horizon file or a model about to be saved is sound,
// and why not.
#pragma once

#include <vector>

#include "model/quasigrid.h"
#include "platform/runtime.h"

// One problem found in a model table or a horizon file.
struct ModelProblem {
  int Where;  // 1-based record number (table) or line number (horizon file); 0 = the file as a
              // whole
  bool
      Loads;  // true: a warning, the model still loads as it is; false: the loader refuses the file
  AnsiString Text;  // one line naming what was expected and what was found, e.g.
                    // "field Z is NULL, a number was expected" or "X 10 is below X 20 of record 12"
};

// Every problem of the model table file at tablePath (DIR/model.db or DIR/modelbk.db), in
// record order; problems of the file as a whole (Where 0) come first. The file is opened
// read-only: it is never created or changed. An empty result means the loader loads the table
// exactly; every problem that makes LoadModelDb(dir, backup, 5, ...) fail has Loads false.
// Problems of one kind are listed for their first 100 records; a last line with Where 0 counts
// the rest, so that a damaged table of millions of records gives a short list.
std::vector<ModelProblem> CheckModelTable(const AnsiString& tablePath);

// Every problem of a horizon file for a model of nz H-lines, in line order: a file that exists
// but cannot be read (no permission, a folder of that name) is one problem with Where 0; a
// missing file is none. Loads false marks what LoadHor refuses or would lose (an unreadable file
// loads as no horizons); Loads true marks a file that loads, but not as written (two horizons
// on one H-line or with one identifier, lines out of order). Lines longer than
// kHorizonLineLimit are refused unread, so memory stays bounded.
std::vector<ModelProblem> CheckHorizonFile(const AnsiString& fileName, int nz);

// Why this model, saved with SaveModelDb(dir, backup, 3), would not load back with LoadModelDb
// as the same grid (same Nx, Nz, XX, ZZ, VV bit for bit, as the model holds them after the save,
// which trims the copy nodes and writes -0 as 0); empty text when it would. Nothing is touched.
// Refused: fewer than 2 V-lines or H-lines; Nx * Nz of 2,500,000 or more; arrays whose size is
// not Nx * Nz; a value that is not finite; V-lines that do not ascend, or that lie no farther
// apart than the X resolution the loader computes from the first and last X, so that the loader
// would merge them.
AnsiString LoadBackProblem(const BCQuasiGrid& model);
