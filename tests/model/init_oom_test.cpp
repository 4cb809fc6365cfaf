// Init when the heap runs out: each allocation fails in turn, and the model must come out exactly
// as it went in, still fit to be copied, assigned and initialised again.
#include "model/quasigrid.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <new>
#include <vector>

#include "support/failing_new.h"
#include "support/hand_model.h"

namespace {

TIniModel Description(int nx, int nz) {
  return TIniModel{BCFRect(0, 0, 100, -50), nx, nz, 1000, 2000, 3000, 4000, true};
}

// A model with something in every member, so that any change shows.
BCQuasiGrid Populated() {
  BCQuasiGrid g;
  TIniModel m = Description(3, 4);
  g.Init(m);
  g.Hors.push_back(BCHor());
  g.XRes = 0.5f;
  g.CellFlags[2] = 3;
  g.SelActive = true;
  g.CorrectUpperBound(0.5f);
  return g;
}

}  // namespace

TEST(InitOutOfMemory, EachFailedAllocationLeavesTheModelAsItWas) {
  std::vector<AnsiString> errors;
  const ErrorHandler previous = SetErrorHandler([&](const AnsiString& t) { errors.push_back(t); });
  for (const BCQuasiGrid& start : {Populated(), BCQuasiGrid()}) {
    BCQuasiGrid g = start;
    TIniModel m = Description(7, 9);
    long k = 1;
    for (;; ++k) {
      ASSERT_LT(k, 100) << "Init never succeeded";
      errors.clear();
      gAllocationCountdown = k;
      const bool ok = g.Init(m);
      gAllocationCountdown = 0;
      if (ok) break;
      EXPECT_EQ(errors, std::vector<AnsiString>{"Memory allocation error: too thick grid."});
      ASSERT_TRUE(SameModel(g, start)) << "allocation " << k;
      BCQuasiGrid other = g;  // still a sound value
      other = Populated();
      EXPECT_TRUE(other.Init(m));
    }
    EXPECT_GT(k, 1);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(g.VV.size(), 63u);
  }
  // 1.6e9 nodes fit an int but not the heap.
  BCQuasiGrid g = Populated();
  TIniModel huge = Description(40000, 40000);
  errors.clear();
  EXPECT_FALSE(g.Init(huge));
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_TRUE(SameModel(g, Populated()));
  SetErrorHandler(previous);
}
