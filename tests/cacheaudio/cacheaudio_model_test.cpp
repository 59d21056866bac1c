// CacheAudio against a model that looks up every position of a request on its own: over long runs of
// random requests (some of them failing in the child) the cache must ask the child exactly what the
// model asks, in the same order, and serve the child's audio byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <list>
#include <random>
#include <vector>

#include "tests/cacheaudio/cache_fixture.h"

namespace {

using test_support::AudioRequest;
using test_support::ChildFailure;
using test_support::Video;
using test_support::WithAudio;

// The block list as keys, most recently used first; a block whose fill failed holds kEmpty and is
// the first to be refilled.
class PerPositionModel {
 public:
  static constexpr int64_t kEmpty = -1;

  PerPositionModel(int64_t block_samples, size_t max_blocks, int64_t clip_samples)
      : block_samples_(block_samples), max_blocks_(max_blocks), clip_samples_(clip_samples) {}

  // False when the child failed on a fill; the request ends there.
  bool Serve(int64_t start, int64_t count, bool child_fails) {
    for (int64_t p = start; p < start + count; ++p)
      if (p >= 0 && p < clip_samples_ && !Fetch(p, child_fails)) return false;
    return true;
  }

  const std::vector<AudioRequest>& ChildRequests() const { return child_requests_; }

 private:
  bool Fetch(int64_t p, bool child_fails) {
    const int64_t key = p / block_samples_ * block_samples_;
    const auto found = std::find(blocks_.begin(), blocks_.end(), key);
    if (found != blocks_.end()) {
      blocks_.splice(blocks_.begin(), blocks_, found);
      return true;
    }
    if (blocks_.size() == max_blocks_) blocks_.pop_back();
    child_requests_.push_back({key, block_samples_});
    if (child_fails) {
      blocks_.push_back(kEmpty);
      return false;
    }
    blocks_.push_front(key);
    return true;
  }

  int64_t block_samples_;
  size_t max_blocks_;
  int64_t clip_samples_;
  std::list<int64_t> blocks_;
  std::vector<AudioRequest> child_requests_;
};

struct Config {
  const char* name;
  VideoInfo vi;
  int max_frame, block_frame;
  int64_t block_samples;  // what those make of the clip
  size_t max_blocks;
  int64_t first, last;  // range of request starts
};

constexpr int64_t kPast32Bits = int64_t{1} << 32;

// 100 Hz at 25 fps: 4 samples per frame. The clip's 118 samples end inside a block.
VideoInfo Short(int channels, int sample_type) {
  return WithAudio(Video(16, 16, kPixelTypeYV12, 30), 100, channels, sample_type, 118);
}

const Config kConfigs[] = {
    {"16-bit stereo, 3 blocks of 20", Short(2, kSampleInt16), 15, 5, 20, 3, -50, 170},
    {"8-bit mono, 1 block of 20", Short(1, kSampleInt8), 5, 5, 20, 1, -50, 170},
    {"32-bit 3 channels, 4 blocks of 28", Short(3, kSampleInt32), 1000, 7, 28, 4, -50, 170},
    {"24-bit 6 channels, 4 blocks of 1601.6 samples",
     WithAudio(Video(16, 16, kPixelTypeYV12, 20, 30000, 1001), 48000, 6, kSampleInt24), 4, 1, 1601, 4, -3000, 35000},
    {"float mono around 2^32", WithAudio(Video(16, 16, kPixelTypeYV12, 2'000'000), 100, 1, kSampleFloat, 5'000'000'000),
     8, 2, 8, 4, kPast32Bits - 40, kPast32Bits + 40},
    {"float mono at the end of 5e9 samples",
     WithAudio(Video(16, 16, kPixelTypeYV12, 2'000'000), 100, 1, kSampleFloat, 5'000'000'003), 8, 2, 8, 4,
     5'000'000'003 - 40, 5'000'000'003 + 20},
};

class CacheAudioModel : public test_support::CacheAudioTest {};

TEST_F(CacheAudioModel, RandomRequestsMatchPerPositionLookups) {
  constexpr int kRequests = 3000;
  for (const Config& config : kConfigs) {
    SCOPED_TRACE(config.name);
    Make(config.vi, {{"MaxFrame", config.max_frame}, {"BlockFrame", config.block_frame}});
    PerPositionModel model(config.block_samples, config.max_blocks, config.vi.num_audio_samples);

    std::mt19937_64 random(20240611);
    std::uniform_int_distribution<int64_t> start_of(config.first, config.last);
    std::uniform_int_distribution<int64_t> count_of(-2, 3 * config.block_samples);
    std::bernoulli_distribution child_fails(0.05);
    for (int i = 0; i < kRequests; ++i) {
      const int64_t start = start_of(random);
      const int64_t count = count_of(random);
      child->fail_audio = child_fails(random);
      SCOPED_TRACE(testing::Message() << "request " << i << ": " << count << " samples from " << start
                                      << (child->fail_audio ? ", child failing" : ""));
      if (model.Serve(start, count, child->fail_audio)) {
        ASSERT_EQ(Read(start, count), Expected(start, count));
      } else {
        ASSERT_THROW(Read(start, count), ChildFailure);
      }
      ASSERT_EQ(child->audio_requests, model.ChildRequests());
    }
  }
}

}  // namespace
