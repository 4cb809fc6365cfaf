// Options of the tool that take one value and may be given once.
#pragma once

#include <CLI/CLI.hpp>

#include <memory>
#include <string>

// Adds an option that takes one value. CLI11 would keep the last of repeated values, silently;
// this one refuses a repeat, naming the option, before the command runs.
inline CLI::Option* AddOnceOption(CLI::App* cmd, const std::string& names, std::string& value,
                                  const std::string& help) {
  auto count = std::make_shared<int>(0);
  CLI::Option* option = cmd->add_option(names, value, help);
  option->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  option->each([count](const std::string&) {
    if (++*count > 1) throw CLI::ValidationError("given more than once");
  });
  return option;
}
