// Tests of the template directory setting and the coordinate comparison resolution.
#include "platform/environment.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

TEST(G2GetDBSampleDir, DefaultsToTheBuildsDirectoryAndCanBeRedirected) {
  const AnsiString original = G2_GetDBSampleDir();
  EXPECT_FALSE(original.empty());
  EXPECT_NE(original.back(), '/');
  G2_SetDBSampleDir("/tmp/templates/");
  EXPECT_EQ(G2_GetDBSampleDir(), "/tmp/templates");
  G2_SetDBSampleDir(original);
  EXPECT_EQ(G2_GetDBSampleDir(), original);
}

TEST(G2GetCompResolution, RangeRelativeWithAFallbackForDegenerateRanges) {
  EXPECT_EQ(G2_GetCompResolution(0.0f, 1000.0f), 1000.0f * 1e-5f);
  EXPECT_EQ(G2_GetCompResolution(1000.0f, 0.0f), 1000.0f * 1e-5f);
  EXPECT_EQ(G2_GetCompResolution(-250.0f, 250.0f), 500.0f * 1e-5f);
  // An empty range falls back on the magnitude of its ends, but at least 1.
  EXPECT_EQ(G2_GetCompResolution(0.5f, 0.5f), 1e-6f);
  EXPECT_EQ(G2_GetCompResolution(5.0f, 5.0f), 1e-6f * 5.0f);
  EXPECT_EQ(G2_GetCompResolution(-3000.0f, -3000.0f), 1e-6f * 3000.0f);
  // A range too wide for a float difference.
  EXPECT_EQ(G2_GetCompResolution(-FLT_MAX, FLT_MAX), 1e-6f * FLT_MAX);
  float nan = std::numeric_limits<float>::quiet_NaN();
  float r = G2_GetCompResolution(nan, 10.0f);
  EXPECT_TRUE(std::isfinite(r) && r > 0.0f);
}

}  // namespace
