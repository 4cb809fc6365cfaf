// Parsing of comma-separated number lists, with the platform's checked converters: the C locale,
// the whole field converted, no inf, nan or hexadecimal.
#include "cli/number_lists.h"

#include "cli/errors.h"
#include "platform/strings.h"

namespace {

std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> fields(1);
  for (const char c : text) {
    if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back().push_back(c);
    }
  }
  return fields;
}

// Splits text at commas into exactly count values converted by convert; the message names the
// option and what it needs.
template <typename T, typename Convert>
std::vector<T> ParseList(const std::string& option, const std::string& text, size_t count,
                         const char* what, Convert convert) {
  const std::vector<std::string> fields = SplitCommas(text);
  const std::string expected = "--" + option + " needs " + std::to_string(count) +
                               " comma-separated " + what + ", got '" + text + "'";
  if (fields.size() != count) throw UsageError(expected);
  std::vector<T> values(count);
  for (size_t i = 0; i < count; ++i) {
    if (!convert(fields[i], values[i])) throw UsageError(expected);
  }
  return values;
}

}  // namespace

std::vector<float> ParseFloats(const std::string& option, const std::string& text, size_t count) {
  return ParseList<float>(option, text, count, "numbers", StrToFloatChecked);
}

std::vector<int> ParseInts(const std::string& option, const std::string& text, size_t count) {
  return ParseList<int>(option, text, count, "integers", StrToIntChecked);
}

std::vector<float> ParseFloatList(const std::string& text, bool& ok) {
  const std::vector<std::string> fields = SplitCommas(text);
  std::vector<float> values(fields.size());
  ok = true;
  for (size_t i = 0; i < fields.size() && ok; ++i) ok = StrToFloatChecked(fields[i], values[i]);
  return values;
}
