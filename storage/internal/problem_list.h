// Building the problem lists of the checks: numbers as short text, and a cap on each kind.
#pragma once

#include <map>
#include <vector>

#include "storage/model_check.h"

// The shortest %g text that reads back as the same float ("0.01", "1e+07", "inf").
AnsiString FloatText(float value);
// The same for a double that is no float ("1e+300").
AnsiString DoubleText(double value);

// A problem list that keeps the first kMaxPerKind problems of each kind and counts the rest.
class ProblemList {
 public:
  static constexpr int kMaxPerKind = 100;

  void Add(int kind, int where, bool loads, const AnsiString& text);
  // The problems sorted by Where (stable, so file-wide ones stay first), followed by one line
  // per kind that had more problems than were kept.
  std::vector<ModelProblem> Take();

 private:
  struct Overflow {
    int count = 0;
    bool loads = true;
    AnsiString example;
  };
  std::vector<ModelProblem> problems_;
  std::map<int, int> kept_;
  std::map<int, Overflow> overflow_;
};
