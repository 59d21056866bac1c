// A child clip for tests: pictures and audio are functions the test chooses, and every request is
// recorded, so tests can check what a filter asked for as well as what it made.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

#include "host/plugin_interface.h"

namespace test_support {

// A clip's properties in one call: video of w x h in the given format at fps_num/fps_den, n frames.
VideoInfo Video(int width, int height, int pixel_type, int num_frames = 100, unsigned fps_num = 25,
                unsigned fps_den = 1);
// The same with audio: rate samples per second, channels, sample type, and a length (by default the
// length of the video).
VideoInfo WithAudio(VideoInfo vi, int rate, int channels = 2, int sample_type = kSampleInt16,
                    int64_t samples = -1);

struct AudioRequest {
  int64_t start;
  int64_t count;
  bool operator==(const AudioRequest&) const = default;
};

class ScriptedClip : public IClip {
 public:
  explicit ScriptedClip(const VideoInfo& vi) : vi_(vi) {}

  // Byte of a plane (kPlaneY is the packed plane of YUY2) at byte column x, row y, of frame n.
  std::function<uint8_t(int plane, int x, int y, int n)> pixel = [](int plane, int x, int y, int n) {
    return static_cast<uint8_t>(x + 3 * y + 7 * static_cast<unsigned>(n) + 50 * plane);
  };
  // Value of channel c at sample position p, stored in the clip's sample type (little-endian, low
  // bytes of the value). By default a ramp: the value is the element's index in the stream.
  // (Computed modulo 2^64, so positions far outside the clip have one too.)
  std::function<int64_t(int64_t p, int c)> sample = [this](int64_t p, int c) {
    return static_cast<int64_t>(static_cast<uint64_t>(p) * static_cast<uint64_t>(vi_.nchannels) + static_cast<uint64_t>(c));
  };
  // Set to make the next requests fail, as a broken source would.
  bool fail_frames = false;
  bool fail_audio = false;

  std::vector<int> frame_requests;
  std::vector<AudioRequest> audio_requests;

  PVideoFrame GetFrame(int n, IScriptEnvironment* env) override;
  bool GetParity(int) override { return false; }
  void GetAudio(void* buf, int64_t start, int64_t count, IScriptEnvironment* env) override;
  void SetCacheHints(int, int) override {}
  const VideoInfo& GetVideoInfo() override { return vi_; }

 private:
  VideoInfo vi_;
};

// What a failing child throws.
struct ChildFailure : std::runtime_error {
  ChildFailure() : std::runtime_error("child failed") {}
};

}  // namespace test_support
