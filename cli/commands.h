// The commands of the quasigrid tool; each takes its arguments and returns the exit status.
#pragma once

#include "cli/args.h"

class BCEQuasiGrid;

int RunNew(const Args& args);
int RunInfo(const Args& args);
int RunCopy(const Args& args);
int RunDemo(const Args& args);
int RunPicture(const Args& args);

// The table file of a directory: DIR/model.db, or DIR/modelbk.db for the backup table.
std::string TablePath(const std::string& dir, bool backup);
// Loads the model of DIR with its fixed cells and the horizons of DIR/model.hor; a missing
// table, a table that holds no model, or a bad horizon file raises CommandError.
void LoadSavedModel(const std::string& dir, bool backup, BCEQuasiGrid& model);
// The horizon file that the tool keeps beside the tables.
std::string HorizonPath(const std::string& dir);
