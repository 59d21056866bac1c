#include "tests/fuzz/fuzz_env.h"

#include <utility>

#include "host/audio_math.h"
#include "host/plugin_export.h"

PLUGIN_EXPORT const char* PLUGIN_CC AvisynthPluginInit2(IScriptEnvironment* env);

namespace fuzz {

void RegisterPlugin(frameserve::ScriptEnvironment& env) { AvisynthPluginInit2(&env); }

int DrawInt(FuzzedDataProvider& data, int low, int high) {
  if (low > high) std::swap(low, high);
  switch (data.ConsumeIntegralInRange(0, 7)) {
    case 0: return low;
    case 1: return high;
    case 2: return 0;
    case 3: return -1;
    case 4: return data.ConsumeIntegral<int>();
    default: return data.ConsumeIntegralInRange(low, high);
  }
}

void DrawAudio(FuzzedDataProvider& data, VideoInfo& vi) {
  static constexpr unsigned kRates[] = {25, 30000, 24, 1, 0, 60, 4294967295u};
  static constexpr unsigned kScales[] = {1, 1001, 1, 0, 7, 4294967295u};
  vi.fps_numerator = data.ConsumeBool() ? data.PickValueInArray(kRates) : data.ConsumeIntegral<unsigned>();
  vi.fps_denominator = data.ConsumeBool() ? data.PickValueInArray(kScales) : data.ConsumeIntegral<unsigned>();
  static constexpr int kSampleRates[] = {48000, 44100, 8000, 1, 0, -1, 96000, 2147483647};
  vi.audio_samples_per_second = data.ConsumeBool() ? data.PickValueInArray(kSampleRates) : DrawInt(data, -10, 200000);
  static constexpr int kSampleTypes[] = {kSampleInt8, kSampleInt16, kSampleInt24, kSampleInt32, kSampleFloat, 0, 3};
  vi.sample_type = data.ConsumeBool() ? data.PickValueInArray(kSampleTypes) : data.ConsumeIntegral<int>();
  vi.nchannels = DrawInt(data, 0, 8);
  vi.num_frames = DrawInt(data, 0, 1000);
  const int64_t natural = ExactSpan(vi, vi.num_frames);
  vi.num_audio_samples = data.ConsumeBool() && natural >= 0 ? natural : data.ConsumeIntegralInRange<int64_t>(-10, 1 << 20);
}

int64_t PositionBytes(const VideoInfo& vi) {
  const int width = SampleWidth(vi.sample_type);
  if (width == 0 || vi.nchannels < 0) return -1;
  return int64_t{width} * vi.nchannels;
}

int64_t ExactSpan(const VideoInfo& vi, int64_t frames) {
  if (vi.fps_numerator == 0 || vi.audio_samples_per_second < 0 || frames < 0) return -1;
  const auto product = static_cast<unsigned __int128>(vi.audio_samples_per_second) * vi.fps_denominator * frames;
  const auto span = product / vi.fps_numerator;
  return span > static_cast<unsigned __int128>(INT64_MAX) ? INT64_MAX : static_cast<int64_t>(span);
}

}  // namespace fuzz
