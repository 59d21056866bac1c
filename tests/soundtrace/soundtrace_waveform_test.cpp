// SoundTrace's waveform: the audio request of each frame's window, the sample each column shows, the
// level of every sample type and the row it lands on, and the channels drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "tests/soundtrace/draw_fixture.h"

namespace {

using frameserve::Argument;
using test_support::AudioRequest;
using test_support::FramePixels;
using test_support::Video;
using test_support::WithAudio;

constexpr int kFormats[] = {kPixelTypeYUY2, kPixelTypeYV12, kPixelTypeI420};

// A float sample as the child stores it: its bits.
int64_t FloatBits(float value) { return std::bit_cast<uint32_t>(value); }

// The white rows of a panel over the whole picture, with no ticks: its borders and the dots.
std::vector<int> BordersAnd(std::vector<int> dots, int panel_height) {
  dots.push_back(0);
  dots.push_back(panel_height - 1);
  std::sort(dots.begin(), dots.end());
  dots.erase(std::unique(dots.begin(), dots.end()), dots.end());
  return dots;
}

class SoundTraceWaveform : public soundtrace_test::DrawTest {};

TEST_F(SoundTraceWaveform, RequestsTheWindowAroundTheFrameOnce) {
  struct Case {
    const char* name;
    int rate;
    unsigned fps_num, fps_den;
    int frames;
    int n;
    AudioRequest request;
  };
  const Case cases[] = {
      {"frame 0 with 3 frames each side starts before the clip", 250, 25, 1, 3, 0, {-30, 70}},
      {"first frame -1: -3.33 truncates toward zero", 100, 30, 1, 2, 1, {-3, 16}},
      {"60/2 fps is 30/1", 100, 60, 2, 2, 10, {26, 16}},
      {"frames 0: the frame alone", 250, 25, 1, 0, 5, {50, 10}},
      {"300 Hz at 25 fps, 5 frames: 60 samples", 300, 25, 1, 2, 10, {96, 60}},
      {"frames -3: one frame", 250, 25, 1, -3, 5, {50, 10}},
      {"frames 50: 21 frames", 250, 25, 1, 50, 20, {100, 210}},
      {"past 2^31 samples: 22 hours in", 48000, 25, 1, 2, 2000000, {int64_t{1999998} * 1920, 9600}},
      {"the lowest frame number", 48000, 25, 1, 2, INT_MIN, {(int64_t{INT_MIN} - 2) * 1920, 9600}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto& source = Child(WithAudio(Video(16, 16, kPixelTypeYV12, 100, c.fps_num, c.fps_den), c.rate));
    Draw({{"frames", c.frames}}, c.n);
    EXPECT_EQ(source.frame_requests, std::vector<int>{c.n});
    EXPECT_EQ(source.audio_requests, std::vector<AudioRequest>{c.request});
  }
}

// 8-bit audio on a panel of 256 rows puts a sample's value on its row; each sample's value tells its
// place in the window, kept clear of the border and tick rows.
TEST_F(SoundTraceWaveform, EachColumnShowsTheSampleOfTheExactQuotient) {
  struct Case {
    const char* name;
    int rate;
    unsigned fps_num;
    int frames;
    std::vector<std::pair<int, int>> column_sample;
  };
  const Case cases[] = {
      {"900 samples on 720 columns", 4500, 25, 2, {{0, 0}, {1, 1}, {360, 450}, {719, 898}}},
      {"320 samples on 720 columns", 1600, 25, 2, {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {719, 319}}},
      {"4,032,000 samples: 719 x the window passes 2^31", 192000, 1, 10, {{1, 5600}, {360, 2016000}, {719, 4026400}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto& source = Child(WithAudio(Video(720, 256, kPixelTypeYV12, 100, c.fps_num), c.rate, 1, kSampleInt8));
    source.sample = [](int64_t p, int) { return 4 + p % 248; };
    // Frame `frames` starts its window at sample 0.
    const FramePixels out = Draw({{"frames", c.frames}, {"top", 0}, {"height", 256}}, c.frames);
    for (const auto& [x, sample] : c.column_sample) {
      SCOPED_TRACE("column " + std::to_string(x));
      EXPECT_EQ(WhiteRows(out, x, 0, 256), BordersAnd({4 + sample % 248}, 256));
    }
  }
}

// Every sample of the window has the same value, so every column has its dot on the same row.
TEST_F(SoundTraceWaveform, LevelOfEachSampleTypeSetsTheRow) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    const char* name;
    int sample_type;
    int64_t value;
    int panel_height;
    int row;
  };
  const Case cases[] = {
      // A panel of 512 rows puts level L on row 2L, and level 255 on a row of its own, clear of the border.
      {"8-bit 0", kSampleInt8, 0, 512, 0},
      {"8-bit 1", kSampleInt8, 1, 512, 2},
      {"8-bit 128 is the zero line", kSampleInt8, 128, 512, 256},
      {"8-bit 255", kSampleInt8, 255, 512, 510},
      {"16-bit lowest", kSampleInt16, -32768, 512, 0},
      {"16-bit -32641, last of level 0", kSampleInt16, -32641, 512, 0},
      {"16-bit -32640, first of level 1", kSampleInt16, -32640, 512, 2},
      {"16-bit -129", kSampleInt16, -129, 512, 254},
      {"16-bit -128 rounds to the zero line", kSampleInt16, -128, 512, 256},
      {"16-bit 127 rounds to the zero line", kSampleInt16, 127, 512, 256},
      {"16-bit 128", kSampleInt16, 128, 512, 258},
      {"16-bit 32639, last of level 255", kSampleInt16, 32639, 512, 510},
      {"16-bit 32640 clamps to 255", kSampleInt16, 32640, 512, 510},
      {"16-bit highest clamps to 255", kSampleInt16, 32767, 512, 510},
      // Wider integers go by their top 16 bits.
      {"24-bit lowest", kSampleInt24, -0x800000, 512, 0},
      {"24-bit 0xFF: the low byte does not count", kSampleInt24, 0xFF, 512, 256},
      {"24-bit -1", kSampleInt24, -1, 512, 256},
      {"24-bit 0x8000 is 16-bit 128", kSampleInt24, 0x8000, 512, 258},
      {"24-bit 0x7F8000 clamps", kSampleInt24, 0x7F8000, 512, 510},
      {"32-bit lowest", kSampleInt32, INT32_MIN, 512, 0},
      {"32-bit 0x80FFFF is 16-bit 128", kSampleInt32, 0x80FFFF, 512, 258},
      {"32-bit -129 x 65536", kSampleInt32, -129 * 65536, 512, 254},
      {"32-bit highest", kSampleInt32, INT32_MAX, 512, 510},
      // Floats at full scale +-1, x 32768.
      {"float 0", kSampleFloat, FloatBits(0.0f), 512, 256},
      {"float -1", kSampleFloat, FloatBits(-1.0f), 512, 0},
      {"float 1", kSampleFloat, FloatBits(1.0f), 512, 510},
      {"float 128 / 32768", kSampleFloat, FloatBits(128.0f / 32768), 512, 258},
      {"float -129 / 32768", kSampleFloat, FloatBits(-129.0f / 32768), 512, 254},
      {"float 2 clamps", kSampleFloat, FloatBits(2.0f), 512, 510},
      {"float -7.5 clamps", kSampleFloat, FloatBits(-7.5f), 512, 0},
      {"float infinity", kSampleFloat, FloatBits(inf), 512, 510},
      {"float -infinity", kSampleFloat, FloatBits(-inf), 512, 0},
      {"float NaN is the zero line", kSampleFloat, FloatBits(nan), 512, 256},
      // Other heights: row = level x height / 256, rounded down.
      {"80 rows, level 0", kSampleInt8, 0, 80, 0},
      {"80 rows, zero line", kSampleInt8, 128, 80, 40},
      {"80 rows, level 255", kSampleInt8, 255, 80, 79},
      {"480 rows, level 1", kSampleInt8, 1, 480, 1},
      {"480 rows, level 2 skips row 2", kSampleInt8, 2, 480, 3},
      {"480 rows, level 255 stops at 478", kSampleInt8, 255, 480, 478},
      {"1 row, level 0", kSampleInt8, 0, 1, 0},
      {"1 row, level 255", kSampleInt8, 255, 1, 0},
  };
  for (int format : kFormats)
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      auto& source = Child(WithAudio(Video(8, c.panel_height, format), 8000, 1, c.sample_type));
      source.sample = [value = c.value](int64_t, int) { return value; };
      const FramePixels out = Draw({{"frames", 0}, {"top", 0}, {"height", c.panel_height}});
      for (int x = 0; x < out.Width(); ++x)
        ASSERT_EQ(WhiteRows(out, x, 0, c.panel_height), BordersAnd({c.row}, c.panel_height)) << "column " << x;
    }
}

// Channel c holds level 64 x (c + 1) for 16-bit audio: -16384, 0, 16384 give 64, 128, 192.
TEST_F(SoundTraceWaveform, DrawsOneChannelOrAllOverlaid) {
  struct Case {
    const char* name;
    int channels;
    int channel;
    std::vector<int> rows;
  };
  const Case cases[] = {
      {"stereo, channel 1 is the right one", 2, 1, {128}},
      {"stereo, channel 0", 2, 0, {64}},
      {"stereo, all channels", 2, -1, {64, 128}},
      {"stereo, channel 2 is past the last: all", 2, 2, {64, 128}},
      {"stereo, channel -5: all", 2, -5, {64, 128}},
      {"three channels, all", 3, -1, {64, 128, 192}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto& source = Child(WithAudio(Video(64, 256, kPixelTypeYUY2), 8000, c.channels));
    source.sample = [](int64_t, int channel) { return 16384 * channel - 16384; };
    const FramePixels out = Draw({{"frames", 0}, {"top", 0}, {"height", 256}, {"channel", c.channel}});
    for (int x = 0; x < out.Width(); ++x)
      ASSERT_EQ(WhiteRows(out, x, 0, 256), BordersAnd(c.rows, 256)) << "column " << x;
  }
}

TEST_F(SoundTraceWaveform, EmptyWindowDrawsNoDots) {
  auto& source = Child(WithAudio(Video(16, 16, kPixelTypeYV12), 1));  // a frame at 25 fps holds no sample
  const FramePixels out = Draw({{"top", 0}, {"height", 16}, {"frames", 0}});
  EXPECT_EQ(source.audio_requests, (std::vector<AudioRequest>{{0, 0}}));
  for (int x = 0; x < out.Width(); ++x) EXPECT_EQ(WhiteRows(out, x, 0, 16), BordersAnd({}, 16)) << "column " << x;
}

}  // namespace
