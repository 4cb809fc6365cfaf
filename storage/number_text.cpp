// Number text of the exchange files: printf-identical fields through std::to_chars, and the
// block buffer of the writers.
#include "storage/internal/number_text.h"

#include <algorithm>
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

size_t NumberFormat::Format(char* buf, double value, std::string& slow) const {
  if (fast_ && !(std::fabs(value) >= kFastMaxMagnitude && std::isfinite(value))) {
    return FormatFixed(buf, value, width_, precision_, left_);
  }
  // The format was checked (Usable): at most one conversion, and it takes a double.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  slow += FormatStr(format_.c_str(), value);
#pragma GCC diagnostic pop
  return 0;
}

void NumberFormat::Append(std::string& out, double value) const {
  char buf[kFieldBufferSize];
  out.append(buf, Format(buf, value, out));
}

TextOut::TextOut(std::ostream& out) : out_(out), block_(new char[kCapacity]) {}

char* TextOut::Room(size_t n) {
  if (used_ + n > kCapacity) WriteBlock();
  return block_.get() + used_;
}

void TextOut::WriteBlock() {
  out_.write(block_.get(), static_cast<std::streamsize>(used_));
  used_ = 0;
}

void TextOut::Int(int value, int width) {
  used_ += FormatInt(Room(kFieldBufferSize), value, width);
}

void TextOut::Number(const NumberFormat& format, double value) {
  const size_t length = format.Format(Room(kFieldBufferSize), value, slow_);
  used_ += length;
  if (length == 0 && !slow_.empty()) {
    Text(slow_);
    slow_.clear();
  }
}

void TextOut::Text(std::string_view text) {
  while (!text.empty()) {
    const size_t part = std::min(text.size(), 2 * kFieldBufferSize);
    std::memcpy(Room(part), text.data(), part);
    used_ += part;
    text.remove_prefix(part);
  }
}

void TextOut::Field(double value, int width, int precision, bool leftAlign) {
  if (std::fabs(value) >= kFastMaxMagnitude && std::isfinite(value)) {
    Text(FormatStr(leftAlign ? "%-*.*f" : "%*.*f", width, precision, value));
    return;
  }
  used_ += FormatFixed(Room(kFieldBufferSize), value, width, precision, leftAlign);
}

void TextOut::EndLine() {
  *Room(1) = '\n';
  ++used_;
  if (used_ >= kBlockSize) WriteBlock();
}

void TextOut::Flush() {
  WriteBlock();
  out_.flush();
}
