// Editable models made from the hand-built grids of the model tests.
#include "support/editable_grid.h"

BCEQuasiGrid Editable(const BCQuasiGrid& g) {
  BCEQuasiGrid e;
  static_cast<BCQuasiGrid&>(e) = g;
  return e;
}
