// Tests of the writers' number text: every field identical to what printf makes of it.
#include "storage/internal/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct FixedLayout {
  const char* format;  // the printf format the writers stand for
  int width;
  int precision;
  bool left;
};
constexpr FixedLayout kLayouts[] = {{"%12.3f", 12, 3, false}, {"%-12.3f", 12, 3, true},
                                    {"%9.2f", 9, 2, false},   {"%13.3f", 13, 3, false},
                                    {"%10.1f", 10, 1, false}, {"%-5.0f", 5, 0, true}};

std::string Printf(const char* format, double value) {
  char buf[512];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

std::string Fast(const FixedLayout& l, double value) {
  char buf[kFieldBufferSize];
  return std::string(buf, FormatFixed(buf, value, l.width, l.precision, l.left));
}

// Checks every layout on value; returns the number of mismatches (reported once each).
int Mismatches(double value) {
  int bad = 0;
  for (const FixedLayout& l : kLayouts) {
    const std::string expected = Printf(l.format, value);
    const std::string got = Fast(l, value);
    if (got != expected) {
      ADD_FAILURE() << l.format << " of " << value << ": \"" << got << "\" != \"" << expected
                    << "\"";
      ++bad;
    }
  }
  return bad;
}

// Random float bit patterns over the whole finite range, and exact halfway cases: n + j/8 is a
// tie at two decimals for odd j, n + j/16 at three (round half to even, as printf does).
TEST(NumberText, FixedFieldsMatchPrintfOnRandomAndTieValues) {
  std::mt19937 random(20261206);
  int bad = 0;
  for (int i = 0; i < 50000 && bad < 10; ++i) {
    const float f = std::bit_cast<float>(static_cast<uint32_t>(random()));
    if (std::isfinite(f)) bad += Mismatches(f);
  }
  std::uniform_int_distribution<int> whole(-1 << 20, 1 << 20);
  for (int i = 0; i < 120000 && bad < 10; ++i) {
    const int n = whole(random);
    const int j = static_cast<int>(random() % 16);
    bad += Mismatches(n + j / 16.0);
    bad += Mismatches(n + j / 8.0);
    bad += Mismatches(static_cast<float>(n) * 0.001f);  // the decimals the files hold
  }
  // Signed zeros, a negative that rounds to zero, values wider than the field, the float
  // extremes, infinities and NaNs of both signs.
  for (const double v : {0.0, -0.0, -0.0001, 0.0005, -0.0005, 1e10, -123456789.125, double(FLT_MAX),
                         double(-FLT_MAX), double(FLT_TRUE_MIN), 1e99, HUGE_VAL, -HUGE_VAL,
                         std::nan(""), -std::nan("")}) {
    bad += Mismatches(v);
  }
  EXPECT_EQ(bad, 0);
}

TEST(NumberText, IntegerFieldsMatchPrintf) {
  std::mt19937 random(7);
  for (int i = 0; i < 100000; ++i) {
    const int value = static_cast<int>(random());
    for (const int width : {9, 13}) {
      char buf[kFieldBufferSize];
      const std::string got(buf, FormatInt(buf, value, width));
      char expected[64];
      std::snprintf(expected, sizeof expected, "%*d", width, value);
      ASSERT_EQ(got, expected);
    }
  }
  char buf[kFieldBufferSize];
  EXPECT_EQ(std::string(buf, FormatInt(buf, INT_MIN, 9)), "-2147483648");
  EXPECT_EQ(std::string(buf, FormatInt(buf, 0, 9)), "        0");
}

// Caller-supplied formats: the fast form and everything else give printf's text; formats that
// printf could not be handed safely with one double are not usable.
TEST(NumberText, CallerFormatsGivePrintfTextOrAreRefused) {
  struct Case {
    const char* format;
    bool usable;
    bool oneConversion;
  };
  const Case cases[] = {
      {"%13.3f", true, true},     {"%-8.2f", true, true},    {"%e", true, true},
      {"%+.2f", true, true},      {"v=%8.1f%%", true, true}, {"%012.3f", true, true},
      {"no number", true, false}, {"", true, false},         {"%s", false, false},
      {"%d", false, false},       {"%f%f", false, false},    {"%lf", false, false},
      {"%*f", false, false},      {"100%", false, false}};
  for (const Case& c : cases) {
    const NumberFormat format(c.format);
    EXPECT_EQ(format.Usable(), c.usable) << c.format;
    EXPECT_EQ(format.OneConversion(), c.oneConversion) << c.format;
    if (!c.usable) continue;
    for (const double v : {0.0, -1.25, 1500.0, 3.0e38}) {
      std::string out;
      format.Append(out, v);
      EXPECT_EQ(out, Printf(c.format, v)) << c.format << " of " << v;
    }
  }
}

// The block buffer writes nothing before Flush while the block is small, then everything in
// order.
TEST(NumberText, TextOutWritesWholeLinesInOrder) {
  std::ostringstream out;
  {
    TextOut text(out);
    text.Int(7, 3);
    text.Text("|");
    text.FixedLeft(-2.5, 7, 2);
    text.Text("|");
    text.Fixed(2.5, 7, 2);
    text.EndLine();
    EXPECT_EQ(out.str(), "");
    text.Flush();
  }
  EXPECT_EQ(out.str(), "  7|-2.50  |   2.50\n");
  std::ostringstream big;
  TextOut text(big);
  for (int i = 0; i < 100000; ++i) {
    text.Int(i, 9);
    text.EndLine();
  }
  text.Flush();
  EXPECT_EQ(big.str().size(), 1000000u);
  EXPECT_EQ(big.str().substr(999990), "    99999\n");
}

}  // namespace
