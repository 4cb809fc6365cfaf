// The problem lists of the checks: short number texts and the cap on problems of one kind.
#include "storage/internal/problem_list.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/strings.h"

AnsiString FloatText(float value) {
  AnsiString text;
  for (int digits = 6; digits <= 9; ++digits) {
    text = FormatStr("%.*g", digits, static_cast<double>(value));
    if (std::strtof(text.c_str(), nullptr) == value) break;
  }
  return text;
}

AnsiString DoubleText(double value) {
  AnsiString text;
  for (int digits = 6; digits <= 17; ++digits) {
    text = FormatStr("%.*g", digits, value);
    if (std::strtod(text.c_str(), nullptr) == value) break;
  }
  return text;
}

void ProblemList::Add(int kind, int where, bool loads, const AnsiString& text) {
  if (kept_[kind] < kMaxPerKind) {
    ++kept_[kind];
    problems_.push_back({where, loads, text});
    return;
  }
  Overflow& more = overflow_[kind];
  if (more.count++ == 0) more.example = text;
  more.loads = more.loads && loads;
}

std::vector<ModelProblem> ProblemList::Take() {
  std::stable_sort(problems_.begin(), problems_.end(),
                   [](const ModelProblem& a, const ModelProblem& b) { return a.Where < b.Where; });
  for (const auto& [kind, more] : overflow_) {
    problems_.push_back(
        {0, more.loads, FormatStr("%d more like this, not listed: ", more.count) + more.example});
  }
  return std::move(problems_);
}
