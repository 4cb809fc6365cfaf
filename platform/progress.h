// How far a long walk over a model has come, for a host that shows a progress bar.
//
// The walks over millions of records (loading and saving a table, checking it, writing an
// exchange file) count their steps through a ProgressWalk. Nothing is shown unless the host has
// installed a meter; the count then costs one comparison per step, and the meter hears of the
// walk about 200 times, whatever its length.
#pragma once

#include <cstdint>

// What a host installs to show progress.
class ProgressMeter {
 public:
  virtual ~ProgressMeter() = default;
  // task names the walk ("reading the table"); done of total steps are behind it. Called with
  // done == total once at the end of every walk that reported before.
  virtual void Show(const char* task, int64_t done, int64_t total) = 0;
};

// Installs the meter (nullptr: none, the default) and returns the previous one. The meter must
// outlive every walk that starts while it is installed.
ProgressMeter* SetProgressMeter(ProgressMeter* meter);

// One walk of total steps. Not for use by more than one thread at a time.
class ProgressWalk {
 public:
  ProgressWalk(const char* task, int64_t total);
  ~ProgressWalk();
  ProgressWalk(const ProgressWalk&) = delete;
  ProgressWalk& operator=(const ProgressWalk&) = delete;

  void Step() {
    if (++done_ >= next_) Report();
  }

 private:
  void Report();

  const char* task_;
  int64_t total_;
  int64_t done_ = 0;
  int64_t next_;   // the step at which the meter hears next; never reached without a meter
  int64_t every_;  // steps between two reports
  bool reported_ = false;
};
