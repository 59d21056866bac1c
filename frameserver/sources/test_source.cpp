// TestSource: a synthetic clip, the same bytes on every run, for demos, tests and benchmarks.
#include <strings.h>

#include <algorithm>
#include <string>

#include "frameserver/env/errors.h"
#include "frameserver/frames/frame_pool.h"
#include "frameserver/sources/audio_span.h"
#include "frameserver/sources/source_functions.h"
#include "frameserver/sources/test_pattern.h"
#include "frameserver/sources/test_tone.h"

namespace frameserve {
namespace {

constexpr int kMaxChannels = 8;

class TestSource final : public IClip {
 public:
  explicit TestSource(const VideoInfo& vi)
      : vi_(vi), pattern_(vi), tone_(vi.audio_samples_per_second, vi.nchannels, vi.sample_type) {}

  PVideoFrame GetFrame(int n, IScriptEnvironment* env) override {
    PVideoFrame frame = env->NewVideoFrame(vi_);
    pattern_.Draw(*frame.get(), std::clamp(n, 0, vi_.num_frames - 1));
    return frame;
  }
  bool GetParity(int) override { return false; }
  void GetAudio(void* buf, int64_t start, int64_t count, IScriptEnvironment*) override {
    if (!vi_.HasAudio()) return;
    ServeAudio(buf, start, count, 0, vi_.num_audio_samples, vi_,
               [&](uint8_t* out, int64_t from, int64_t n) { tone_.Write(out, from, n); });
  }
  void SetCacheHints(int, int) override {}
  const VideoInfo& GetVideoInfo() override { return vi_; }

 private:
  VideoInfo vi_;
  TestPattern pattern_;
  TestTone tone_;
};

[[noreturn]] void Fail(const std::string& what) { throw ScriptError("TestSource: " + what); }

int SampleTypeByName(const char* name) {
  static constexpr struct {
    const char* name;
    int code;
  } kNames[] = {{"8bit", kSampleInt8},   {"16bit", kSampleInt16}, {"24bit", kSampleInt24},
                {"32bit", kSampleInt32}, {"float", kSampleFloat}};
  for (const auto& entry : kNames)
    if (strcasecmp(name, entry.name) == 0) return entry.code;
  return 0;
}

void CheckPicture(const VideoInfo& vi, const char* pixel_type) {
  if (vi.pixel_type == kPixelTypeNone)
    Fail(std::string("unknown pixel_type '") + pixel_type + "' (YUY2, YV12, I420 or RGB32)");
  const std::string size = std::to_string(vi.width) + "x" + std::to_string(vi.height);
  if (vi.width <= 0 || vi.height <= 0) Fail("width and height must be positive, got " + size);
  // Chroma is shared by two columns (and two rows in 4:2:0): an odd size would leave a pixel without it.
  if ((vi.IsYUY2() || vi.IsPlanar()) && vi.width % 2) Fail(std::string(pixel_type) + " needs an even width, got " + size);
  if (vi.IsPlanar() && vi.height % 2) Fail(std::string(pixel_type) + " needs an even height, got " + size);
  try {
    LayoutFor(vi, 16);
  } catch (const Error& error) {
    Fail(error.what());
  }
}

void CheckAudio(int rate, int channels, const char* sample_type, int code) {
  if (code == 0) Fail(std::string("unknown sample_type '") + sample_type + "' (8bit, 16bit, 24bit, 32bit or float)");
  if (rate < 1) Fail("audio_rate must be positive, got " + std::to_string(rate));
  if (channels < 1 || channels > kMaxChannels)
    Fail("channels must be 1 to " + std::to_string(kMaxChannels) + ", got " + std::to_string(channels));
}

// The samples that cover every frame: rate x frames x denominator / numerator, exactly.
int64_t AudioLength(const VideoInfo& vi) {
  uint64_t product;
  if (__builtin_mul_overflow(static_cast<uint64_t>(vi.audio_samples_per_second) * vi.fps_denominator,
                             static_cast<uint64_t>(vi.num_frames), &product) ||
      product / vi.fps_numerator > static_cast<uint64_t>(INT64_MAX))
    Fail("the audio of " + std::to_string(vi.num_frames) + " frames is too long");
  return static_cast<int64_t>(product / vi.fps_numerator);
}

}  // namespace

AVSValue CreateTestSource(AVSValue args, void*, IScriptEnvironment*) {
  const char* pixel_type = args[2].AsString("YV12");
  const int fps_numerator = args[3].AsInt(25), fps_denominator = args[4].AsInt(1);
  const int rate = args[6].AsInt(48000), channels = args[7].AsInt(2);
  const char* sample_type = args[8].AsString("16bit");
  const bool audio = args[9].AsBool(true);

  VideoInfo vi;
  vi.width = args[0].AsInt(640);
  vi.height = args[1].AsInt(480);
  vi.pixel_type = PixelTypeByName(pixel_type);
  CheckPicture(vi, pixel_type);
  if (fps_numerator <= 0 || fps_denominator <= 0)
    Fail("fps_numerator and fps_denominator must be positive, got " + std::to_string(fps_numerator) + "/" +
         std::to_string(fps_denominator));
  vi.fps_numerator = static_cast<unsigned>(fps_numerator);
  vi.fps_denominator = static_cast<unsigned>(fps_denominator);
  vi.num_frames = args[5].AsInt(250);
  if (vi.num_frames < 1) Fail("frames must be at least 1, got " + std::to_string(vi.num_frames));

  const int code = SampleTypeByName(sample_type);
  CheckAudio(rate, channels, sample_type, code);
  if (audio) {
    vi.audio_samples_per_second = rate;
    vi.nchannels = channels;
    vi.sample_type = code;
    vi.num_audio_samples = AudioLength(vi);
  }
  return new TestSource(vi);
}

}  // namespace frameserve
