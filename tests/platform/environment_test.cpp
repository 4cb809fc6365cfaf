// Tests of the template directory setting and the coordinate comparison resolution.
#include "platform/environment.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace {

TEST(Environment, SampleDirDropsTrailingSeparatorsAndResolutionHasAFloor) {
  const AnsiString original = G2_GetDBSampleDir();
  G2_SetDBSampleDir("/tmp/templates//");
  EXPECT_EQ(G2_GetDBSampleDir(), "/tmp/templates");
  G2_SetDBSampleDir(original);
  // A degenerate range, or one whose width overflows, takes its magnitude; at least 1e-6.
  EXPECT_EQ(G2_GetCompResolution(0.5f, 0.5f), 1e-6f);
  EXPECT_EQ(G2_GetCompResolution(-3000.0f, -3000.0f), 1e-6f * 3000.0f);
  EXPECT_EQ(G2_GetCompResolution(-FLT_MAX, FLT_MAX), 1e-6f * FLT_MAX);
}

}  // namespace
