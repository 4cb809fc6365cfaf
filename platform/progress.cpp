#include "platform/progress.h"

#include <algorithm>
#include <limits>

namespace {

ProgressMeter* gMeter = nullptr;

constexpr int64_t kReports = 200;
constexpr int64_t kNever = std::numeric_limits<int64_t>::max();

}  // namespace

ProgressMeter* SetProgressMeter(ProgressMeter* meter) {
  ProgressMeter* previous = gMeter;
  gMeter = meter;
  return previous;
}

ProgressWalk::ProgressWalk(const char* task, int64_t total)
    : task_(task),
      total_(std::max<int64_t>(total, 0)),
      every_(std::max<int64_t>(total_ / kReports, 1)) {
  next_ = gMeter != nullptr ? every_ : kNever;
}

ProgressWalk::~ProgressWalk() {
  if (reported_ && gMeter != nullptr) gMeter->Show(task_, total_, total_);
}

void ProgressWalk::Report() {
  next_ = done_ + every_;
  if (gMeter == nullptr) return;
  reported_ = true;
  gMeter->Show(task_, std::min(done_, total_), total_);
}
