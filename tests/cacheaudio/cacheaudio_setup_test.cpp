// CacheAudio's construction, seen from a script: the clamps of the cache's size and block length (as
// the child's requests show them), the clips it refuses, and what passes through unchanged.
#include <gtest/gtest.h>

#include <vector>

#include "tests/cacheaudio/cache_fixture.h"

namespace {

using frameserve::Argument;
using test_support::AudioRequest;
using test_support::ScriptedClip;
using test_support::Video;
using test_support::WithAudio;

// 100 Hz at 25 fps: 4 samples per frame, so blocks are small enough to walk.
VideoInfo SmallClip(int frames) { return WithAudio(Video(16, 16, kPixelTypeYV12, frames), 100, 1); }

class CacheAudioSetup : public test_support::CacheAudioTest {
 protected:
  // The length of the block the child is asked for first.
  int64_t BlockSamples() {
    TakeRequests();
    Read(0, 1);
    const std::vector<AudioRequest> requests = TakeRequests();
    EXPECT_EQ(requests.size(), 1u);
    return requests.empty() ? 0 : requests[0].count;
  }

  // Touches every block of the clip in order, then again in reverse: a cache of C blocks holds the
  // last C, so the reverse walk hits C times before its first miss.
  int CachedBlocks(int64_t block_samples) {
    const int64_t clip_blocks = (child->GetVideoInfo().num_audio_samples + block_samples - 1) / block_samples;
    for (int64_t k = 0; k < clip_blocks; ++k) Read(k * block_samples, 1);
    TakeRequests();
    int hits = 0;
    for (int64_t k = clip_blocks - 1; k >= 0 && child->audio_requests.empty(); --k) {
      Read(k * block_samples, 1);
      if (child->audio_requests.empty()) ++hits;
    }
    return hits;
  }
};

TEST_F(CacheAudioSetup, ClampsCacheSizeAndBlockLength) {
  struct Case {
    const char* name;
    int clip_frames;
    std::vector<Argument> args;
    int64_t block_samples;
    int max_blocks;
  };
  const std::vector<Case> cases = {
      {"defaults", 1050, {}, 400, 10},
      {"both negative: one block of the whole clip", 1050, {{"MaxFrame", -1}, {"BlockFrame", -1}}, 4200, 1},
      {"a remainder of MaxFrame is left out", 1050, {{"MaxFrame", 250}, {"BlockFrame", 100}}, 400, 2},
      {"both 0 raise to one frame", 1050, {{"MaxFrame", 0}, {"BlockFrame", 0}}, 4, 1},
      {"a block longer than the cache is capped", 1050, {{"MaxFrame", 200}, {"BlockFrame", 300}}, 800, 1},
      {"a negative block is the whole cache", 1050, {{"MaxFrame", 250}, {"BlockFrame", -5}}, 1000, 1},
      {"a cache longer than the clip is capped", 1050, {{"MaxFrame", 5000}, {"BlockFrame", 100}}, 400, 10},
      {"a clip shorter than the default cache", 500, {}, 400, 5},
      {"small blocks", 1050, {{"MaxFrame", 7}, {"BlockFrame", 2}}, 8, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Make(SmallClip(c.clip_frames), c.args);
    const int64_t block_samples = BlockSamples();
    EXPECT_EQ(block_samples, c.block_samples);
    EXPECT_EQ(CachedBlocks(block_samples), c.max_blocks);
  }
}

TEST_F(CacheAudioSetup, BlockLengthTruncatesAPartSample) {
  const VideoInfo ntsc = WithAudio(Video(16, 16, kPixelTypeYV12, 100, 30000, 1001), 48000);
  Make(ntsc, {{"BlockFrame", 1}});
  EXPECT_EQ(BlockSamples(), 1601);  // 1601.6
  Make(ntsc, {{"BlockFrame", 3}});
  EXPECT_EQ(BlockSamples(), 4804);  // 4804.8
}

TEST_F(CacheAudioSetup, ClipsWithoutWholeSampleBlocksAreServedUncached) {
  struct Case {
    const char* name;
    VideoInfo vi;
    std::vector<Argument> args;
  };
  const Case cases[] = {
      {"no frames", WithAudio(Video(16, 16, kPixelTypeYV12, 0), 100, 2, kSampleInt16, 12), {}},
      {"a block shorter than a sample", WithAudio(Video(16, 16, kPixelTypeYV12, 10), 10, 2, kSampleInt16, 12),
       {{"MaxFrame", 1}}},
      {"a negative sample rate", WithAudio(Video(16, 16, kPixelTypeYV12, 10), -100, 2, kSampleInt16, 12), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Make(c.vi, c.args);
    for (int pass = 0; pass < 2; ++pass) {
      EXPECT_EQ(Read(-5, 20), Expected(-5, 20));
      EXPECT_EQ(TakeRequests(), (std::vector<AudioRequest>{{0, 12}}));
    }
    EXPECT_EQ(Read(3, 4), Expected(3, 4));
    EXPECT_EQ(TakeRequests(), (std::vector<AudioRequest>{{3, 4}}));
  }
}

TEST_F(CacheAudioSetup, RefusesUnusableClipsAudioFirst) {
  struct Case {
    const char* name;
    VideoInfo vi;
    const char* error;
  };
  VideoInfo silent_and_broken = Video(16, 16, kPixelTypeYV12, 10, 0, 1);
  silent_and_broken.sample_type = 3;
  VideoInfo unknown_type = SmallClip(10);
  unknown_type.sample_type = 3;
  VideoInfo negative_channels = SmallClip(10);
  negative_channels.nchannels = -1;
  const Case cases[] = {
      {"no audio", Video(16, 16, kPixelTypeYV12), "CacheAudio : clip has no audio"},
      {"no audio before anything else", silent_and_broken, "CacheAudio : clip has no audio"},
      {"frame rate 0", WithAudio(Video(16, 16, kPixelTypeYV12, 10, 0, 1), 100), "CacheAudio : clip has a frame rate of 0"},
      {"sample type 3", unknown_type, "CacheAudio : unsupported audio sample type 3"},
      {"negative channels", negative_channels, "CacheAudio : unsupported audio channel count -1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PClip held(new ScriptedClip(c.vi));
    EXPECT_SCRIPT_ERROR(env.Invoke("CacheAudio", std::vector<Argument>{{"", held}, {"MaxFrame", -1}}), c.error);
    EXPECT_EQ(held->RefCount(), 1);
  }
}

TEST_F(CacheAudioSetup, HoldsOneReferenceToItsChild) {
  Make(SmallClip(10));
  EXPECT_EQ(cache->RefCount(), 1);
  EXPECT_EQ(child->RefCount(), 2);
  Read(0, 40);  // filled blocks are freed with the cache
  cache = PClip();
  EXPECT_EQ(child->RefCount(), 1);
}

TEST_F(CacheAudioSetup, VideoAndPropertiesPassThrough) {
  const VideoInfo in = WithAudio(Video(64, 48, kPixelTypeYUY2, 250, 30000, 1001), 44100, 6, kSampleInt24, 12345);
  Make(in, {{"MaxFrame", 10}, {"BlockFrame", 3}});
  const VideoInfo& out = cache->GetVideoInfo();
  EXPECT_EQ(out.width, in.width);
  EXPECT_EQ(out.height, in.height);
  EXPECT_EQ(out.fps_numerator, in.fps_numerator);
  EXPECT_EQ(out.fps_denominator, in.fps_denominator);
  EXPECT_EQ(out.num_frames, in.num_frames);
  EXPECT_EQ(out.pixel_type, in.pixel_type);
  EXPECT_EQ(out.audio_samples_per_second, in.audio_samples_per_second);
  EXPECT_EQ(out.sample_type, in.sample_type);
  EXPECT_EQ(out.num_audio_samples, in.num_audio_samples);
  EXPECT_EQ(out.nchannels, in.nchannels);

  const PVideoFrame frame = cache->GetFrame(7, &env);
  EXPECT_EQ(child->frame_requests, std::vector<int>{7});
  EXPECT_EQ(frame->GetReadPtr()[5], child->pixel(kPlaneY, 5, 0, 7));
  EXPECT_TRUE(child->audio_requests.empty());
}

}  // namespace
