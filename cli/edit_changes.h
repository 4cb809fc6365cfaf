// What an edit changed in a model, found by comparing the model before and after it, for the
// dry run of edit scripts.
#pragma once

#include <string>

class BCEQuasiGrid;

// One line of words: V-lines and H-lines added or removed, nodes moved, cells whose velocity
// changed, cells fixed and freed, horizons moved to other H-lines, the selection; "nothing
// changed" when nothing did. Nodes and cells are compared one by one only when the grid kept its
// size; otherwise the fixed-cell counts are compared. Linear in the number of nodes.
std::string DescribeEditChanges(const BCEQuasiGrid& before, const BCEQuasiGrid& after);
