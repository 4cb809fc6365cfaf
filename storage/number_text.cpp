// Number text of the exchange files: printf-identical fields through std::to_chars, and the
// block buffer of the writers.
#include "storage/internal/number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "platform/strings.h"

namespace {

// Above this the fast path's buffer could be too short; printf takes such values.
constexpr double kFastMaxMagnitude = 1e100;

// Widens the text of length len at the start of buf to width characters with blanks, in front
// of it or (leftAlign) behind it.
size_t Pad(char* buf, size_t len, int width, bool leftAlign) {
  const size_t target = static_cast<size_t>(width);
  if (len >= target) return len;
  if (leftAlign) {
    std::memset(buf + len, ' ', target - len);
  } else {
    std::memmove(buf + (target - len), buf, len);
    std::memset(buf, ' ', target - len);
  }
  return target;
}

// Reads the digits of a width or precision at pos; false when there are none or too many.
bool ReadCount(std::string_view s, size_t& pos, int limit, int& value) {
  const size_t start = pos;
  value = 0;
  while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
    value = value * 10 + (s[pos] - '0');
    if (value > limit) return false;
    ++pos;
  }
  return pos > start;
}

}  // namespace

size_t FormatFixed(char* buf, double value, int width, int precision, bool leftAlign) {
  // to_chars with a precision rounds the exact binary value as printf does, ties included.
  const auto result =
      std::to_chars(buf, buf + kFieldBufferSize, value, std::chars_format::fixed, precision);
  return Pad(buf, static_cast<size_t>(result.ptr - buf), width, leftAlign);
}

size_t FormatInt(char* buf, int value, int width) {
  const auto result = std::to_chars(buf, buf + kFieldBufferSize, value);
  return Pad(buf, static_cast<size_t>(result.ptr - buf), width, false);
}

NumberFormat::NumberFormat(const AnsiString& format)
    : format_(format), conversions_(CountFloatConversions(format)) {
  usable_ = conversions_ == 0 || conversions_ == 1;
  // The fast form: '%', an optional '-', the width, '.', the precision, 'f'.
  std::string_view s = format_;
  size_t pos = 0;
  if (s.size() < 4 || s[pos++] != '%') return;
  if (s[pos] == '-') {
    left_ = true;
    ++pos;
  }
  if (s[pos] == '0') return;  // the zero-padding flag
  if (!ReadCount(s, pos, kFastMaxWidth, width_)) return;
  if (pos >= s.size() || s[pos++] != '.') return;
  if (!ReadCount(s, pos, kFastMaxPrecision, precision_)) return;
  fast_ = pos + 1 == s.size() && s[pos] == 'f';
}

void NumberFormat::Append(std::string& out, double value) const {
  if (fast_ && !(std::fabs(value) >= kFastMaxMagnitude && std::isfinite(value))) {
    char buf[kFieldBufferSize];
    out.append(buf, FormatFixed(buf, value, width_, precision_, left_));
    return;
  }
  // The format was checked (Usable): at most one conversion, and it takes a double.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  out += FormatStr(format_.c_str(), value);
#pragma GCC diagnostic pop
}

TextOut::TextOut(std::ostream& out) : out_(out) {
  block_.reserve(kBlockSize + 4096);
}

void TextOut::Int(int value, int width) {
  char buf[kFieldBufferSize];
  block_.append(buf, FormatInt(buf, value, width));
}

void TextOut::Field(double value, int width, int precision, bool leftAlign) {
  if (std::fabs(value) >= kFastMaxMagnitude && std::isfinite(value)) {
    block_ += FormatStr(leftAlign ? "%-*.*f" : "%*.*f", width, precision, value);
    return;
  }
  char buf[kFieldBufferSize];
  block_.append(buf, FormatFixed(buf, value, width, precision, leftAlign));
}

void TextOut::EndLine() {
  block_.push_back('\n');
  if (block_.size() >= kBlockSize) {
    out_.write(block_.data(), static_cast<std::streamsize>(block_.size()));
    block_.clear();
  }
}

void TextOut::Flush() {
  out_.write(block_.data(), static_cast<std::streamsize>(block_.size()));
  block_.clear();
  out_.flush();
}
