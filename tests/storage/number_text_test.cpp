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

namespace {

std::string Printf(const char* format, double value) {
  char buf[512];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

// Every layout (width, precision, left-aligned) on value against printf; returns the number of
// mismatches, each reported once.
int Mismatches(double value) {
  static constexpr struct {
    int width, precision;
    bool left;
  } kLayouts[] = {{12, 3, false}, {12, 3, true}, {9, 2, false}, {10, 1, false}, {5, 0, true}};
  int bad = 0;
  for (const auto& l : kLayouts) {
    char buf[kFieldBufferSize], expected[512];
    const std::string got(buf, FormatFixed(buf, value, l.width, l.precision, l.left));
    std::snprintf(expected, sizeof expected, l.left ? "%-*.*f" : "%*.*f", l.width, l.precision,
                  value);
    if (got != expected) {
      ADD_FAILURE() << l.width << "." << l.precision << " of " << value << ": \"" << got
                    << "\" != \"" << expected << "\"";
      ++bad;
    }
  }
  return bad;
}

// Random float bit patterns over the whole finite range, the decimals the files hold, and exact
// halfway cases: n + j/16 is a tie at three decimals for odd j (round half to even, as printf).
TEST(NumberText, FixedFieldsMatchPrintfOnRandomTieAndSpecialValues) {
  std::mt19937 random(20261206);
  std::uniform_int_distribution<int> whole(-1 << 20, 1 << 20);
  int bad = 0;
  for (int i = 0; i < 100000 && bad < 10; ++i) {
    const float f = std::bit_cast<float>(static_cast<uint32_t>(random()));
    if (std::isfinite(f)) bad += Mismatches(f);
    const int n = whole(random);
    bad += Mismatches(n + static_cast<int>(random() % 16) / 16.0);
    bad += Mismatches(static_cast<float>(n) * 0.001f);
  }
  // Signed zeros, a negative that rounds to zero, values wider than the field, the float
  // extremes, infinities and NaNs of both signs.
  for (const double v :
       {0.0, -0.0, -0.0001, 0.0005, -0.0005, 1e10, -123456789.125, double(FLT_MAX),
        double(FLT_TRUE_MIN), 1e99, HUGE_VAL, -HUGE_VAL, std::nan(""), -std::nan("")}) {
    bad += Mismatches(v);
  }
  EXPECT_EQ(bad, 0);
}

// Caller-supplied formats: the fast form and everything else give printf's text; formats that
// printf could not be handed safely with one double are not usable. Fast: "%[-]W.Pf" with W up to
// 64; zero padding, other text and other conversions go to printf.
TEST(NumberText, CallerFormatsGivePrintfTextOrAreRefused) {
  const struct {
    const char* format;
    bool usable, oneConversion;
  } cases[] = {
      {"%13.3f", true, true},     {"%-8.2f", true, true},    {"%65.1f", true, true},
      {"%012.3f", true, true},    {"v=%8.1f%%", true, true}, {"%e", true, true},
      {"no number", true, false}, {"%s", false, false},      {"%f%f", false, false},
  };
  for (const auto& c : cases) {
    const NumberFormat format(c.format);
    EXPECT_EQ(format.Usable(), c.usable) << c.format;
    EXPECT_EQ(format.OneConversion(), c.oneConversion) << c.format;
    if (!c.usable) continue;
    for (const double v : {-1.25, 1500.0, 3.0e38, 1e200}) {
      std::string out;
      format.Append(out, v);
      EXPECT_EQ(out, Printf(c.format, v)) << c.format << " of " << v;
    }
  }
}

// The block buffer writes nothing before Flush while the block is small, then everything in
// order, also across many blocks.
TEST(NumberText, TextOutWritesWholeLinesInOrder) {
  std::ostringstream out;
  TextOut text(out);
  text.Int(INT_MIN, 9);
  text.Int(7, 3);
  text.Text("|");
  text.FixedLeft(-2.5, 7, 2);
  text.Fixed(2.5, 7, 2);
  text.EndLine();
  EXPECT_EQ(out.str(), "");
  text.Flush();
  EXPECT_EQ(out.str(), "-2147483648  7|-2.50     2.50\n");
  for (int i = 0; i < 100000; ++i) {
    text.Int(i, 9);
    text.EndLine();
  }
  text.Flush();
  EXPECT_EQ(out.str().size(), 30u + 1000000u);
  EXPECT_EQ(out.str().substr(out.str().size() - 20), "    99998\n    99999\n");
}

}  // namespace
