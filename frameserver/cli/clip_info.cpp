#include "frameserver/cli/clip_info.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

namespace frameserve {
namespace {

// "0:01:02.500" for 62.5 seconds.
std::string Duration(double seconds) {
  const auto ms = static_cast<int64_t>(std::llround(seconds * 1000));
  char text[64];
  std::snprintf(text, sizeof text, "%" PRId64 ":%02d:%02d.%03d", ms / 3600000, static_cast<int>(ms / 60000 % 60),
                static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000));
  return text;
}

std::string SampleTypeName(int sample_type) {
  switch (sample_type) {
    case kSampleInt8: return "8-bit unsigned";
    case kSampleInt16: return "16-bit signed";
    case kSampleInt24: return "24-bit signed";
    case kSampleInt32: return "32-bit signed";
    case kSampleFloat: return "32-bit float";
    default: return "unknown";
  }
}

std::string FrameRate(const VideoInfo& vi) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f fps", static_cast<double>(vi.fps_numerator) / vi.fps_denominator);
  return text;
}

}  // namespace

std::string PixelTypeName(const VideoInfo& vi) {
  if (!vi.HasVideo()) return "";
  switch (vi.pixel_type) {
    case kPixelTypeYUY2: return "YUY2";
    case kPixelTypeYV12: return "YV12";
    case kPixelTypeI420: return "I420";
    case kPixelTypeRGB32: return "RGB32";
    default: return "unknown";
  }
}

std::string InfoJson(const VideoInfo& vi) {
  char text[512];
  std::snprintf(text, sizeof text,
                "{\"width\": %d, \"height\": %d, \"fps_numerator\": %u, \"fps_denominator\": %u, \"num_frames\": %d, "
                "\"pixel_type\": \"%s\", \"audio_samples_per_second\": %d, \"sample_type\": %d, \"nchannels\": %d, "
                "\"num_audio_samples\": %" PRId64 "}\n",
                vi.width, vi.height, vi.fps_numerator, vi.fps_denominator, vi.num_frames, PixelTypeName(vi).c_str(),
                vi.audio_samples_per_second, vi.sample_type, vi.nchannels, vi.num_audio_samples);
  return text;
}

std::string InfoText(const VideoInfo& vi) {
  const bool has_rate = vi.fps_numerator != 0 && vi.fps_denominator != 0;
  const std::string pixel_type = PixelTypeName(vi);
  const std::vector<std::pair<std::string, std::string>> lines = {
      {"width", std::to_string(vi.width)},
      {"height", std::to_string(vi.height)},
      {"fps_numerator", std::to_string(vi.fps_numerator)},
      {"fps_denominator", std::to_string(vi.fps_denominator) + (has_rate ? " (" + FrameRate(vi) + ")" : "")},
      {"num_frames", std::to_string(vi.num_frames) +
                         (has_rate ? " (" + Duration(double(vi.num_frames) * vi.fps_denominator / vi.fps_numerator) + ")" : "")},
      {"pixel_type", pixel_type.empty() ? "(no video)" : pixel_type},
      {"audio_samples_per_second", vi.HasAudio() ? std::to_string(vi.audio_samples_per_second) : "0 (no audio)"},
      {"sample_type", std::to_string(vi.sample_type) + " (" + SampleTypeName(vi.sample_type) + ")"},
      {"nchannels", std::to_string(vi.nchannels)},
      {"num_audio_samples", std::to_string(vi.num_audio_samples) +
                                (vi.audio_samples_per_second > 0
                                     ? " (" + Duration(double(vi.num_audio_samples) / vi.audio_samples_per_second) + ")"
                                     : "")},
  };
  std::string text;
  for (const auto& [name, value] : lines) text += name + ":" + std::string(25 - name.size(), ' ') + value + "\n";
  return text;
}

}  // namespace frameserve
