// The editable model: the quasi-grid with the structure, velocity, remesh and fixed-cell edits.
#pragma once

#include <vector>

#include "model/quasigrid.h"

class BCEQuasiGrid : public BCQuasiGrid {
 public:
  int RemeshTopLine = -1;        // IH of the upper H-line of the band's highest row; -1 idle
  int RemeshBotLine = -1;        // IH of the upper H-line of the band's lowest row
  int LineToReplace = -1;        // IH of the H-line that the remesh curve replaces
  bool ReplaceTopLine = false;   // top-line mode: the band starts at H-line 0
  bool NewVelFlag = false;       // re-sample the band's velocities after the remesh move

  BCEQuasiGrid() = default;
  BCEQuasiGrid(const BCEQuasiGrid& other) = default;
  // The base assignment, then the five remesh members as they are.
  BCEQuasiGrid& operator=(const BCEQuasiGrid& other) = default;

  // Fills v with field V of every record of the main model table.
  bool LoadIniVelocity(const AnsiString& dbDir, std::vector<float>& v) const;
  // Fills v with field RayCov of every record of the main model table.
  bool LoadRayCoverage(const AnsiString& dbDir, std::vector<float>& v) const;
};
