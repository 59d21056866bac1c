#include "frameserver/cli/progress.h"

#include <cmath>

namespace frameserve {
namespace {

constexpr auto kInterval = std::chrono::milliseconds(200);

std::string HoursMinutesSeconds(double seconds) {
  const auto s = static_cast<long long>(std::llround(seconds));
  char text[32];
  std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  return text;
}

}  // namespace

std::string FormatProgress(int done, int total, double elapsed_seconds) {
  const int percent = total > 0 ? static_cast<int>(int64_t{done} * 100 / total) : 100;
  char text[160];
  if (elapsed_seconds <= 0 || done <= 0) {
    std::snprintf(text, sizeof text, "frame %d of %d (%d%%)", done, total, percent);
    return text;
  }
  const double fps = done / elapsed_seconds;
  std::snprintf(text, sizeof text, "frame %d of %d (%d%%), %.1f fps, %s left", done, total, percent, fps,
                HoursMinutesSeconds((total - done) / fps).c_str());
  return text;
}

void ProgressLine::Update(int done, int total) {
  const Clock::time_point now = Clock::now();
  if (done < total && shown_length_ > 0 && now - last_shown_ < kInterval) return;
  last_shown_ = now;
  const std::string line = FormatProgress(done, total, std::chrono::duration<double>(now - started_).count());
  const size_t blank = shown_length_ > line.size() ? shown_length_ - line.size() : 0;
  std::fprintf(out_, "\r%s%*s", line.c_str(), static_cast<int>(blank), "");
  std::fflush(out_);
  shown_length_ = line.size();
}

ProgressLine::~ProgressLine() {
  if (shown_length_ > 0) std::fputc('\n', out_);
}

}  // namespace frameserve
