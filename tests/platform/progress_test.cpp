// Progress of long walks: a bounded number of reports, the end always heard, nothing without a
// meter.
#include "platform/progress.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Recorder : ProgressMeter {
  std::vector<int64_t> done;
  void Show(const char*, int64_t d, int64_t total) override {
    EXPECT_LE(d, total);
    done.push_back(d);
  }
};

}  // namespace

TEST(Progress, WalksReportAboutTwoHundredTimesAndTheirEnd) {
  Recorder meter;
  ProgressMeter* previous = SetProgressMeter(&meter);
  for (const int64_t total : {int64_t{0}, int64_t{7}, int64_t{2500000}}) {
    meter.done.clear();
    {
      ProgressWalk walk("walking", total);
      for (int64_t k = 0; k < total; ++k) walk.Step();
    }
    if (total == 0) {
      EXPECT_TRUE(meter.done.empty());
      continue;
    }
    EXPECT_LE(meter.done.size(), 202u) << total;
    EXPECT_EQ(meter.done.back(), total);
  }
  {
    // A walk that steps past its count (a table that grew) still reports within its total.
    ProgressWalk walk("walking", 3);
    for (int k = 0; k < 10; ++k) walk.Step();
  }
  SetProgressMeter(previous);
  meter.done.clear();
  ProgressWalk unseen("walking", 10);
  for (int k = 0; k < 10; ++k) unseen.Step();
  EXPECT_TRUE(meter.done.empty());
}
