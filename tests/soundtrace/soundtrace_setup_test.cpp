// SoundTrace's construction, seen from a script: the output geometry, the clamps that show in it, and
// the clips it refuses.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/plugin_fixture.h"
#include "tests/support/scripted_clip.h"

namespace {

using frameserve::Argument;
using test_support::ScriptedClip;
using test_support::Video;
using test_support::WithAudio;

class SoundTraceSetup : public test_support::PluginTest {
 protected:
  PClip Clip(const VideoInfo& vi) { return new ScriptedClip(vi); }
  const VideoInfo& Made(const PClip& child, std::initializer_list<Argument> extra = {}) {
    std::vector<Argument> args{{"", child}};
    args.insert(args.end(), extra);
    made = env.Invoke("SoundTrace", args).AsClip();
    return made->GetVideoInfo();
  }
  PClip made;
};

TEST_F(SoundTraceSetup, DefaultsMakeAStripBelowThePicture) {
  const VideoInfo in = WithAudio(Video(720, 480, kPixelTypeYV12, 250, 30000, 1001), 48000, 6, kSampleFloat);
  const VideoInfo& out = Made(Clip(in));
  EXPECT_EQ(out.height, 560);
  // Everything but the height is the child's.
  EXPECT_EQ(out.width, in.width);
  EXPECT_EQ(out.num_frames, in.num_frames);
  EXPECT_EQ(out.fps_numerator, in.fps_numerator);
  EXPECT_EQ(out.fps_denominator, in.fps_denominator);
  EXPECT_EQ(out.pixel_type, in.pixel_type);
  EXPECT_EQ(out.audio_samples_per_second, in.audio_samples_per_second);
  EXPECT_EQ(out.sample_type, in.sample_type);
  EXPECT_EQ(out.nchannels, in.nchannels);
  EXPECT_EQ(out.num_audio_samples, in.num_audio_samples);
}

TEST_F(SoundTraceSetup, PanelHeightAndLayoutShowInTheOutputHeight) {
  struct Case {
    const char* name;
    int picture_height;
    std::vector<Argument> args;
    int output_height;
  };
  const std::vector<Case> cases = {
      {"height 9 means the default", 480, {{"height", 9}}, 560},
      {"height 0 means the default", 480, {{"height", 0}}, 560},
      {"height 10 is kept", 480, {{"height", 10}}, 490},
      {"height above the picture's", 480, {{"height", 1000}}, 960},
      {"an odd height is not rounded", 480, {{"height", 33}}, 513},
      {"a picture of 8 rows caps the panel", 8, {}, 16},
      {"top -7 selects the strip", 480, {{"top", -7}}, 560},
      {"top 0 lays the panel over the picture", 480, {{"top", 0}}, 480},
      {"top past the bottom stays over the picture", 480, {{"top", 450}}, 480},
      {"fill false does not stop the strip", 480, {{"fill", false}}, 560},
      {"overlay with every argument", 480, {{"frames", 50}, {"top", 3}, {"height", 11}, {"fill", false}, {"channel", 7}}, 480},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PClip child = Clip(WithAudio(Video(64, c.picture_height, kPixelTypeYUY2), 48000));
    std::vector<Argument> args{{"", child}};
    args.insert(args.end(), c.args.begin(), c.args.end());
    EXPECT_EQ(env.Invoke("SoundTrace", args).AsClip()->GetVideoInfo().height, c.output_height);
  }
}

TEST_F(SoundTraceSetup, AcceptsTheThreeFormatsAndRefusesOthers) {
  for (int format : {kPixelTypeYUY2, kPixelTypeYV12, kPixelTypeI420})
    EXPECT_EQ(Made(Clip(WithAudio(Video(32, 32, format), 8000))).height, 64);
  EXPECT_SCRIPT_ERROR(Made(Clip(WithAudio(Video(32, 32, kPixelTypeRGB32), 8000))), "SoundTrace : YUY2, YV12 only");
}

TEST_F(SoundTraceSetup, FormatIsCheckedBeforeAudio) {
  EXPECT_SCRIPT_ERROR(Made(Clip(Video(32, 32, kPixelTypeYV12))), "SoundTrace : clip has no audio");
  EXPECT_SCRIPT_ERROR(Made(Clip(Video(32, 32, kPixelTypeYUY2))), "SoundTrace : clip has no audio");
  EXPECT_SCRIPT_ERROR(Made(Clip(Video(32, 32, kPixelTypeRGB32))), "SoundTrace : YUY2, YV12 only");
}

TEST_F(SoundTraceSetup, RefusesClipsWithoutAUsableWindow) {
  struct Case {
    const char* name;
    VideoInfo vi;
    const char* error;
  };
  VideoInfo unknown_type = WithAudio(Video(32, 32, kPixelTypeYV12), 48000);
  unknown_type.sample_type = 3;
  VideoInfo huge_samples = WithAudio(Video(32, 32, kPixelTypeYV12, 10, 1, 10000), 48000);  // 50000 s
  VideoInfo huge_bytes = WithAudio(Video(32, 32, kPixelTypeYV12, 10, 1, 1000), 48000, 8, kSampleFloat);
  VideoInfo negative_rate = WithAudio(Video(32, 32, kPixelTypeYV12), -48000);
  const Case cases[] = {
      {"frame rate 0", WithAudio(Video(32, 32, kPixelTypeYV12, 10, 0, 1), 48000), "SoundTrace : clip has a frame rate of 0"},
      {"sample type 3", unknown_type, "SoundTrace : unsupported audio sample type 3"},
      {"window past 2^31 samples", huge_samples, "SoundTrace : audio window of 5 frames is too large"},
      {"window past 2^31 bytes", huge_bytes, "SoundTrace : audio window of 5 frames is too large"},
      {"negative sample rate", negative_rate, "SoundTrace : audio window of 5 frames is too large"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_SCRIPT_ERROR(Made(Clip(c.vi)), c.error);
  }
}

// A chain of strips doubles the height each time when each asks for the largest panel; the row count
// must not wrap (a script of 23 such calls on a 480-row clip reached 0 rows).
TEST_F(SoundTraceSetup, StripThatWouldPassTheLargestFrameIsRefused) {
  const PClip tall = Clip(WithAudio(Video(32, 1 << 30, kPixelTypeYV12), 48000));
  EXPECT_SCRIPT_ERROR(Made(tall, {{"height", INT32_MAX}}),
                      "SoundTrace : a strip below 1073741824 rows would make the picture too tall");
  EXPECT_EQ(Made(Clip(WithAudio(Video(32, (1 << 30) - 1, kPixelTypeYV12), 48000)), {{"height", INT32_MAX}}).height,
            INT32_MAX - 1);
}

TEST_F(SoundTraceSetup, FailedConstructionLeavesTheChildAsItWas) {
  auto* child = new ScriptedClip(Video(32, 32, kPixelTypeYV12));
  const PClip held(child);
  ASSERT_EQ(child->RefCount(), 1);
  EXPECT_SCRIPT_ERROR(Made(held), "SoundTrace : clip has no audio");
  EXPECT_EQ(child->RefCount(), 1);
}

TEST_F(SoundTraceSetup, FilterHoldsOneReferenceToItsChild) {
  auto* child = new ScriptedClip(WithAudio(Video(32, 32, kPixelTypeYV12), 8000));
  const PClip held(child);
  {
    const PClip filter = env.Invoke("SoundTrace", std::vector<Argument>{{"", held}}).AsClip();
    EXPECT_EQ(filter->RefCount(), 1);
    EXPECT_EQ(child->RefCount(), 2);
  }
  EXPECT_EQ(child->RefCount(), 1);
}

TEST_F(SoundTraceSetup, ArgumentsOfTheWrongTypeAreRefusedByName) {
  const PClip child = Clip(WithAudio(Video(32, 32, kPixelTypeYV12), 8000));
  EXPECT_SCRIPT_ERROR(Made(child, {{"frames", "two"}}), "SoundTrace: argument 'frames' must be an int, got a string");
  EXPECT_SCRIPT_ERROR(Made(child, {{"fill", 1}}), "SoundTrace: argument 'fill' must be a bool, got an int");
}

}  // namespace
