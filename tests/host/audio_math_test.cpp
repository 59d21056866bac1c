#include "host/audio_math.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "tests/support/scripted_clip.h"

namespace {

using test_support::Video;
using test_support::WithAudio;

TEST(SampleWidth, ByType) {
  EXPECT_EQ(SampleWidth(kSampleInt8), 1);
  EXPECT_EQ(SampleWidth(kSampleInt16), 2);
  EXPECT_EQ(SampleWidth(kSampleInt24), 3);
  EXPECT_EQ(SampleWidth(kSampleInt32), 4);
  EXPECT_EQ(SampleWidth(kSampleFloat), 4);
  EXPECT_EQ(SampleWidth(3), 0);
  EXPECT_EQ(SampleWidth(0), 0);
}

TEST(FrameSpanSamples, TruncatesTowardZero) {
  struct Case {
    int rate;
    unsigned num, den;
    int frames;
    int32_t samples;
  };
  const Case cases[] = {
      {300, 25, 1, 5, 60},      {100, 30, 1, 5, 16},    {100, 60, 2, 5, 16},       {100, 30, 1, 1, 3},
      {100, 30, 1, -1, -3},     {250, 25, 1, -3, -30},  {48000, 30000, 1001, 1, 1601},
      {48000, 25, 1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rate << " Hz at " << c.num << "/" << c.den << ", " << c.frames);
    const VideoInfo vi = WithAudio(Video(16, 16, kPixelTypeYV12, 10, c.num, c.den), c.rate);
    EXPECT_EQ(FrameSpanSamples(vi, c.frames), c.samples);
  }
}

TEST(FrameStartSample, KeepsPositionsPast32Bits) {
  const VideoInfo vi = WithAudio(Video(16, 16, kPixelTypeYV12, 10, 25, 1), 48000);
  EXPECT_EQ(FrameStartSample(vi, 2'000'000), int64_t{3'840'000'000});
  EXPECT_EQ(FrameStartSample(vi, -2'000'001), int64_t{-3'840'001'920});
  // One frame per second written as 2^31/2^31: rate x denominator x frame passes 2^63, the result does not.
  VideoInfo large_terms = vi;
  large_terms.fps_numerator = large_terms.fps_denominator = 0x80000000u;
  EXPECT_EQ(FrameStartSample(large_terms, int64_t{1} << 20), int64_t{48000} << 20);
  EXPECT_EQ(FrameStartSample(large_terms, -(int64_t{1} << 20)), -(int64_t{48000} << 20));
}

TEST(CheckedFrameSpan, RefusesSpansPast32Bits) {
  VideoInfo vi = WithAudio(Video(16, 16, kPixelTypeYV12, 10, 1, 1), 48000);
  EXPECT_EQ(CheckedFrameSpan(vi, 21), 21 * 48000);
  vi.fps_denominator = 0xFFFFFFFFu;  // a frame lasts 136 years
  EXPECT_EQ(CheckedFrameSpan(vi, 1), -1);
  vi.fps_denominator = 1;
  vi.audio_samples_per_second = INT32_MAX;
  EXPECT_EQ(CheckedFrameSpan(vi, 1), INT32_MAX);
  EXPECT_EQ(CheckedFrameSpan(vi, 2), -1);
  vi.fps_numerator = 0;
  EXPECT_EQ(CheckedFrameSpan(vi, 1), -1);
}

}  // namespace
