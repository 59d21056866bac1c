// Audio arithmetic both filters share: sample widths and the samples a span of frames covers.
#pragma once

#include <cstdint>

#include "host/plugin_interface.h"

// Bytes of one channel sample; 0 for a sample type this interface does not know.
constexpr int SampleWidth(int sample_type) {
  switch (sample_type) {
    case kSampleInt8: return 1;
    case kSampleInt16: return 2;
    case kSampleInt24: return 3;
    case kSampleInt32: return 4;
    case kSampleFloat: return 4;
    default: return 0;
  }
}

// rate x denominator x frames / numerator, truncated toward zero. With a frame number in place of a
// count this is the first sample of that frame (negative before frame 0). Split into whole samples per
// frame and the remainder, it stays exact wherever the result fits 64 bits, where one 64-bit product
// of all three would overflow for hours-long clips at unusual frame rates. frame lies within
// +-2^31 (a frame number or count), and fps_numerator is not 0.
inline int64_t FrameStartSample(const VideoInfo& vi, int64_t frame) {
  const int64_t per_frame = int64_t{vi.audio_samples_per_second} * vi.fps_denominator;  // below 2^63
  const int64_t numerator = vi.fps_numerator;
  const int64_t whole = per_frame / numerator, remainder = per_frame % numerator;  // |remainder| < 2^32
  // Both terms share the sign of the result, so truncating the second truncates the sum.
  const auto whole_part = static_cast<int64_t>(static_cast<uint64_t>(whole) * static_cast<uint64_t>(frame));
  return whole_part + remainder * frame / numerator;
}

// The same span held, as sample counts inside the filters are, in 32 bits (its low 32 bits).
inline int32_t FrameSpanSamples(const VideoInfo& vi, int32_t frames) {
  return static_cast<int32_t>(FrameStartSample(vi, frames));
}

// The exact span of frames (at most 2^32) when it is a sample count of 0 to INT32_MAX, else -1.
// Filters use it to refuse clips whose spans would not fit their 32-bit counts.
inline int64_t CheckedFrameSpan(const VideoInfo& vi, int64_t frames) {
  if (vi.audio_samples_per_second < 0 || vi.fps_numerator == 0 || frames < 0 || frames > (int64_t{1} << 32))
    return -1;
  // rate < 2^31 and denominator < 2^32: their product fits 63 bits; the frame count must keep it in 64.
  const uint64_t per_frame = static_cast<uint64_t>(vi.audio_samples_per_second) * vi.fps_denominator;
  if (frames != 0 && per_frame > UINT64_MAX / static_cast<uint64_t>(frames)) return -1;
  const uint64_t span = per_frame * static_cast<uint64_t>(frames) / vi.fps_numerator;
  return span <= INT32_MAX ? static_cast<int64_t>(span) : -1;
}
