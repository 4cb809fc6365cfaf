// TEMPORARY: declarations of the library checks being written on another branch.
#pragma once
#include <vector>
#include "model/quasigrid.h"
struct ModelProblem {
  int Where;
  bool Loads;
  AnsiString Text;
};
std::vector<ModelProblem> CheckModelTable(const AnsiString& tablePath);
std::vector<ModelProblem> CheckHorizonFile(const AnsiString& fileName, int nz);
AnsiString LoadBackProblem(const BCQuasiGrid& model);
AnsiString LastTableStoreError();
