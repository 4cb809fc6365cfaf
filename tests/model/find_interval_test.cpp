// FindInterval: results on entries, at and beyond the ends, and for bad ranges.
#include "model/quasigrid.h"

#include <gtest/gtest.h>

#include <vector>

TEST(FindInterval, ResultsOnEntriesAtTheEndsAndForBadRanges) {
  const std::vector<float> v{0, 10, 20, 20, 30};
  struct Case {
    float value;
    int from, to, expected;
  };
  const Case cases[] = {
      {10, 0, 2, 1},  {5, 0, 2, 0},   // an entry starts its interval
      {20, 0, 2, 2},  {25, 0, 2, 3},  // v[to] gives to, above it to + 1
      {-1, 0, 2, -1}, {5, 1, 4, -1},  // below v[from]
      {20, 0, 0, 3},                  // to 0 is the last index; the last of equal entries
      {20, 2, 2, -2}, {5, 2, 1, -2}, {5, -1, 2, -2}, {5, 0, 5, -2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindInterval(v, c.value, c.from, c.to), c.expected)
        << c.value << " in " << c.from << ".." << c.to;
  }
  EXPECT_EQ(FindInterval({}, 5, 0, 0), -2);
}
