// The fill from known columns when the heap runs out: each allocation fails in turn, and the
// model is either filled completely or left exactly as it was.
#include "editing/equasigrid.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/failing_new.h"
#include "support/hand_grid.h"
#include "support/hand_model.h"

TEST(FillFromColumnsOutOfMemory, AllOrNothing) {
  BCEQuasiGrid start;
  static_cast<BCQuasiGrid&>(start) = HandGrid({0, 10, 20, 30, 40, 50, 60, 70}, {0, 5, 10});
  for (size_t i = 0; i < start.VV.size(); ++i) start.VV[i] = 1000.0f + float(i);
  const std::vector<int> cols{2, 4, 7};
  BCEQuasiGrid filled = start;
  filled.InterpolateVelBetweenCols(cols);
  for (long k = 1;; ++k) {
    ASSERT_LT(k, 50) << "the fill never ran";
    BCEQuasiGrid g = start;
    gAllocationCountdown = k;
    g.InterpolateVelBetweenCols(cols);
    const bool failed = gAllocationCountdown == 0;
    gAllocationCountdown = 0;
    if (!failed) {
      EXPECT_TRUE(SameModel(g, filled));
      break;
    }
    EXPECT_TRUE(SameModel(g, start)) << "allocation " << k;
  }
}
