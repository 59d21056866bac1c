#include "tests/cacheaudio/cache_fixture.h"

#include <algorithm>

#include "host/audio_math.h"

namespace test_support {

namespace {

constexpr uint8_t kUnwritten = 0xA5;
constexpr int64_t kGuardBytes = 64;

}  // namespace

void CacheAudioTest::Make(const VideoInfo& vi, const std::vector<frameserve::Argument>& args) {
  cache = PClip();
  child = new ScriptedClip(vi);
  held_child = child;
  std::vector<frameserve::Argument> all{{"", held_child}};
  all.insert(all.end(), args.begin(), args.end());
  cache = env.Invoke("CacheAudio", all).AsClip();
}

int CacheAudioTest::SampleBytes() const {
  const VideoInfo& vi = child->GetVideoInfo();
  return SampleWidth(vi.sample_type) * vi.nchannels;
}

std::vector<uint8_t> CacheAudioTest::Read(int64_t start, int64_t count) {
  const int64_t bytes = std::max<int64_t>(count, 0) * SampleBytes();
  std::vector<uint8_t> buffer(static_cast<size_t>(bytes + kGuardBytes), kUnwritten);
  cache->GetAudio(buffer.data(), start, count, &env);
  const bool guard_intact =
      std::all_of(buffer.begin() + bytes, buffer.end(), [](uint8_t b) { return b == kUnwritten; });
  EXPECT_TRUE(guard_intact) << "written past " << count << " samples from " << start;
  buffer.resize(static_cast<size_t>(bytes));
  return buffer;
}

std::vector<uint8_t> CacheAudioTest::Expected(int64_t start, int64_t count) const {
  const VideoInfo& vi = child->GetVideoInfo();
  const int width = SampleWidth(vi.sample_type);
  const uint8_t silence = vi.sample_type == kSampleInt8 ? 0x80 : 0;
  std::vector<uint8_t> bytes;
  for (int64_t p = start; p < start + count; ++p)
    for (int c = 0; c < vi.nchannels; ++c) {
      const bool inside = p >= 0 && p < vi.num_audio_samples;
      const auto value = static_cast<uint64_t>(child->sample(p, c));
      for (int b = 0; b < width; ++b) bytes.push_back(inside ? static_cast<uint8_t>(value >> (8 * b)) : silence);
    }
  return bytes;
}

std::vector<AudioRequest> CacheAudioTest::TakeRequests() {
  std::vector<AudioRequest> taken;
  taken.swap(child->audio_requests);
  return taken;
}

}  // namespace test_support
