// CacheAudio with any clamps over a child of any rates, sample type and length, asked any sequence of
// requests: every answer is the child's audio inside the clip and silence outside it, and the child is
// asked only for whole blocks (start a multiple of the block length), once for each miss of a
// most-recently-used cache, and for nothing else.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <list>
#include <vector>

#include "frameserver/env/errors.h"
#include "tests/fuzz/fuzz_env.h"
#include "tests/support/scripted_clip.h"

namespace {

// Clips and answers larger than this are valid but only cost time: such inputs are skipped.
constexpr int64_t kMaxClipBytes = int64_t{1} << 18;
constexpr int64_t kMaxAnswerBytes = int64_t{1} << 14;

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "cacheaudio_fuzzer: %s\n", what);
    std::abort();
  }
}

// The byte b of channel c at position p, as the child plays it: distinct for nearby positions.
uint8_t ChildByte(int64_t p, int c, int b) {
  return static_cast<uint8_t>(static_cast<uint64_t>(p) * 7 + static_cast<uint64_t>(c) * 31 + static_cast<uint64_t>(b) * 101 + (p >> 8));
}

// The cache as its users see it, looked up one block at a time: the requests the child must get.
class CacheModel {
 public:
  // block_samples 0: every request goes to the child as the part inside the clip.
  CacheModel(int64_t block_samples, int64_t max_blocks) : block_(block_samples), max_blocks_(max_blocks) {}

  void Serve(int64_t first, int64_t count, std::vector<test_support::AudioRequest>& expected) {
    if (count <= 0) return;
    if (block_ == 0) {
      expected.push_back({first, count});
      return;
    }
    for (int64_t p = first; p < first + count;) {
      const int64_t key = p - p % block_;
      const auto found = std::find(blocks_.begin(), blocks_.end(), key);
      if (found != blocks_.end()) {
        blocks_.erase(found);
      } else {
        expected.push_back({key, block_});
        if (static_cast<int64_t>(blocks_.size()) == max_blocks_) blocks_.pop_back();
      }
      blocks_.push_front(key);
      p = key + block_;
    }
  }

 private:
  int64_t block_, max_blocks_;
  std::list<int64_t> blocks_;  // most recently used first
};

// The block geometry CacheAudio's clamps give: a clip of fewer frames than asked caps both sizes, and a
// block that holds no sample or more than 32-bit counts can is no block at all.
CacheModel ModelOf(const VideoInfo& vi, int max_frames, int block_frames) {
  const int m = std::min(std::max(max_frames < 0 ? vi.num_frames : max_frames, 1), vi.num_frames);
  const int b = std::min(std::max(block_frames < 0 ? m : block_frames, 1), m);
  const int64_t span = b >= 1 ? fuzz::ExactSpan(vi, b) : -1;
  if (span <= 0 || span > INT32_MAX) return CacheModel(0, 0);
  return CacheModel(span, m / b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider data(bytes, size);
  VideoInfo vi;
  fuzz::DrawAudio(data, vi);
  const int64_t position_bytes = fuzz::PositionBytes(vi);
  const int64_t span = fuzz::ExactSpan(vi, std::max(vi.num_frames, 0));
  if (position_bytes < 0 || position_bytes > 64 || span < 0 ||
      static_cast<__int128>(std::max(span, vi.num_audio_samples)) * position_bytes > kMaxClipBytes)
    return 0;
  const int beyond = vi.num_frames == INT32_MAX ? INT32_MAX : vi.num_frames + 1;
  const int max_frames = fuzz::DrawInt(data, -1, beyond);
  const int block_frames = fuzz::DrawInt(data, -1, beyond);

  frameserve::ScriptEnvironment env;
  fuzz::RegisterPlugin(env);
  auto* child = new test_support::ScriptedClip(vi);
  child->sample = [width = position_bytes / std::max(vi.nchannels, 1)](int64_t p, int c) -> int64_t {
    uint64_t value = 0;
    for (int b = 0; b < width; ++b) value |= uint64_t{ChildByte(p, c, b)} << (8 * b);
    return static_cast<int64_t>(value);
  };
  const PClip source(child);
  PClip cache;
  try {
    const std::vector<frameserve::Argument> args = {{"", source}, {"MaxFrame", max_frames}, {"BlockFrame", block_frames}};
    cache = env.Invoke("CacheAudio", args).AsClip();
  } catch (const frameserve::ScriptError&) {
    return 0;
  }
  Require(static_cast<bool>(cache), "CacheAudio made no clip");

  CacheModel model = ModelOf(vi, max_frames, block_frames);
  std::vector<test_support::AudioRequest> expected;
  const int64_t length = vi.num_audio_samples;
  const int64_t reach = std::clamp<int64_t>(length, 16, 1 << 20);
  const int8_t silence = vi.sample_type == kSampleInt8 ? int8_t(0x80) : 0;
  const int64_t max_count = position_bytes > 0 ? kMaxAnswerBytes / position_bytes : kMaxAnswerBytes;
  while (data.remaining_bytes() > 0) {
    const int64_t start = data.ConsumeBool() ? data.ConsumeIntegralInRange<int64_t>(-reach, 2 * reach)
                                             : data.ConsumeIntegral<int64_t>();
    const int64_t count = data.ConsumeIntegralInRange<int64_t>(-1, std::min(max_count, 3 * reach));
    std::vector<uint8_t> answer(static_cast<size_t>(std::max<int64_t>(count, 0) * position_bytes), 0x5A);
    cache->GetAudio(answer.data(), start, count, &env);

    for (int64_t i = 0; i < count; ++i) {
      const bool overflow = start > INT64_MAX - i;
      const int64_t p = overflow ? INT64_MAX : start + i;
      const bool inside = !overflow && p >= 0 && p < length;
      for (int64_t k = 0; k < position_bytes; ++k) {
        const int width = static_cast<int>(position_bytes / vi.nchannels);
        const uint8_t want = inside ? ChildByte(p, static_cast<int>(k / width), static_cast<int>(k % width)) : uint8_t(silence);
        Require(answer[static_cast<size_t>(i * position_bytes + k)] == want, "answer differs from the child's audio");
      }
    }
    // The part inside the clip, as CacheAudio splits it.
    const int64_t first = std::clamp<int64_t>(start, 0, std::max<int64_t>(length, 0));
    const int64_t end = count <= 0 ? first : start > INT64_MAX - count ? std::max<int64_t>(length, 0)
                                                                        : std::clamp<int64_t>(start + count, 0, std::max<int64_t>(length, 0));
    if (end > first && position_bytes > 0) model.Serve(first, end - first, expected);
  }
  Require(child->audio_requests == expected, "the child was asked other than for each miss");
  return 0;
}
