// The progress line of a render on stderr: rewritten in place, at most a few times a second.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

namespace frameserve {

// "frame 120 of 250 (48%), 310.5 fps, 0:00:01 left" after elapsed seconds.
std::string FormatProgress(int done, int total, double elapsed_seconds);

class ProgressLine {
 public:
  explicit ProgressLine(std::FILE* out) : out_(out), started_(Clock::now()) {}
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;
  ~ProgressLine();  // ends the line, so what follows starts on a line of its own

  void Update(int done, int total);

 private:
  using Clock = std::chrono::steady_clock;
  std::FILE* out_;
  Clock::time_point started_;
  Clock::time_point last_shown_;
  size_t shown_length_ = 0;  // of the line on screen, so a shorter one can blank its tail
};

}  // namespace frameserve
