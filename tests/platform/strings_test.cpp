// Tests of splitting, number conversion, trimming, formatting and the printf-format checker.
#include "platform/strings.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(StrToStrArray, RunsAndEndsOfDelimitersYieldNoEmptyToken) {
  const struct {
    const char* text;
    const char* delimiters;
    std::vector<std::string> tokens;
  } cases[] = {{",,4,,,2,", ",", {"4", "2"}},
               {"   12.5 ,\t 3  7\t", " ,\t", {"12.5", "3", "7"}},  // a mixed run separates once
               {",,,", ",", {}},
               {"", ",", {}},
               {"a;b", "", {"a;b"}}};
  for (const auto& c : cases) {
    std::vector<std::string> tokens{"kept"};  // tokens are appended to what the vector holds
    S_StrToStrArray(c.text, c.delimiters, tokens);
    ASSERT_EQ(tokens.at(0), "kept");
    tokens.erase(tokens.begin());
    EXPECT_EQ(tokens, c.tokens) << c.text;
  }
}

TEST(SAfterAndTrim, EdgesOfTheText) {
  EXPECT_EQ(S_After("a=b=c", '='), "b=c");
  EXPECT_EQ(S_After("abc=", '='), "");
  EXPECT_EQ(S_After("no sign", '='), "");
  EXPECT_EQ(Trim(" \t 1 2\t "), "1 2");
  EXPECT_EQ(Trim("   "), "");
}

// Accepted texts give their value (a float correctly rounded, so exactly the literal); refused
// ones return false and leave the value as it was.
template <typename T>
void ExpectConversions(bool (*convert)(const AnsiString&, T&),
                       std::initializer_list<std::pair<std::string, T>> accepted,
                       std::initializer_list<std::string> refused) {
  for (const auto& [text, expected] : accepted) {
    T value = 99;
    EXPECT_TRUE(convert(text, value) && value == expected) << text << " gave " << value;
  }
  for (const std::string& text : refused) {
    T value = 99;
    EXPECT_TRUE(!convert(text, value) && value == T{99}) << text << " gave " << value;
  }
}

TEST(StrToIntChecked, WholeDecimalInt32Only) {
  ExpectConversions<int>(
      StrToIntChecked,
      {{"  +7\t", 7}, {"-0", 0}, {"007", 7}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}},
      {"", "-", "1 2", "12a", "0x10", "1.0", "+-1", std::string("1\0", 2), "2147483648",
       "-2147483649"});
}

TEST(StrToFloatChecked, WholeDecimalFiniteFloatOnly) {
  ExpectConversions<float>(
      StrToFloatChecked,
      {{" +2 ", 2.0f}, {"5.", 5.0f}, {".5", 0.5f}, {"-1.5E-2", -0.015f}, {"3.4028234e38", FLT_MAX}},
      {"", ".", "1e", "1,5", "1.5.2", "inf", "nan", "0x1p3", "1 2", "1.5f", "1e39", "1e-50"});
}

TEST(FormatStr, FormatsIntoAStringOfAnyLength) {
  const std::string longText(5000, 'x');
  EXPECT_EQ(FormatStr("<%s>%13.3f", longText.c_str(), 2.5), "<" + longText + ">        2.500");
}

TEST(CountFloatConversions, CountsDoubleConversionsAndRefusesAnythingElse) {
  const struct {
    const char* format;
    int count;
  } cases[] = {{"", 0},      {"100%% %E", 1},  {"%-+ #013.5e", 1}, {"%.f", 1},
               {"%g %G", 2}, {"%999.999f", 1}, {"%d", -1},         {"%n", -1},
               {"%lf", -1},  {"%*f", -1},      {"%.*f", -1},       {"abc%", -1},
               {"%1$f", -1}, {"%f%d", -1},     {"%1000f", -1},     {"%.1000f", -1}};
  for (const auto& c : cases) EXPECT_EQ(CountFloatConversions(c.format), c.count) << c.format;
}

}  // namespace
