#include "cli/progress_bar.h"

#include <algorithm>

namespace {

constexpr int kBarWidth = 30;
constexpr auto kQuietStart = std::chrono::milliseconds(500);

}  // namespace

std::string ProgressBarLine(const char* task, int64_t done, int64_t total) {
  const double share = total > 0 ? std::clamp(double(done) / double(total), 0.0, 1.0) : 1.0;
  const int filled = static_cast<int>(share * kBarWidth);
  char percent[8];
  std::snprintf(percent, sizeof percent, "%3d%%", static_cast<int>(share * 100));
  return std::string(task) + " [" + std::string(size_t(filled), '#') +
         std::string(size_t(kBarWidth - filled), '.') + "] " + percent;
}

void TerminalProgress::Show(const char* task, int64_t done, int64_t total) {
  if (*quiet_) return;
  const auto now = std::chrono::steady_clock::now();
  if (task != task_) {  // a new walk: its clock starts at its first report
    task_ = task;
    start_ = now;
  }
  const bool finished = done >= total;
  if (!drawn_ && (finished || now - start_ < kQuietStart)) return;
  const std::string line = ProgressBarLine(task, done, total);
  if (finished) {
    // Wipe the bar, so that the command's own output starts on a clean line.
    std::fprintf(out_, "\r%*s\r", static_cast<int>(line.size()), "");
    drawn_ = false;
    task_ = nullptr;
  } else {
    std::fprintf(out_, "\r%s", line.c_str());
    drawn_ = true;
  }
  std::fflush(out_);
}
