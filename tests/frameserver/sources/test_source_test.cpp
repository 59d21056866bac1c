#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/frameserver/sources/sources_fixture.h"

namespace {

using frameserve::Argument;
using test_support::SourcesTest;

class TestSourceTest : public SourcesTest {
 protected:
  PClip Make(std::initializer_list<Argument> args) { return CallClip("TestSource", args); }
};

int16_t S16(const std::vector<uint8_t>& bytes, size_t element) {
  int16_t v;
  std::memcpy(&v, bytes.data() + 2 * element, 2);
  return v;
}

TEST_F(TestSourceTest, PropertiesFollowTheArguments) {
  struct Case {
    const char* name;
    std::vector<Argument> args;
    VideoInfo expected;
  };
  VideoInfo defaults;
  defaults.width = 640, defaults.height = 480, defaults.pixel_type = kPixelTypeYV12;
  defaults.fps_numerator = 25, defaults.fps_denominator = 1, defaults.num_frames = 250;
  defaults.audio_samples_per_second = 48000, defaults.nchannels = 2, defaults.sample_type = kSampleInt16;
  defaults.num_audio_samples = 480000;
  VideoInfo ntsc = defaults;
  ntsc.width = 320, ntsc.height = 240, ntsc.pixel_type = kPixelTypeRGB32, ntsc.fps_numerator = 30000;
  ntsc.fps_denominator = 1001, ntsc.num_frames = 100, ntsc.audio_samples_per_second = 44100, ntsc.nchannels = 1;
  ntsc.sample_type = kSampleFloat, ntsc.num_audio_samples = 147147;  // 44100 x 100 x 1001 / 30000
  VideoInfo silent = defaults;
  silent.pixel_type = kPixelTypeYUY2, silent.audio_samples_per_second = 0, silent.nchannels = 0;
  silent.num_audio_samples = 0;
  VideoInfo eight = defaults;
  eight.pixel_type = kPixelTypeI420, eight.sample_type = kSampleInt8, eight.nchannels = 8;
  VideoInfo odd_length = defaults;  // the last sample of a frame that ends mid-sample is left out
  odd_length.audio_samples_per_second = 44100, odd_length.fps_numerator = 24, odd_length.num_frames = 7;
  odd_length.sample_type = kSampleInt24, odd_length.num_audio_samples = 12862;  // 44100 x 7 / 24 = 12862.5
  const std::vector<Case> cases = {
      {"defaults", {}, defaults},
      {"ntsc", {{"width", 320}, {"height", 240}, {"pixel_type", "rgb32"}, {"fps_numerator", 30000},
                {"fps_denominator", 1001}, {"frames", 100}, {"audio_rate", 44100}, {"channels", 1},
                {"sample_type", "float"}}, ntsc},
      {"no audio", {{"pixel_type", "YUY2"}, {"audio", false}}, silent},
      {"8 channels of 8 bits", {{"pixel_type", "I420"}, {"channels", 8}, {"sample_type", "8bit"}}, eight},
      {"24 bit", {{"fps_numerator", 24}, {"frames", 7}, {"audio_rate", 44100}, {"sample_type", "24bit"}}, odd_length},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PClip clip = env.Invoke("TestSource", c.args).AsClip();
    const VideoInfo& v = clip->GetVideoInfo();
    EXPECT_EQ(v.width, c.expected.width);
    EXPECT_EQ(v.height, c.expected.height);
    EXPECT_EQ(v.pixel_type, c.expected.pixel_type);
    EXPECT_EQ(v.fps_numerator, c.expected.fps_numerator);
    EXPECT_EQ(v.fps_denominator, c.expected.fps_denominator);
    EXPECT_EQ(v.num_frames, c.expected.num_frames);
    EXPECT_EQ(v.audio_samples_per_second, c.expected.audio_samples_per_second);
    EXPECT_EQ(v.nchannels, c.expected.nchannels);
    if (v.HasAudio()) {
      EXPECT_EQ(v.sample_type, c.expected.sample_type);
    }
    EXPECT_EQ(v.num_audio_samples, c.expected.num_audio_samples);
  }
}

TEST_F(TestSourceTest, BadArgumentsAreRefusedByName) {
  struct Case {
    std::vector<Argument> args;
    const char* error;
  };
  const std::vector<Case> cases = {
      {{{"width", 0}}, "TestSource: width and height must be positive, got 0x480"},
      {{{"height", -2}}, "TestSource: width and height must be positive, got 640x-2"},
      {{{"width", 641}}, "TestSource: YV12 needs an even width, got 641x480"},
      {{{"width", 33}, {"pixel_type", "YUY2"}}, "TestSource: YUY2 needs an even width, got 33x480"},
      {{{"height", 33}, {"pixel_type", "I420"}}, "TestSource: I420 needs an even height, got 640x33"},
      {{{"pixel_type", "NV12"}}, "TestSource: unknown pixel_type 'NV12' (YUY2, YV12, I420 or RGB32)"},
      {{{"width", 100000}, {"height", 100000}}, "TestSource: frame of 100000x100000 is too large"},
      {{{"fps_denominator", 0}}, "TestSource: fps_numerator and fps_denominator must be positive, got 25/0"},
      {{{"fps_numerator", -25}}, "TestSource: fps_numerator and fps_denominator must be positive, got -25/1"},
      {{{"frames", 0}}, "TestSource: frames must be at least 1, got 0"},
      {{{"audio_rate", 0}}, "TestSource: audio_rate must be positive, got 0"},
      {{{"channels", 9}}, "TestSource: channels must be 1 to 8, got 9"},
      {{{"channels", 0}}, "TestSource: channels must be 1 to 8, got 0"},
      {{{"sample_type", "12bit"}}, "TestSource: unknown sample_type '12bit' (8bit, 16bit, 24bit, 32bit or float)"},
      {{{"audio_rate", 2147483647}, {"fps_denominator", 2147483647}, {"frames", 2147483647}, {"fps_numerator", 1}},
       "TestSource: the audio of 2147483647 frames is too long"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    EXPECT_SCRIPT_ERROR(env.Invoke("TestSource", c.args), c.error);
  }
}

TEST_F(TestSourceTest, FramesAreDeterministicAndMove) {
  for (const char* type : {"YV12", "I420", "YUY2", "RGB32"}) {
    SCOPED_TRACE(type);
    const PClip a = Make({{"width", 160}, {"height", 120}, {"pixel_type", type}, {"frames", 10}});
    const PClip b = Make({{"width", 160}, {"height", 120}, {"pixel_type", type}, {"frames", 10}});
    const std::vector<uint8_t> first = Bytes(a->GetFrame(3, &env));
    EXPECT_EQ(first, Bytes(a->GetFrame(3, &env)));
    EXPECT_EQ(first, Bytes(b->GetFrame(3, &env)));
    EXPECT_NE(first, Bytes(a->GetFrame(4, &env)));
    // Outside the clip: its first and last frames.
    EXPECT_EQ(Bytes(a->GetFrame(-7, &env)), Bytes(a->GetFrame(0, &env)));
    EXPECT_EQ(Bytes(a->GetFrame(1 << 30, &env)), Bytes(a->GetFrame(9, &env)));
  }
}

// 70x60: bars fill rows 0-39 (10 columns each), the box band rows 40-59, the label the top 7 rows.
TEST_F(TestSourceTest, PixelsOfEachFormat) {
  const auto frame_of = [&](const char* type, int n) {
    return Make({{"width", 70}, {"height", 60}, {"pixel_type", type}})->GetFrame(n, &env);
  };
  // The yellow bar (columns 10-19) at row 20.
  const PVideoFrame yv12 = frame_of("YV12", 0);
  EXPECT_EQ(yv12->GetReadPtr()[20 * yv12->GetPitch() + 12], 162);
  EXPECT_EQ(yv12->GetReadPtr(kPlaneU)[10 * yv12->GetPitch(kPlaneU) + 6], 44);
  EXPECT_EQ(yv12->GetReadPtr(kPlaneV)[10 * yv12->GetPitch(kPlaneV) + 6], 142);
  const PVideoFrame yuy2 = frame_of("YUY2", 0);
  const uint8_t* pair = yuy2->GetReadPtr() + 20 * yuy2->GetPitch() + 12 * 2;
  EXPECT_EQ(std::vector<uint8_t>(pair, pair + 4), (std::vector<uint8_t>{162, 44, 162, 142}));
  const PVideoFrame rgb = frame_of("RGB32", 0);
  const uint8_t* pixel = rgb->GetReadPtr() + 20 * rgb->GetPitch() + 12 * 4;
  EXPECT_EQ(std::vector<uint8_t>(pixel, pixel + 4), (std::vector<uint8_t>{0, 191, 191, 255}));  // B G R A

  // The box: 20 pixels of white in the band, one pixel further right each frame.
  for (int n : {0, 1, 5}) {
    const PVideoFrame f = frame_of("YV12", n);
    const uint8_t* row = f->GetReadPtr() + 50 * f->GetPitch();
    const int first_white = static_cast<int>(std::find(row, row + 70, 235) - row);
    EXPECT_EQ(first_white, n);
    EXPECT_EQ(std::count(row, row + 70, 235), 20);
  }
  // The label of frame 0: a "0" whose top row is three white dots from (1, 1).
  const uint8_t* label = yv12->GetReadPtr() + 1 * yv12->GetPitch();
  EXPECT_EQ(std::vector<uint8_t>(label, label + 5), (std::vector<uint8_t>{16, 235, 235, 235, 16}));
}

TEST_F(TestSourceTest, AudioOutsideTheClipIsSilence) {
  const PClip clip = Make({{"frames", 2}, {"audio_rate", 1000}, {"channels", 2}});  // 80 samples
  const std::vector<uint8_t> inside = Audio(clip, 0, 80);
  const std::vector<uint8_t> around = Audio(clip, -10, 100);
  EXPECT_EQ(std::vector<uint8_t>(around.begin(), around.begin() + 40), std::vector<uint8_t>(40, 0));
  EXPECT_EQ(std::vector<uint8_t>(around.begin() + 40, around.begin() + 360), inside);
  EXPECT_EQ(std::vector<uint8_t>(around.begin() + 360, around.end()), std::vector<uint8_t>(40, 0));
  EXPECT_EQ(Audio(clip, 1000, 5), std::vector<uint8_t>(20, 0));
  EXPECT_EQ(Audio(clip, INT64_MAX - 2, 2), std::vector<uint8_t>(8, 0));

  const PClip eight = Make({{"frames", 2}, {"audio_rate", 1000}, {"sample_type", "8bit"}});
  EXPECT_EQ(Audio(eight, -3, 3), std::vector<uint8_t>(6, 0x80));
  EXPECT_EQ(Audio(eight, 80, 4), std::vector<uint8_t>(8, 0x80));
}

TEST_F(TestSourceTest, AudioDoesNotDependOnHowItIsRequested) {
  for (const char* type : {"8bit", "16bit", "24bit", "32bit", "float"}) {
    SCOPED_TRACE(type);
    const PClip clip = Make({{"frames", 50}, {"sample_type", type}, {"channels", 3}});
    const std::vector<uint8_t> whole = Audio(clip, 47000, 2000);
    std::vector<uint8_t> pieces = Audio(clip, 47000, 999);
    const std::vector<uint8_t> rest = Audio(clip, 47999, 1001);
    pieces.insert(pieces.end(), rest.begin(), rest.end());
    EXPECT_EQ(whole, pieces);
  }
}

TEST_F(TestSourceTest, SoundSweepsAndClicksOncePerSecond) {
  const PClip clip = Make({{"frames", 50}, {"channels", 2}});  // 48000 Hz, 1920 samples a frame
  const auto peak = [&](int frame, int channel) {
    const std::vector<uint8_t> a = Audio(clip, frame * 1920, 1920);
    int peak = 0;
    for (size_t i = 96; i < a.size() / 2; i += 2) peak = std::max(peak, std::abs(int{S16(a, i + channel)}));
    return peak;  // past the click
  };
  EXPECT_LT(peak(1, 0), peak(2, 0));
  EXPECT_LT(peak(2, 0), peak(24, 0));
  EXPECT_LT(peak(24, 1), peak(24, 0));  // the second channel is a little quieter
  // The click: full scale up, then down, at the start of each second.
  for (int64_t second : {0, 1}) {
    const std::vector<uint8_t> click = Audio(clip, second * 48000, 96);
    EXPECT_EQ(S16(click, 0), 32767);
    EXPECT_EQ(S16(click, 2 * 47), 32767);
    EXPECT_EQ(S16(click, 2 * 48), -32767);
  }
}

TEST_F(TestSourceTest, ClipWithoutAudioWritesNothing) {
  const PClip clip = Make({{"audio", false}});
  EXPECT_TRUE(Audio(clip, 0, 100).empty());
}

}  // namespace
