#include <gtest/gtest.h>

#include <vector>

#include "tests/frameserver/sources/sources_fixture.h"
#include "tests/support/scripted_clip.h"

namespace {

using test_support::ScriptedClip;
using test_support::SourcesTest;
using test_support::Video;
using test_support::WithAudio;

class AudioDubTest : public SourcesTest {};

TEST_F(AudioDubTest, PicturesOfTheFirstSoundOfTheSecond) {
  auto* video = new ScriptedClip(WithAudio(Video(16, 8, kPixelTypeYUY2, 10, 30000, 1001), 8000, 1));
  auto* audio = new ScriptedClip(WithAudio(Video(32, 16, kPixelTypeYV12, 99), 44100, 6, kSampleFloat, 12345));
  const PClip keep_video(video), keep_audio(audio);
  const PClip dub = CallClip("AudioDub", {{"", keep_video}, {"", keep_audio}});
  const VideoInfo& vi = dub->GetVideoInfo();
  EXPECT_EQ(vi.width, 16);
  EXPECT_EQ(vi.height, 8);
  EXPECT_EQ(vi.pixel_type, kPixelTypeYUY2);
  EXPECT_EQ(vi.num_frames, 10);
  EXPECT_EQ(vi.fps_numerator, 30000u);
  EXPECT_EQ(vi.fps_denominator, 1001u);
  EXPECT_EQ(vi.audio_samples_per_second, 44100);
  EXPECT_EQ(vi.nchannels, 6);
  EXPECT_EQ(vi.sample_type, kSampleFloat);
  EXPECT_EQ(vi.num_audio_samples, 12345);

  EXPECT_EQ(Bytes(dub->GetFrame(4, &env)), Bytes(video->GetFrame(4, &env)));
  EXPECT_EQ(video->frame_requests, (std::vector<int>{4, 4}));
  std::vector<float> buffer(6 * 3);
  dub->GetAudio(buffer.data(), -1, 3, &env);
  EXPECT_EQ(audio->audio_requests, (std::vector<test_support::AudioRequest>{{-1, 3}}));
  EXPECT_TRUE(video->audio_requests.empty());
  EXPECT_TRUE(audio->frame_requests.empty());
}

TEST_F(AudioDubTest, RefusesClipsWithoutTheirHalf) {
  const PClip silent(new ScriptedClip(Video(16, 8, kPixelTypeYV12)));
  const PClip sound_only(new ScriptedClip(WithAudio(Video(0, 0, kPixelTypeNone), 48000)));
  EXPECT_SCRIPT_ERROR(CallClip("AudioDub", {{"", silent}, {"", silent}}), "AudioDub: the second clip has no audio");
  EXPECT_SCRIPT_ERROR(CallClip("AudioDub", {{"", sound_only}, {"", sound_only}}), "AudioDub: the first clip has no video");
}

}  // namespace
