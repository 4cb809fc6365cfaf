// FindInterval: range checks, the results at and beyond the ends, and agreement with a scan.
#include "model/quasigrid.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

TEST(FindInterval, ResultsAtTheEndsAndOnEntries) {
  const std::vector<float> v{0, 10, 20};
  EXPECT_EQ(FindInterval(v, 10, 0, 2), 1);  // an interior entry starts its interval
  EXPECT_EQ(FindInterval(v, 20, 0, 2), 2);  // the last entry gives to itself
  EXPECT_EQ(FindInterval(v, 0, 0, 2), 0);   // the first entry
  EXPECT_EQ(FindInterval(v, 5, 0, 2), 0);
  EXPECT_EQ(FindInterval(v, -1, 0, 2), -1);  // below v[from]
  EXPECT_EQ(FindInterval(v, 25, 0, 2), 3);   // above v[to]: to + 1
  EXPECT_EQ(FindInterval(v, 15, 0, 0), 1);   // to 0 means the last index
  EXPECT_EQ(FindInterval(v, 15, 0, 1), 2);   // above a shortened range
  EXPECT_EQ(FindInterval(v, 5, 1, 2), -1);   // below a range that starts later
}

TEST(FindInterval, RefusesBadRanges) {
  const std::vector<float> v{0, 10, 20};
  EXPECT_EQ(FindInterval(v, 20, 2, 2), -2);   // to == from
  EXPECT_EQ(FindInterval(v, 5, 2, 1), -2);    // to < from
  EXPECT_EQ(FindInterval(v, 5, -1, 2), -2);   // from below 0
  EXPECT_EQ(FindInterval(v, 5, 0, 3), -2);    // to past the end
  EXPECT_EQ(FindInterval({}, 5, 0, 0), -2);   // empty vector
  EXPECT_EQ(FindInterval({7}, 7, 0, 0), -2);  // one entry forms no interval
}

TEST(FindInterval, AgreesWithALinearScanOnRepeatedEntries) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> step(0, 2);  // zero steps make runs of equal entries
  std::vector<float> v{0};
  for (int i = 1; i < 40; ++i) v.push_back(v.back() + static_cast<float>(step(rng)));
  for (int from = 0; from < 38; from += 5) {
    for (int to = from + 1; to < 40; to += 3) {
      for (float value = -1; value <= v.back() + 1; value += 0.5f) {
        int expected;
        if (v[from] > value) {
          expected = -1;
        } else if (v[to] < value) {
          expected = to + 1;
        } else if (v[to] == value) {
          expected = to;
        } else {
          expected = from;
          while (v[expected + 1] <= value) ++expected;
        }
        ASSERT_EQ(FindInterval(v, value, from, to), expected)
            << "value " << value << " from " << from << " to " << to;
      }
    }
  }
}
