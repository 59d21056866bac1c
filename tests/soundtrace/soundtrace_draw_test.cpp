// SoundTrace's frames, pixel by pixel: the copied picture, the panel's background, borders and ticks,
// and the dots of the waveform, for each pixel format.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "tests/support/plugin_fixture.h"
#include "tests/support/scripted_clip.h"

namespace {

using frameserve::Argument;
using test_support::AudioRequest;
using test_support::ScriptedClip;
using test_support::Video;
using test_support::WithAudio;

constexpr int kFormats[] = {kPixelTypeYUY2, kPixelTypeYV12, kPixelTypeI420};

std::string FormatName(int pixel_type) {
  return pixel_type == kPixelTypeYUY2 ? "YUY2" : pixel_type == kPixelTypeYV12 ? "YV12" : "I420";
}

// Reads pixels of a frame of any of the three formats by pixel column and row.
struct Picture {
  const VideoFrame* frame;
  bool yuy2;

  int Luma(int x, int y) const { return frame->GetReadPtr()[y * frame->GetPitch() + x * (yuy2 ? 2 : 1)]; }
  int Chroma(int plane, int x, int y) const {
    if (yuy2) return frame->GetReadPtr()[y * frame->GetPitch() + x / 2 * 4 + (plane == kPlaneU ? 1 : 3)];
    return frame->GetReadPtr(plane)[y / 2 * frame->GetPitch(plane) + x / 2];
  }
  int Width() const { return frame->GetRowSize() / (yuy2 ? 2 : 1); }
  std::set<int> WhiteRows(int x, int first_row, int rows) const {
    std::set<int> white;
    for (int r = 0; r < rows; ++r)
      if (Luma(x, first_row + r) == 0xFF) white.insert(r);
    return white;
  }
};

// The child's picture, as ScriptedClip makes it, for comparison.
int SourceLuma(const VideoInfo& vi, int x, int y, int n) {
  return static_cast<uint8_t>((vi.IsYUY2() ? 2 * x : x) + 3 * y + 7 * n);
}
int SourceChroma(const VideoInfo& vi, int plane, int x, int y, int n) {
  if (vi.IsYUY2()) return static_cast<uint8_t>(x / 2 * 4 + (plane == kPlaneU ? 1 : 3) + 3 * y + 7 * n);
  return static_cast<uint8_t>(x / 2 + 3 * (y / 2) + 7 * n + 50 * plane);
}

class SoundTraceDraw : public test_support::PluginTest {
 protected:
  // Frame n of SoundTrace over the child the test made with Child(), or a silent one.
  PVideoFrame Draw(const VideoInfo& vi, std::vector<Argument> args, int n = 0) {
    if (!child) Child(vi, 0);
    args.insert(args.begin(), Argument{"", PClip(child)});
    trace = env.Invoke("SoundTrace", args).AsClip();
    frame = trace->GetFrame(n, &env);
    return frame;
  }
  // A child whose every sample is value; tests may give it other audio through its sample function.
  ScriptedClip* Child(const VideoInfo& vi, int64_t value) {
    child = new ScriptedClip(vi);
    keep = child;
    child->sample = [value](int64_t, int) { return value; };
    return child;
  }
  Picture Pic() const { return {frame.get(), trace->GetVideoInfo().IsYUY2()}; }

  ScriptedClip* child = nullptr;
  PClip keep, trace;
  PVideoFrame frame;
};

// The panel as it must look over silence: background (when filled), white first and last rows, ticks
// four rows deep at each edge, and the zero line's dots on row height / 2.
std::vector<std::vector<int>> SilentPanel(int width, int height, int window_frames, bool fill,
                                          const std::vector<std::vector<int>>& under) {
  std::vector<std::vector<int>> luma(height, std::vector<int>(width, 0x20));
  if (!fill) luma = under;
  const int spacing = width / window_frames;
  for (int r = 0; r < height; ++r)
    for (int x = 0; x < width; ++x) {
      const bool border = r == 0 || r == height - 1;
      const bool tick = x % spacing == 0 && x > 0 && x / spacing < window_frames && (r < 4 || r >= height - 4);
      if (border || tick || r == height / 2) luma[r][x] = 0xFF;
    }
  return luma;
}

TEST_F(SoundTraceDraw, StripHoldsThePictureAndAFilledPanel) {
  for (int format : kFormats) {
    SCOPED_TRACE(FormatName(format));
    child = nullptr;
    const VideoInfo vi = WithAudio(Video(40, 24, format), 8000);
    Draw(vi, {{"height", 10}, {"fill", false}}, 3);
    const Picture pic = Pic();
    ASSERT_EQ(frame->GetHeight(), 34);
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 40; ++x) {
        ASSERT_EQ(pic.Luma(x, y), SourceLuma(vi, x, y, 3)) << x << "," << y;
        ASSERT_EQ(pic.Chroma(kPlaneU, x, y), SourceChroma(vi, kPlaneU, x, y, 3));
        ASSERT_EQ(pic.Chroma(kPlaneV, x, y), SourceChroma(vi, kPlaneV, x, y, 3));
      }
    const auto expected = SilentPanel(40, 10, 5, true, {});
    for (int r = 0; r < 10; ++r)
      for (int x = 0; x < 40; ++x) {
        ASSERT_EQ(pic.Luma(x, 24 + r), expected[r][x]) << x << "," << r;
        ASSERT_EQ(pic.Chroma(kPlaneU, x, 24 + r), 0x80);
        ASSERT_EQ(pic.Chroma(kPlaneV, x, 24 + r), 0x80);
      }
  }
}

TEST_F(SoundTraceDraw, UnfilledOverlayChangesOnlyLumaOfLinesAndDots) {
  for (int format : kFormats) {
    SCOPED_TRACE(FormatName(format));
    child = nullptr;
    const VideoInfo vi = WithAudio(Video(40, 24, format), 8000);
    Draw(vi, {{"top", 3}, {"height", 11}, {"fill", false}, {"frames", 1}}, 2);
    const Picture pic = Pic();
    ASSERT_EQ(frame->GetHeight(), 24);
    std::vector<std::vector<int>> under(11, std::vector<int>(40));
    for (int r = 0; r < 11; ++r)
      for (int x = 0; x < 40; ++x) under[r][x] = SourceLuma(vi, x, 3 + r, 2);
    const auto expected = SilentPanel(40, 11, 3, false, under);
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 40; ++x) {
        const bool in_panel = y >= 3 && y < 14;
        ASSERT_EQ(pic.Luma(x, y), in_panel ? expected[y - 3][x] : SourceLuma(vi, x, y, 2)) << x << "," << y;
        ASSERT_EQ(pic.Chroma(kPlaneU, x, y), SourceChroma(vi, kPlaneU, x, y, 2));
        ASSERT_EQ(pic.Chroma(kPlaneV, x, y), SourceChroma(vi, kPlaneV, x, y, 2));
      }
  }
}

TEST_F(SoundTraceDraw, PlanarFillWithOddTopCoversWholeChromaRowsInside) {
  const VideoInfo vi = WithAudio(Video(16, 20, kPixelTypeYV12), 8000);
  Draw(vi, {{"top", 3}, {"height", 10}, {"fill", true}});
  const Picture pic = Pic();
  for (int y = 0; y < 20; ++y) {
    SCOPED_TRACE(y);
    const bool panel = y >= 3 && y <= 12;
    EXPECT_EQ(pic.Luma(5, y), panel ? (y == 8 ? 0xFF : y == 3 || y == 12 ? 0xFF : 0x20) : SourceLuma(vi, 5, y, 0));
    // Chroma rows 1 to 5 (luma rows 2 to 11) are neutral; the others keep the picture's.
    const bool neutral = y / 2 >= 1 && y / 2 <= 5;
    EXPECT_EQ(pic.Chroma(kPlaneU, 5, y), neutral ? 0x80 : SourceChroma(vi, kPlaneU, 5, y, 0));
    EXPECT_EQ(pic.Chroma(kPlaneV, 5, y), neutral ? 0x80 : SourceChroma(vi, kPlaneV, 5, y, 0));
  }
}

TEST_F(SoundTraceDraw, TickColumns) {
  struct Case {
    int width, frames;
    std::set<int> columns;
  };
  std::set<int> every16;
  for (int x = 16; x <= 320; x += 16) every16.insert(x);
  const Case cases[] = {
      {720, 2, {144, 288, 432, 576}},
      {352, 10, every16},
      {10, 10, {0}},  // narrower than the window: every tick on column 0
      {64, 0, {}},    // a window of one frame has no ticks
      {64, -3, {}},
      {720, 50, [] { std::set<int> s; for (int j = 1; j < 21; ++j) s.insert(j * 34); return s; }()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " wide, frames " << c.frames);
    child = nullptr;
    Draw(WithAudio(Video(c.width, 16, kPixelTypeYUY2), 8000), {{"frames", c.frames}, {"height", 16}, {"top", 0}});
    const Picture pic = Pic();
    std::set<int> ticks;
    for (int x = 0; x < c.width; ++x)
      if (pic.Luma(x, 1) == 0xFF && pic.Luma(x, 3) == 0xFF && pic.Luma(x, 12) == 0xFF && pic.Luma(x, 14) == 0xFF)
        ticks.insert(x);
    EXPECT_EQ(ticks, c.columns);
  }
}

TEST_F(SoundTraceDraw, PanelPlacementFollowsTheClampedTop) {
  struct Case {
    std::vector<Argument> args;
    int first_row, last_row;
  };
  const std::vector<Case> cases = {
      {{{"top", 450}}, 400, 479}, {{{"top", 0}}, 0, 79},          {{{"top", 100}, {"height", 480}}, 0, 479},
      {{{"top", 5}, {"height", 9}}, 5, 84}, {{{"top", 7}, {"height", 33}}, 7, 39},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first_row);
    child = nullptr;
    Draw(WithAudio(Video(16, 480, kPixelTypeI420), 8000), c.args);
    const Picture pic = Pic();
    ASSERT_EQ(frame->GetHeight(), 480);
    const int zero_line = (c.first_row + c.last_row + 1) / 2;
    for (int y = 0; y < 480; ++y) {
      SCOPED_TRACE(y);
      if (y < c.first_row || y > c.last_row)
        EXPECT_EQ(pic.Luma(7, y), SourceLuma(trace->GetVideoInfo(), 7, y, 0));
      else
        EXPECT_EQ(pic.Luma(7, y), y == c.first_row || y == c.last_row || y == zero_line ? 0xFF : 0x20);
    }
  }
}

TEST_F(SoundTraceDraw, LevelToRowBySampleType) {
  struct Case {
    const char* name;
    int sample_type;
    int64_t value;  // stored in the sample type's bytes
    int panel_height;
    int row;
  };
  const auto float_bits = [](float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    return int64_t{bits};
  };
  const Case cases[] = {
      {"8-bit 0", kSampleInt8, 0, 80, 0},
      {"8-bit 128", kSampleInt8, 128, 80, 40},
      {"8-bit 255", kSampleInt8, 255, 80, 79},
      {"8-bit 1 on 480 rows", kSampleInt8, 1, 480, 1},
      {"8-bit 2 on 480 rows", kSampleInt8, 2, 480, 3},
      {"8-bit 255 on 480 rows", kSampleInt8, 255, 480, 478},
      {"16-bit lowest", kSampleInt16, -32768, 80, 0},
      {"16-bit -16384", kSampleInt16, -16384, 80, 20},
      {"16-bit 0", kSampleInt16, 0, 80, 40},
      {"16-bit -129 rounds down", kSampleInt16, -129, 80, 39},
      {"16-bit highest of level 255", kSampleInt16, 32639, 80, 79},
      {"16-bit 32767 held at 255", kSampleInt16, 32767, 480, 478},
      {"24-bit by its top 16 bits", kSampleInt24, 16384 * 256 + 255, 80, 60},
      {"24-bit lowest", kSampleInt24, -8388608, 80, 0},
      {"32-bit by its top 16 bits", kSampleInt32, int64_t{-16384} * 65536, 80, 20},
      {"32-bit highest", kSampleInt32, INT32_MAX, 480, 478},
      {"float 0.5", kSampleFloat, float_bits(0.5f), 80, 60},
      {"float -1", kSampleFloat, float_bits(-1.0f), 480, 0},
      {"float 1 held at 255", kSampleFloat, float_bits(1.0f), 480, 478},
      {"float past 1 clamped", kSampleFloat, float_bits(7.0f), 480, 478},
      {"float past -1 clamped", kSampleFloat, float_bits(-7.0f), 480, 0},
      {"float NaN on the zero line", kSampleFloat, float_bits(std::numeric_limits<float>::quiet_NaN()), 80, 40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const VideoInfo vi = WithAudio(Video(16, c.panel_height, kPixelTypeYV12), 8000, 1, c.sample_type);
    Child(vi, c.value);
    Draw(vi, {{"height", c.panel_height}, {"top", 0}});
    const std::set<int> expected = {0, c.panel_height - 1, c.row};
    EXPECT_EQ(Pic().WhiteRows(1, 0, c.panel_height), expected);
  }
}

// With audio whose value tells its position in the window, each column's dot shows which sample it
// plots: the value 8 + i % 240 lands on row 8 + i % 240 of a 256-row panel, clear of the ticks.
TEST_F(SoundTraceDraw, ColumnShowsSampleOfTheExactQuotient) {
  struct Case {
    const char* name;
    int rate;
    unsigned fps_den;
    int frames;
    std::vector<std::pair<int, int64_t>> column_sample;
  };
  const int64_t long_window = 48000 * 64;  // one frame of 64 seconds: 719 x window passes 2^31
  const Case cases[] = {
      {"900 samples on 720 columns", 4500, 1, 2, {{1, 1}, {360, 450}, {719, 898}}},
      {"320 samples on 720 columns", 1600, 1, 2, {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {719, 319}}},
      {"a long window", 48000, 64 * 25, 0, {{1, long_window / 720}, {719, 719 * long_window / 720}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const VideoInfo vi = WithAudio(Video(720, 256, kPixelTypeYV12, 100, 25, c.fps_den), c.rate, 1, kSampleInt8);
    Child(vi, 0)->sample = [](int64_t p, int) { return 8 + p % 240; };
    Draw(vi, {{"frames", c.frames}, {"height", 256}, {"top", 0}}, c.frames);  // the window starts at 0
    for (const auto& [x, sample] : c.column_sample) {
      SCOPED_TRACE(x);
      const std::set<int> white = Pic().WhiteRows(x, 4, 248);
      ASSERT_EQ(white.size(), 1u);
      EXPECT_EQ(*white.begin() + 4, 8 + sample % 240);
    }
  }
}

TEST_F(SoundTraceDraw, ChannelSelection) {
  struct Case {
    int channel;
    std::set<int> rows;
  };
  // Left at -16384 (row 20), right at 16384 (row 60).
  const Case cases[] = {{0, {0, 20, 79}}, {1, {0, 60, 79}}, {-1, {0, 20, 60, 79}}, {2, {0, 20, 60, 79}},
                        {-5, {0, 20, 60, 79}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.channel);
    const VideoInfo vi = WithAudio(Video(16, 80, kPixelTypeYUY2), 8000, 2);
    Child(vi, 0)->sample = [](int64_t, int ch) { return ch == 0 ? -16384 : 16384; };
    Draw(vi, {{"channel", c.channel}, {"top", 0}});
    EXPECT_EQ(Pic().WhiteRows(1, 0, 80), c.rows);
  }
}

TEST_F(SoundTraceDraw, TinyPanelsStayInsideTheFrame) {
  for (int height : {1, 2, 3}) {
    SCOPED_TRACE(height);
    child = nullptr;
    Draw(WithAudio(Video(8, height, kPixelTypeYUY2), 8000), {{"top", 0}, {"fill", true}});
    const Picture pic = Pic();
    for (int x = 0; x < 8; ++x) {
      // Every row is a border row, but the middle of three, which has the ticks and the zero line.
      EXPECT_EQ(pic.Luma(x, 0), 0xFF);
      EXPECT_EQ(pic.Luma(x, height - 1), 0xFF);
      EXPECT_EQ(pic.Chroma(kPlaneU, x, 0), 0x80);
    }
  }
}

TEST_F(SoundTraceDraw, WindowRequestedAroundTheFrame) {
  struct Case {
    const char* name;
    int rate;
    unsigned fps_num, fps_den;
    int frames, n;
    AudioRequest request;
  };
  const Case cases[] = {
      {"starts before the clip", 250, 25, 1, 3, 0, {-30, 70}},
      {"start truncated toward zero", 100, 30, 1, 1, 0, {-3, 10}},
      {"one frame alone", 100, 30, 1, 0, 5, {16, 3}},
      {"whole window, not five frame spans", 100, 30, 1, 2, 10, {26, 16}},
      {"60/2 as 30/1", 100, 60, 2, 2, 10, {26, 16}},
      {"60 samples", 300, 25, 1, 2, 2, {0, 60}},
      {"frames -3 as 0", 300, 25, 1, -3, 2, {24, 12}},
      {"frames 50 as 10", 300, 25, 1, 50, 20, {120, 252}},
      {"past 2^32 samples", 48000, 25, 1, 2, 2'000'000, {int64_t{1'999'998} * 1920, 9600}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const VideoInfo vi = WithAudio(Video(16, 16, kPixelTypeYV12, INT32_MAX, c.fps_num, c.fps_den), c.rate);
    Child(vi, 0);
    Draw(vi, {{"frames", c.frames}}, c.n);
    ASSERT_EQ(child->audio_requests.size(), 1u);
    EXPECT_EQ(child->audio_requests[0], c.request);
    EXPECT_EQ(child->frame_requests, std::vector<int>{c.n});
  }
}

// Below a picture of odd height, an odd strip ends in a chroma row that the picture copy cannot reach;
// it must still be neutral, not what a recycled frame held.
TEST_F(SoundTraceDraw, StripBelowOddPictureHasNoStaleChroma) {
  const VideoInfo vi = WithAudio(Video(16, 23, kPixelTypeYV12), 8000);
  VideoInfo out = vi;
  out.height = 34;
  {
    const PVideoFrame stale = env.NewVideoFrame(out);
    for (int plane : {kPlaneU, kPlaneV})
      std::memset(stale->GetWritePtr(plane), 0x55, static_cast<size_t>(stale->GetPitch(plane)) * stale->GetHeight(plane));
  }
  Draw(vi, {{"height", 11}});
  ASSERT_EQ(frame->GetHeight(kPlaneU), 17);
  for (int y = 23; y < 34; ++y) {
    EXPECT_EQ(Pic().Chroma(kPlaneU, 3, y), 0x80) << y;
    EXPECT_EQ(Pic().Chroma(kPlaneV, 3, y), 0x80) << y;
  }
}

TEST_F(SoundTraceDraw, ErrorsReleaseBothFrames) {
  for (bool audio_fails : {false, true}) {
    SCOPED_TRACE(audio_fails ? "audio fails" : "frame fails");
    const VideoInfo vi = WithAudio(Video(16, 16, kPixelTypeYV12), 8000);
    Child(vi, 0);
    trace = env.Invoke("SoundTrace", std::vector<Argument>{{"", keep}}).AsClip();
    (audio_fails ? child->fail_audio : child->fail_frames) = true;
    EXPECT_THROW(trace->GetFrame(0, &env), test_support::ChildFailure);
    EXPECT_EQ(env.Frames().FramesInUse(), 0u);
    EXPECT_EQ(child->RefCount(), 2);  // ours and the filter's
    trace = PClip();
    EXPECT_EQ(child->RefCount(), 1);
  }
}

}  // namespace
