// TestSource's sound. Each second starts with a click (a short full-scale pulse up, then down), then a
// tone sweeps from 220 Hz to 880 Hz while it swells from quiet to loud, so the waveform of every frame
// differs from its neighbours' and the click marks the first frame of each second. Channel c lags
// channel 0 by c/16 of a cycle and is 6% quieter per step.
#pragma once

#include <cstdint>

namespace frameserve {

class TestTone {
 public:
  // sample_type is one of the SampleType codes.
  TestTone(int rate, int channels, int sample_type);

  // Writes count interleaved samples from position start >= 0 on.
  void Write(uint8_t* out, int64_t start, int64_t count) const { write_(*this, out, start, count); }

 private:
  template <typename Store>
  static void WriteAs(const TestTone& tone, uint8_t* out, int64_t start, int64_t count);

  int rate_;
  int channels_;
  int click_samples_;  // 2 ms
  void (*write_)(const TestTone&, uint8_t*, int64_t, int64_t);
};

}  // namespace frameserve
