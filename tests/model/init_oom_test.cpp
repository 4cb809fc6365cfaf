// Init when the heap runs out: each allocation fails in turn, and the model must come out exactly
// as it went in, still fit to be copied, assigned, initialised again and destroyed.
#include "model/quasigrid.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/failing_new.h"
#include "support/hand_model.h"

namespace {

// A model with something in every member, so that any change shows.
BCQuasiGrid Populated() {
  BCQuasiGrid g;
  TIniModel m{BCFRect(0, 0, 100, -50), 3, 4, 1000, 2000, 3000, 4000, true};
  g.Init(m);
  g.Hors.resize(1);
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
  const std::vector<AnsiString> tooThick{"Memory allocation error: too thick grid."};
  TIniModel m{BCFRect(0, 0, 100, -50), 7, 9, 1000, 2000, 3000, 4000, true};
  for (const BCQuasiGrid& start : {Populated(), BCQuasiGrid()}) {
    BCQuasiGrid g = start;
    for (long k = 1;; ++k) {
      ASSERT_LT(k, 100) << "Init never succeeded";
      errors.clear();
      gAllocationCountdown = k;
      const bool ok = g.Init(m);
      gAllocationCountdown = 0;
      if (ok) break;
      EXPECT_EQ(errors, tooThick);
      ASSERT_TRUE(SameModel(g, start)) << "allocation " << k;
      BCQuasiGrid other = g;  // still a sound value
      other = Populated();
      EXPECT_TRUE(other.Init(m));
    }
    EXPECT_TRUE(errors.empty() && g.VV.size() == 63u);
  }
  // Too few lines are refused silently. Counts past int (65536 x 32768 is 2^31) or past the heap
  // (1.6e9 nodes) are too thick.
  BCQuasiGrid g = Populated();
  errors.clear();
  for (auto [nx, nz] : {std::pair{1, 3}, {3, 1}, {65536, 32768}, {40000, 40000}}) {
    m.Nx = nx;
    m.Nz = nz;
    EXPECT_FALSE(g.Init(m)) << nx << " x " << nz;
  }
  EXPECT_EQ(errors, std::vector<AnsiString>(2, tooThick[0]));
  EXPECT_TRUE(SameModel(g, Populated()));
  SetErrorHandler(previous);
}
