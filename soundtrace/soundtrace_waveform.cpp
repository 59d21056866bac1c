// SoundTrace's waveform: the audio of the window of frames around the current one, one dot per column.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "host/audio_math.h"
#include "soundtrace/panel.h"
#include "soundtrace/soundtrace.h"

namespace {

// A level is an amplitude on the scale of 8-bit audio: 0 most negative, 128 the zero line, 255 the
// most positive. Every sample type maps onto it through the 16-bit rule, so all share one scale.

// +32768 makes the value unsigned, +128 rounds to the nearest step of 256; the 128 highest values
// would round to 256, one past the scale, and are held at 255 so their dots stay in the panel.
uint8_t Level16(int16_t v) { return static_cast<uint8_t>(std::min((v + 32896) >> 8, 255)); }

int16_t Int16At(const uint8_t* p) { return static_cast<int16_t>(p[0] | p[1] << 8); }

uint8_t LevelOf8(const uint8_t* e) { return e[0]; }
uint8_t LevelOf16(const uint8_t* e) { return Level16(Int16At(e)); }
uint8_t LevelOf24(const uint8_t* e) { return Level16(Int16At(e + 1)); }  // its top 16 bits
uint8_t LevelOf32(const uint8_t* e) { return Level16(Int16At(e + 2)); }
uint8_t LevelOfFloat(const uint8_t* e) {
  float f;
  std::memcpy(&f, e, sizeof f);
  if (std::isnan(f)) return Level16(0);
  const float scaled = std::clamp(f, -1.0f, 1.0f) * 32768.0f;
  return Level16(static_cast<int16_t>(std::clamp(scaled, -32768.0f, 32767.0f)));
}

// Column x shows sample floor(x * samples / width). The quotient is stepped by whole and remainder
// parts rather than divided per column; the product would need 64 bits for long windows anyway.
template <uint8_t (*Level)(const uint8_t*)>
void PlotDots(const LumaPanel& panel, const uint8_t* window, int32_t samples, int element_bytes, int channel_count,
              int first_channel, int channels) {
  if (samples <= 0 || panel.width <= 0 || panel.height <= 0) return;
  const int32_t whole = samples / panel.width, remainder = samples % panel.width;
  const size_t sample_bytes = static_cast<size_t>(element_bytes) * channel_count;
  int32_t index = 0, carry = 0;
  for (int x = 0; x < panel.width; ++x) {
    const uint8_t* sample = window + index * sample_bytes + static_cast<size_t>(first_channel) * element_bytes;
    for (int c = 0; c < channels; ++c, sample += element_bytes)
      panel.At(x, (Level(sample) * panel.height) >> 8) = 0xFF;
    index += whole;
    carry += remainder;
    if (carry >= panel.width) {
      carry -= panel.width;
      ++index;
    }
  }
}

}  // namespace

SoundTrace::PlotFunction SoundTrace::PlotFor(int sample_type) {
  switch (sample_type) {
    case kSampleInt8: return PlotDots<LevelOf8>;
    case kSampleInt16: return PlotDots<LevelOf16>;
    case kSampleInt24: return PlotDots<LevelOf24>;
    case kSampleInt32: return PlotDots<LevelOf32>;
    case kSampleFloat: return PlotDots<LevelOfFloat>;
    default: return nullptr;
  }
}

void SoundTrace::FetchWindow(int n, IScriptEnvironment* env) {
  // Kept in 64 bits: the window of a clip past 2^31 samples (12 hours at 48 kHz) starts past 32 bits.
  // Near the start the window begins before sample 0; the child answers that part with silence.
  const int64_t window_start = FrameStartSample(vi, int64_t{n} - frames);
  GetAudio(window_buffer.get(), window_start, window_samples, env);
}

void SoundTrace::PlotWaveform(const LumaPanel& panel) const {
  const int first = channel == -1 ? 0 : channel;
  const int channels = channel == -1 ? channel_count : 1;
  plot(panel, window_buffer.get(), window_samples, SampleWidth(vi.sample_type), channel_count, first, channels);
}
