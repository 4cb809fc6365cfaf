// Tests of splitting, number conversion, trimming, formatting and the printf-format checker.
#include "platform/strings.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& text, const std::string& delimiters) {
  std::vector<std::string> tokens;
  S_StrToStrArray(text, delimiters, tokens);
  return tokens;
}

using Tokens = std::vector<std::string>;

TEST(StrToStrArray, RunsAndEndsOfDelimitersYieldNoEmptyToken) {
  EXPECT_EQ(Split("4,2,3", ","), (Tokens{"4", "2", "3"}));
  EXPECT_EQ(Split(",,4,,,2,", ","), (Tokens{"4", "2"}));
  // Any delimiter separates, and a mixed run is one separator (an exported table line).
  EXPECT_EQ(Split("   12.5 ,\t 3  7\t", " ,\t"), (Tokens{"12.5", "3", "7"}));
  EXPECT_EQ(Split("", ","), Tokens{});
  EXPECT_EQ(Split(",,,", ","), Tokens{});
  EXPECT_EQ(Split("abc", ","), Tokens{"abc"});
  EXPECT_EQ(Split("a;b", ""), Tokens{"a;b"});
}

TEST(StrToStrArray, AppendsToWhatTheVectorHolds) {
  std::vector<std::string> tokens{"x"};
  S_StrToStrArray("a,b", ",", tokens);
  EXPECT_EQ(tokens, (Tokens{"x", "a", "b"}));
}

TEST(SAfter, TextBehindTheFirstOccurrence) {
  EXPECT_EQ(S_After("X= 12.5", '='), " 12.5");
  EXPECT_EQ(S_After("a=b=c", '='), "b=c");
  EXPECT_EQ(S_After("abc=", '='), "");
  EXPECT_EQ(S_After("no sign", '='), "");
}

TEST(Trim, RemovesBlanksAtBothEndsOnly) {
  EXPECT_EQ(Trim(" \t 1 2\t "), "1 2");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim(""), "");
}

TEST(StrToIntChecked, AcceptsSignedDecimalInt32) {
  const struct {
    const char* text;
    int value;
  } cases[] = {{"0", 0},
               {"42", 42},
               {"-7", -7},
               {"+7", 7},
               {"  12\t", 12},
               {"007", 7},
               {"2147483647", INT_MAX},
               {"-2147483648", INT_MIN},
               {"-0", 0}};
  for (const auto& c : cases) {
    int value = 99;
    EXPECT_TRUE(StrToIntChecked(c.text, value)) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
}

TEST(StrToIntChecked, RefusesAnythingElseAndKeepsTheValue) {
  const char* cases[] = {
      "",    "  ",  "+",   "-",   "1 2",        "12a",         "0x10",
      "1e3", "1.0", "--1", "+-1", "2147483648", "-2147483649", "99999999999999999999",
      "١",   "1\n"};
  for (const char* text : cases) {
    int value = 99;
    EXPECT_FALSE(StrToIntChecked(text, value)) << text;
    EXPECT_EQ(value, 99) << text;
  }
  int value = 99;
  EXPECT_FALSE(StrToIntChecked(std::string("1\0", 2), value));
}

TEST(StrToFloatChecked, AcceptsDecimalNumbers) {
  const struct {
    const char* text;
    float value;
  } cases[] = {{"0", 0.0f},       {"1.5", 1.5f},     {"-1.5", -1.5f},
               {"+2", 2.0f},      {" 3.25 ", 3.25f}, {"5.", 5.0f},
               {".5", 0.5f},      {"1e3", 1000.0f},  {"1.5E-2", 0.015f},
               {"-2e+1", -20.0f}, {"0.1", 0.1f},     {"3.4028234e38", 3.4028234e38f}};
  for (const auto& c : cases) {
    float value = 99;
    EXPECT_TRUE(StrToFloatChecked(c.text, value)) << c.text;
    EXPECT_EQ(value, c.value) << c.text;  // correctly rounded, so exactly the literal
  }
}

TEST(StrToFloatChecked, RefusesNonDecimalAndOutOfRangeText) {
  const char* cases[] = {"",      " ",    ".",     "-",     "e5",  "1e",       "1e+",   "1,5",
                         "1.5.2", "inf",  "-inf",  "nan",   "NAN", "infinity", "0x1p3", "1 2",
                         "1.5f",  "1e39", "-1e39", "1e-50", "+-1", "--1"};
  for (const char* text : cases) {
    float value = 99;
    EXPECT_FALSE(StrToFloatChecked(text, value)) << text;
    EXPECT_EQ(value, 99.0f) << text;
  }
}

TEST(StrToFloatChecked, IgnoresTheProcessLocale) {
  // A locale with a decimal comma must not change how text is read; skip where none exists.
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = previous ? previous : "C";
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE locale";
  float value = 0;
  bool dot = StrToFloatChecked("1.5", value);
  float comma = 0;
  bool commaOk = StrToFloatChecked("1,5", comma);
  std::setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_TRUE(dot);
  EXPECT_EQ(value, 1.5f);
  EXPECT_FALSE(commaOk);
}

TEST(FormatStr, FormatsIntoAStringOfAnyLength) {
  EXPECT_EQ(FormatStr("%d,%d", 1, -2), "1,-2");
  EXPECT_EQ(FormatStr("%13.3f", 2.5), "        2.500");
  EXPECT_EQ(FormatStr("%s", ""), "");
  std::string longText(5000, 'x');
  EXPECT_EQ(FormatStr("<%s>", longText.c_str()), "<" + longText + ">");
}

TEST(CountFloatConversions, CountsFloatConversionsOnly) {
  const struct {
    const char* format;
    int count;
  } cases[] = {
      {"%13.3f", 1},
      {"%f", 1},
      {"%e", 1},
      {"%E", 1},
      {"%g", 1},
      {"%G", 1},
      {"%-+ #013.5e", 1},
      {"%.f", 1},
      {"v=%8.2f m/s", 1},
      {"100%% %f", 1},
      {"", 0},
      {"no value", 0},
      {"%%", 0},
      {"%f %g", 2},
      {"%999.999f", 1},
      // Anything printf would read as a non-double argument, or not a conversion at all.
      {"%d", -1},
      {"%s", -1},
      {"%n", -1},
      {"%lf", -1},
      {"%Lf", -1},
      {"%*f", -1},
      {"%.*f", -1},
      {"%", -1},
      {"abc%", -1},
      {"%5", -1},
      {"%'f", -1},
      {"%1$f", -1},
      {"%f%d", -1},
      {"%1000f", -1},
      {"%.1000f", -1},
      {"%a", -1},
      {"%x", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(CountFloatConversions(c.format), c.count) << c.format;
}

}  // namespace
