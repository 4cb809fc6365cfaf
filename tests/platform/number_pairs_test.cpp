// Tests of the number-pair file reader: what a line may hold, and each refusal at its line.
#include "platform/number_pairs.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

PairFileProblem Read(const std::string& text, NumberPairs& pairs) {
  std::istringstream in(text);
  return ReadNumberPairs(in, "x", "z", pairs);
}

TEST(NumberPairs, ReadsPairsBetweenCommentsAndBlankLines) {
  NumberPairs pairs;
  const PairFileProblem p = Read("# x z\n\n0 10\t# a station\r\n  500\t30.5\n \t\n1e3 -0\n", pairs);
  ASSERT_EQ(p.Text, "");
  EXPECT_EQ(pairs.First, (std::vector<float>{0, 500, 1000}));
  EXPECT_EQ(pairs.Second, (std::vector<float>{10, 30.5f, 0}));
  EXPECT_EQ(pairs.Lines, (std::vector<int>{3, 4, 6}));
}

// A text, and the line and piece of message its refusal must carry.
TEST(NumberPairs, RefusesAtTheLineAndKeepsWhatWasRead) {
  const struct {
    std::string text;
    int line;
    const char* message;
  } cases[] = {
      {"", 0, "holds no line of two numbers (x z)"},
      {"0 1\n5 1 2\n", 2, "expected two numbers (x z), found 3 fields"},
      {"0 1,5\n", 1, "z '1,5' is not a finite number"},  // a decimal comma
      {"nan 1\n", 1, "x 'nan' is not a finite number"},
      {"0 1e39\n", 1, "z '1e39'"},  // beyond float
      {"0 1\n\n0 2\n", 3, "x 0 is not above x 0 of line 1"},
      {"0 1\n" + std::string(kPairLineLimit + 1, '7') + "\n", 2, "longer than 4096 characters"},
      {std::string("0 1\n2 \0 3\n", 10), 2, "fields"},
  };
  for (const auto& c : cases) {
    NumberPairs pairs;
    pairs.First = {42};
    const PairFileProblem p = Read(c.text, pairs);
    EXPECT_EQ(p.Line, c.line) << c.text;
    EXPECT_NE(p.Text.find(c.message), std::string::npos) << p.Text;
    EXPECT_EQ(pairs.First, std::vector<float>{42}) << c.text;
  }
  // A line exactly at the limit is read.
  NumberPairs pairs;
  EXPECT_EQ(
      Read("0 " + std::string(kPairLineLimit - 2, '1').replace(0, 2, "0.") + "\n", pairs).Text, "");
}

}  // namespace
