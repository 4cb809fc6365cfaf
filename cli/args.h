// Command-line arguments of the quasigrid tool: positional words and --name value options.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// A mistake in what the user typed; the tool prints it and exits with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A failure while doing the work; the tool prints it and exits with status 1.
class CommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Args {
 public:
  // Splits argv[first..] into positional words, flags (--name) and options (--name value).
  // flagNames lists the options that take no value.
  Args(int argc, char** argv, int first, const std::vector<std::string>& flagNames);

  bool Has(const std::string& name) const;
  bool WantsHelp() const { return Has("help"); }
  const std::vector<std::string>& Positional() const { return positional_; }
  // The value of --name, or fallback when absent.
  std::string Value(const std::string& name, const std::string& fallback) const;
  // Refuses options other than those named.
  void AllowOnly(const std::vector<std::string>& names) const;

 private:
  std::vector<std::string> positional_;
  std::map<std::string, std::string> options_;
};

// Parses "a,b,c" into exactly count floats (or ints); the message names the option.
std::vector<float> ParseFloats(const std::string& option, const std::string& text, size_t count);
std::vector<int> ParseInts(const std::string& option, const std::string& text, size_t count);
