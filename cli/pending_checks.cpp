// TEMPORARY stubs.
#include "cli/pending_checks.h"
std::vector<ModelProblem> CheckModelTable(const AnsiString&) {
  return {};
}
std::vector<ModelProblem> CheckHorizonFile(const AnsiString&, int) {
  return {};
}
AnsiString LoadBackProblem(const BCQuasiGrid&) {
  return {};
}
AnsiString LastTableStoreError() {
  return {};
}
