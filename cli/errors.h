// The two ways a command of the quasigrid tool fails.
#pragma once

#include <stdexcept>

// A mistake in what the user typed, or values that make no model; the tool prints it on one
// line and exits with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A failure while doing the work (a file that cannot be read or written, a damaged table); the
// tool prints it on one line and exits with status 1.
class CommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
