// The progress bar of the tool: one line on standard error, redrawn in place while a long walk
// runs, and wiped when it ends.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/progress.h"

// The bar line for done of total steps of task, without the carriage return.
std::string ProgressBarLine(const char* task, int64_t done, int64_t total);

// Draws walks that last long enough to be worth watching (from half a second on) on a terminal.
class TerminalProgress : public ProgressMeter {
 public:
  // Shows nothing while *quiet is true; quiet is read at every report, so that the flag may be
  // set after the meter is installed.
  TerminalProgress(std::FILE* out, const bool* quiet) : out_(out), quiet_(quiet) {}
  void Show(const char* task, int64_t done, int64_t total) override;

 private:
  std::FILE* out_;
  const bool* quiet_;
  const char* task_ = nullptr;  // the walk under way
  std::chrono::steady_clock::time_point start_;
  bool drawn_ = false;
};
