// String utilities: splitting, number conversion, trimming, formatting and format checks.
#include "platform/strings.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view TrimView(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Advances pos over decimal digits; returns how many there were.
size_t SkipDigits(std::string_view s, size_t& pos) {
  size_t start = pos;
  while (pos < s.size() && IsDigit(s[pos])) ++pos;
  return pos - start;
}

// Whether s is a whole decimal number: [sign] (digits [. digits] | . digits) [e [sign] digits].
// This is checked before conversion because the converter also takes "inf" and "nan".
bool IsDecimalNumber(std::string_view s) {
  size_t pos = 0;
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) ++pos;
  size_t mantissaDigits = SkipDigits(s, pos);
  if (pos < s.size() && s[pos] == '.') {
    ++pos;
    mantissaDigits += SkipDigits(s, pos);
  }
  if (mantissaDigits == 0) return false;
  if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
    ++pos;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) ++pos;
    if (SkipDigits(s, pos) == 0) return false;
  }
  return pos == s.size();
}

// Reads a width or precision at pos; false when it exceeds kMaxFormatWidth.
bool SkipFormatNumber(std::string_view s, size_t& pos) {
  int number = 0;
  while (pos < s.size() && IsDigit(s[pos])) {
    number = number * 10 + (s[pos] - '0');
    if (number > kMaxFormatWidth) return false;
    ++pos;
  }
  return true;
}

// Checks the conversion directive that starts after a '%' at pos and moves pos past it.
bool SkipFloatConversion(std::string_view s, size_t& pos) {
  static constexpr std::string_view kFlags = "-+ #0";
  static constexpr std::string_view kTypes = "feEgG";
  while (pos < s.size() && kFlags.find(s[pos]) != std::string_view::npos) ++pos;
  if (!SkipFormatNumber(s, pos)) return false;
  if (pos < s.size() && s[pos] == '.') {
    ++pos;
    if (!SkipFormatNumber(s, pos)) return false;
  }
  if (pos >= s.size() || kTypes.find(s[pos]) == std::string_view::npos) return false;
  ++pos;
  return true;
}

}  // namespace

void S_StrToStrArray(const AnsiString& text, const AnsiString& delimiters,
                     std::vector<AnsiString>& tokens) {
  size_t pos = text.find_first_not_of(delimiters);
  while (pos != AnsiString::npos) {
    size_t end = text.find_first_of(delimiters, pos);
    tokens.push_back(text.substr(pos, end == AnsiString::npos ? AnsiString::npos : end - pos));
    if (end == AnsiString::npos) break;
    pos = text.find_first_not_of(delimiters, end);
  }
}

AnsiString S_After(const AnsiString& text, char c) {
  size_t pos = text.find(c);
  return pos == AnsiString::npos ? AnsiString() : text.substr(pos + 1);
}

AnsiString Trim(const AnsiString& text) {
  return AnsiString(TrimView(text));
}

bool StrToIntChecked(const AnsiString& text, int& value) {
  std::string_view s = TrimView(text);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty()) return false;
  // Accumulate the magnitude in 64 bits; stop as soon as it leaves the 32-bit range.
  constexpr int64_t kLimit = static_cast<int64_t>(INT_MAX) + 1;
  int64_t magnitude = 0;
  for (char c : s) {
    if (!IsDigit(c)) return false;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > kLimit) return false;
  }
  if (!negative && magnitude == kLimit) return false;
  value = static_cast<int>(negative ? -magnitude : magnitude);
  return true;
}

bool StrToFloatChecked(const AnsiString& text, float& value) {
  std::string_view s = TrimView(text);
  if (!IsDecimalNumber(s)) return false;
  // from_chars ignores the locale but takes no leading plus sign.
  if (s.front() == '+') s.remove_prefix(1);
  float result = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), result);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(result)) return false;
  value = result;
  return true;
}

AnsiString IntToStr(int value) {
  return std::to_string(value);
}

AnsiString FormatStr(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list sizing;
  va_copy(sizing, args);
  int length = std::vsnprintf(nullptr, 0, format, sizing);
  va_end(sizing);
  AnsiString result;
  if (length > 0) {
    result.resize(static_cast<size_t>(length));
    std::vsnprintf(result.data(), result.size() + 1, format, args);
  }
  va_end(args);
  return result;
}

int CountFloatConversions(const AnsiString& format) {
  std::string_view s = format;
  int count = 0;
  size_t pos = 0;
  while ((pos = s.find('%', pos)) != std::string_view::npos) {
    ++pos;
    if (pos < s.size() && s[pos] == '%') {
      ++pos;
      continue;
    }
    if (!SkipFloatConversion(s, pos)) return -1;
    ++count;
  }
  return count;
}
