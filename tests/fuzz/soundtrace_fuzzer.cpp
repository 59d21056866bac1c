// SoundTrace over a child whose geometry, formats, rates and audio come from the input, with any
// arguments and frame numbers: every frame is made with the clip's geometry, or a script error says
// why not. The host allocates each frame at its exact size, so a byte written outside a frame (or
// outside the window's buffer) is an AddressSanitizer report.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "frameserver/env/errors.h"
#include "frameserver/frames/frame_pool.h"
#include "tests/fuzz/fuzz_env.h"
#include "tests/support/scripted_clip.h"

namespace {

constexpr int kMaxSide = 256;
constexpr int64_t kMaxWindowBytes = int64_t{1} << 20;
constexpr int64_t kMaxWindowSamples = int64_t{1} << 18;
constexpr int kMaxChannels = 64;

int DrawPixelType(FuzzedDataProvider& data) {
  static constexpr int kTypes[] = {kPixelTypeYV12, kPixelTypeYUY2, kPixelTypeI420, kPixelTypeRGB32, kPixelTypeNone};
  return data.ConsumeBool() ? data.PickValueInArray(kTypes) : data.ConsumeIntegral<int>();
}

// Clips SoundTrace refuses cost nothing; of the others, those whose window is large, or that have more
// channels than any real clip, only cost time to fetch and plot.
bool WindowIsCheap(const VideoInfo& vi, int window_frames) {
  const int64_t span = fuzz::ExactSpan(vi, window_frames);
  const int64_t bytes = fuzz::PositionBytes(vi);
  if (span < 0 || bytes < 0 || span > INT32_MAX || static_cast<__int128>(span) * bytes > INT32_MAX) return true;
  return span <= kMaxWindowSamples && span * bytes <= kMaxWindowBytes && vi.nchannels <= kMaxChannels;
}

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "soundtrace_fuzzer: %s\n", what);
    std::abort();
  }
}

void CheckFrame(const PVideoFrame& frame, const VideoInfo& vi) {
  Require(static_cast<bool>(frame), "no frame");
  // The host's layout is the measure: a pixel type of stray bits may read as several formats at once.
  const frameserve::FrameLayout layout = frameserve::LayoutFor(vi, 16);
  Require(frame->GetRowSize() == layout.row_size && frame->GetHeight() == vi.height, "frame of the wrong size");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider data(bytes, size);
  VideoInfo vi;
  vi.width = data.ConsumeIntegralInRange(0, kMaxSide);
  vi.height = data.ConsumeIntegralInRange(0, kMaxSide);
  vi.pixel_type = DrawPixelType(data);
  fuzz::DrawAudio(data, vi);
  const int frames = fuzz::DrawInt(data, -1, 11);
  if (!WindowIsCheap(vi, 2 * std::clamp(frames, 0, 10) + 1)) return 0;
  const int top = fuzz::DrawInt(data, -2, kMaxSide + 2);
  const int height = fuzz::DrawInt(data, -1, 2 * kMaxSide);
  const bool fill = data.ConsumeBool();
  const int channel = fuzz::DrawInt(data, -2, 9);
  std::vector<int> numbers(data.ConsumeIntegralInRange(1, 6));
  const int last = vi.num_frames > INT32_MAX - 3 ? INT32_MAX : vi.num_frames + 3;
  for (int& n : numbers) n = fuzz::DrawInt(data, -3, last);
  const std::string audio = data.ConsumeRemainingBytesAsString();

  frameserve::ScriptEnvironment env;
  fuzz::RegisterPlugin(env);
  auto* child = new test_support::ScriptedClip(vi);
  // The input's bytes, repeated, are the child's sound: every position and channel reads its own bytes.
  child->sample = [&audio, channels = vi.nchannels](int64_t p, int c) -> int64_t {
    if (audio.empty()) return p + c;
    const auto at = static_cast<uint64_t>(p) * 8 * static_cast<uint64_t>(channels) + 8 * static_cast<uint64_t>(c);
    uint64_t value = 0;
    for (int b = 0; b < 8; ++b) value |= uint64_t{static_cast<uint8_t>(audio[(at + b) % audio.size()])} << (8 * b);
    return static_cast<int64_t>(value);
  };
  const PClip source(child);

  PClip trace;
  try {
    const std::vector<frameserve::Argument> args = {
        {"", source}, {"frames", frames}, {"top", top}, {"height", height}, {"fill", fill}, {"channel", channel}};
    trace = env.Invoke("SoundTrace", args).AsClip();
  } catch (const frameserve::ScriptError&) {
    return 0;
  }
  Require(static_cast<bool>(trace), "SoundTrace made no clip");
  const VideoInfo out = trace->GetVideoInfo();
  for (int n : numbers) {
    try {
      CheckFrame(trace->GetFrame(n, &env), out);
    } catch (const frameserve::ScriptError&) {
    }
  }
  return 0;
}
