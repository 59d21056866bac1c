// CacheAudio's serving, case by case: which blocks the child is asked for, in which order, and the
// bytes served (always the child's audio, silence outside the clip).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/cacheaudio/cache_fixture.h"

namespace {

using test_support::AudioRequest;
using test_support::ChildFailure;
using test_support::Video;
using test_support::WithAudio;

class CacheAudioServe : public test_support::CacheAudioTest {
 protected:
  // Reads and checks the bytes; returns the child's requests it caused.
  std::vector<AudioRequest> Serve(int64_t start, int64_t count) {
    EXPECT_EQ(Read(start, count), Expected(start, count)) << count << " samples from " << start;
    return TakeRequests();
  }
  static std::vector<AudioRequest> Blocks(const std::vector<int64_t>& keys, int64_t block_samples) {
    std::vector<AudioRequest> requests;
    for (int64_t key : keys) requests.push_back({key, block_samples});
    return requests;
  }
};

// 4 samples per frame; blocks of 5 frames (K = 20 samples), two of them; the last block of the clip's
// 118 samples reaches past its end.
constexpr int64_t K = 20;
const VideoInfo kClip = WithAudio(Video(16, 16, kPixelTypeYV12, 30), 100, 2, kSampleInt16, 118);

TEST_F(CacheAudioServe, AsksForWholeBlocksMostRecentlyUsedFirst) {
  struct Step {
    int64_t start, count;
    std::vector<int64_t> asked;  // keys of the blocks the child is asked for, in order
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"a count of 0 or below asks nothing", {{5, 0, {}}, {5, -3, {}}, {-100, -1, {}}}},
      {"requests wholly outside the clip ask nothing and keep the order",
       {{0, 1, {0}}, {K, 1, {K}}, {-30, 30, {}}, {118, 10, {}}, {1000, 5, {}}, {2 * K, 1, {2 * K}}, {K, 1, {}}}},
      {"from -10 for 20: silence, then block 0", {{-10, 20, {0}}}},
      {"across the clip's end", {{110, 15, {5 * K}}}},
      {"across a block boundary the lower block loads first",
       {{K - 2, 4, {0, K}}, {2 * K, 1, {2 * K}}, {K, 1, {}}}},
      {"the same request twice asks once", {{15, 10, {0, K}}, {15, 10, {}}}},
      {"0, K, 0, 2K refills the block that held K",
       {{3, 2, {0}}, {K + 5, 2, {K}}, {0, 1, {}}, {2 * K + 5, 1, {2 * K}}, {10, 1, {}}, {K, 1, {K}}}},
      {"a request over more blocks than the cache holds",
       {{-3, 130, {0, K, 2 * K, 3 * K, 4 * K, 5 * K}}, {5 * K, 1, {}}, {4 * K, 1, {}}, {3 * K, 1, {3 * K}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Make(kClip, {{"MaxFrame", 10}, {"BlockFrame", 5}});
    for (const Step& step : c.steps) {
      SCOPED_TRACE(testing::Message() << step.count << " samples from " << step.start);
      EXPECT_EQ(Serve(step.start, step.count), Blocks(step.asked, K));
    }
  }
}

TEST_F(CacheAudioServe, SilenceOfEightBitAudioIsItsMidpoint) {
  Make(WithAudio(Video(16, 16, kPixelTypeYV12, 10), 100, 1, kSampleInt8));  // 40 samples
  EXPECT_EQ(Read(-2, 4), (std::vector<uint8_t>{0x80, 0x80, 0, 1}));
  EXPECT_EQ(Read(38, 4), (std::vector<uint8_t>{38, 39, 0x80, 0x80}));
  Make(WithAudio(Video(16, 16, kPixelTypeYV12, 10), 100, 1, kSampleInt16));
  EXPECT_EQ(Read(-1, 2), (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST_F(CacheAudioServe, ServesPositionsPast32Bits) {
  // 27.7 hours at 48 kHz: 4.8e9 samples; blocks of 100 frames hold 192000.
  const VideoInfo long_clip = WithAudio(Video(16, 16, kPixelTypeYV12, 2'500'000), 48000, 2);
  Make(long_clip);
  constexpr int64_t kBlock = 192000;
  const int64_t last_key = (long_clip.num_audio_samples - 1) / kBlock * kBlock;
  struct Case {
    int64_t start, count;
    std::vector<int64_t> asked;
  };
  const Case cases[] = {
      {INT32_MAX - 2, 5, {INT32_MAX / kBlock * kBlock}},
      {(int64_t{1} << 32) - 3, 6, {(int64_t{1} << 32) / kBlock * kBlock}},
      {long_clip.num_audio_samples - 2, 4, {last_key}},
      {(int64_t{1} << 40), 3, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.count << " samples from " << c.start);
    EXPECT_EQ(Serve(c.start, c.count), Blocks(c.asked, kBlock));
  }
}

// Requests the fuzzer found faults with: one wholly before the clip from near INT64_MIN (the clip's
// length minus its first position overflowed), and a clip without channels, whose requests have no
// bytes at all and may come without a buffer (a zero-length memset through a null pointer).
TEST_F(CacheAudioServe, RequestsAtTheEdgesOfTheirTypes) {
  Make(kClip);
  struct Case {
    int64_t start, count;
  };
  for (const Case& c : {Case{-9223372036854772220, 3}, Case{INT64_MIN, 1}, Case{INT64_MIN + 5, 5}, Case{-3, 3}}) {
    SCOPED_TRACE(testing::Message() << c.count << " samples from " << c.start);
    EXPECT_EQ(Serve(c.start, c.count), std::vector<AudioRequest>{});
  }
  Make(WithAudio(Video(16, 16, kPixelTypeYV12, 30), 100, 0));
  for (const Case& c : {Case{-10, 20}, Case{0, 100}, Case{INT64_MIN, 7}}) cache->GetAudio(nullptr, c.start, c.count, &env);
  EXPECT_EQ(TakeRequests(), std::vector<AudioRequest>{});
}

TEST_F(CacheAudioServe, BlockWhoseFillFailedIsNeverServedAndIsRefilledFirst) {
  // Full cache of [K, 0]: the back block is taken for 2K, fails, and is the next one refilled, so 0
  // and K survive the failure.
  Make(kClip, {{"MaxFrame", 10}, {"BlockFrame", 5}});
  Serve(0, 1);
  Serve(K, 1);
  child->fail_audio = true;
  EXPECT_THROW(Read(2 * K, 1), ChildFailure);
  EXPECT_EQ(TakeRequests(), Blocks({2 * K}, K));
  child->fail_audio = false;
  EXPECT_EQ(Serve(2 * K, 1), Blocks({2 * K}, K));
  EXPECT_EQ(Serve(K, 1), Blocks({}, K));

  // Cache not yet full: the new block fails, and still counts towards the three the cache may hold.
  Make(kClip, {{"MaxFrame", 15}, {"BlockFrame", 5}});
  Serve(0, 1);
  Serve(K, 1);
  child->fail_audio = true;
  EXPECT_THROW(Read(2 * K, 1), ChildFailure);
  TakeRequests();
  child->fail_audio = false;
  EXPECT_EQ(Serve(2 * K, 1), Blocks({2 * K}, K));
  EXPECT_EQ(Serve(0, 2 * K), Blocks({}, K));
}

}  // namespace
