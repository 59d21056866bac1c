// SoundTrace's waveform: the audio of the window of frames around frame n, fetched in one request and
// plotted as one dot per column and channel, its row standing for the sample's level.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "host/audio_math.h"
#include "soundtrace/panel.h"
#include "soundtrace/soundtrace.h"

namespace {

constexpr uint8_t kWhite = 0xFF;

// Levels are on the scale of 8-bit audio: 0 the most negative, 128 the zero line, 255 the most
// positive. Every integer width shares the scale of 16-bit audio through its top 16 bits.
int Level16(int value) {
  // +32768 makes the value unsigned, +128 rounds to the nearest step of 256; the 128 highest values
  // would round to 256, one past the scale.
  return std::min((value + 32896) >> 8, 255);
}

// The signed 16 bits at p, little-endian.
int Signed16(const uint8_t* p) { return static_cast<int16_t>(static_cast<uint16_t>(p[0] | p[1] << 8)); }

int LevelInt8(const uint8_t* window, int64_t e) { return window[e]; }  // unsigned, 128 is silence
int LevelInt16(const uint8_t* window, int64_t e) { return Level16(Signed16(window + 2 * e)); }
int LevelInt24(const uint8_t* window, int64_t e) { return Level16(Signed16(window + 3 * e + 1)); }
int LevelInt32(const uint8_t* window, int64_t e) { return Level16(Signed16(window + 4 * e + 2)); }

int LevelFloat(const uint8_t* window, int64_t e) {
  float value;
  std::memcpy(&value, window + 4 * e, sizeof value);
  if (std::isnan(value)) return 128;
  // Full scale is +-1; 1.0 itself is one step past the highest 16-bit value. Truncated toward zero, as
  // integer conversions of audio are.
  const float scaled = std::clamp(value, -1.0f, 1.0f) * 32768.0f;
  return Level16(std::min(static_cast<int>(scaled), 32767));
}

}  // namespace

SoundTrace::SampleLevelFunc SoundTrace::SampleLevelFor(int sample_type) {
  switch (sample_type) {
    case kSampleInt8: return LevelInt8;
    case kSampleInt16: return LevelInt16;
    case kSampleInt24: return LevelInt24;
    case kSampleInt32: return LevelInt32;
    case kSampleFloat: return LevelFloat;
    default: return nullptr;  // such clips are refused before anything is drawn
  }
}

// The window starts at the first sample of frame n - frames, negative near the start of the clip. It
// is held in 64 bits: clips past 2^31 samples (12 hours at 48 kHz) start their windows beyond what 32
// bits hold.
void SoundTrace::FetchWindow(int n, IScriptEnvironment* env) {
  const int64_t window_start = FrameStartSample(vi, int64_t{n} - frames);
  GetAudio(window_buffer.get(), window_start, window_samples, env);
}

// Column x shows sample x * window_samples / width, exactly: no averaging, no peaks. Each channel
// drawn is one pass over the columns, all into the same panel.
void SoundTrace::PlotWindow(const Panel& panel) const {
  if (panel.height == 0 || window_samples == 0) return;
  const int first = channel < 0 ? 0 : channel;
  const int last = channel < 0 ? channel_count : channel + 1;
  for (int c = first; c < last; ++c)
    for (int x = 0; x < panel.width; ++x) {
      const int64_t sample = int64_t{x} * window_samples / panel.width;
      const int64_t level = sample_level(window_buffer.get(), sample * channel_count + c);
      // A level below 256 keeps the row inside the panel; the most negative levels are at the top.
      panel.Luma(x, static_cast<int>(level * panel.height >> 8)) = kWhite;
    }
}
