// Parsing of the tool's arguments and of comma-separated number lists.
#include "cli/args.h"

#include <algorithm>
#include <sstream>

#include "platform/strings.h"

Args::Args(int argc, char** argv, int first, const std::vector<std::string>& flagNames) {
  for (int a = first; a < argc; ++a) {
    std::string word = argv[a];
    if (word == "-h") word = "--help";
    if (word.rfind("--", 0) != 0 || word.size() == 2) {
      positional_.push_back(word);
      continue;
    }
    std::string name = word.substr(2);
    std::string value;
    if (auto eq = name.find('='); eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.resize(eq);
    } else if (name != "help" &&
               std::find(flagNames.begin(), flagNames.end(), name) == flagNames.end()) {
      if (a + 1 >= argc) throw UsageError("option --" + name + " needs a value");
      value = argv[++a];
    }
    options_[name] = value;
  }
}

bool Args::Has(const std::string& name) const {
  return options_.count(name) != 0;
}

std::string Args::Value(const std::string& name, const std::string& fallback) const {
  auto it = options_.find(name);
  return it == options_.end() ? fallback : it->second;
}

void Args::AllowOnly(const std::vector<std::string>& names) const {
  for (const auto& [name, value] : options_) {
    if (name != "help" && std::find(names.begin(), names.end(), name) == names.end())
      throw UsageError("unknown option --" + name);
  }
}

namespace {

std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  std::string part;
  while (std::getline(in, part, ',')) parts.push_back(part);
  if (!text.empty() && text.back() == ',') parts.push_back("");
  return parts;
}

std::string Expected(const std::string& option, size_t count, const char* what,
                     const std::string& text) {
  return "--" + option + " needs " + std::to_string(count) + " comma-separated " + what +
         ", got '" + text + "'";
}

}  // namespace

namespace {

// Splits text at commas into exactly count values converted by convert; the message names the
// option and what it needs.
template <typename T, typename Convert>
std::vector<T> ParseList(const std::string& option, const std::string& text, size_t count,
                         const char* what, Convert convert) {
  std::vector<std::string> parts = SplitCommas(text);
  if (parts.size() != count) throw UsageError(Expected(option, count, what, text));
  std::vector<T> values(count);
  for (size_t i = 0; i < count; ++i) {
    if (!convert(parts[i], values[i])) throw UsageError(Expected(option, count, what, text));
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
