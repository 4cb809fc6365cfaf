// Building a starting model when the heap runs out: each allocation fails in turn, and the model
// must come out exactly as it went in.
#include <gtest/gtest.h>

#include <vector>

#include "editing/starting_model.h"
#include "support/failing_new.h"
#include "support/hand_model.h"

TEST(StartingModelOutOfMemory, EachFailedAllocationLeavesTheModelAsItWas) {
  std::vector<AnsiString> errors;
  const ErrorHandler previous = SetErrorHandler([&](const AnsiString& t) { errors.push_back(t); });
  TStartingModel d;
  d.SurfaceX = {0, 500, 1000};
  d.SurfaceZ = {10, 30, 0};
  d.Nx = 9;
  d.Nz = 7;
  d.Bottom = -100;
  d.Law = vlProfile;
  d.ProfileDepth = {0, 50};
  d.ProfileV = {500, 1500};
  BCEQuasiGrid start;
  TIniModel m{BCFRect(0, 0, 100, -50), 3, 4, 1000, 2000, 3000, 4000, true};
  start.Init(m);
  start.Hors.push_back(BCHor());
  start.CellFlags[2] = 3;
  BCEQuasiGrid g = start;
  for (long k = 1;; ++k) {
    ASSERT_LT(k, 100) << "the build never succeeded";
    errors.clear();
    gAllocationCountdown = k;
    const StartingModelResult r = BuildStartingModel(g, d);
    gAllocationCountdown = 0;
    if (r.Fault == smBuilt) break;
    EXPECT_EQ(r.Fault, smOutOfMemory) << "allocation " << k;
    EXPECT_EQ(errors, std::vector<AnsiString>{"Memory allocation error: too thick grid."});
    ASSERT_TRUE(SameModel(g, start)) << "allocation " << k;
  }
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(g.VV.size(), 63u);
  SetErrorHandler(previous);
}
