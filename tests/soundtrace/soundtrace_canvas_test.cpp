// SoundTrace's canvas, pixel by pixel on tiny frames of every format: the copied picture, the panel's
// background, border lines and tick marks, and what a failing child leaves behind.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "tests/soundtrace/draw_fixture.h"

namespace {

using frameserve::Argument;
using test_support::FramePixels;
using test_support::Video;
using test_support::WithAudio;

constexpr int kFormats[] = {kPixelTypeYUY2, kPixelTypeYV12, kPixelTypeI420};

const char* FormatName(int format) {
  return format == kPixelTypeYUY2 ? "YUY2" : format == kPixelTypeYV12 ? "YV12" : "I420";
}

// "P3 W B4" -> "PPPWBBBB": one letter per output row, a count after a letter repeats it.
std::string Rows(const char* runs) {
  std::string rows;
  for (const char* p = runs; *p;) {
    if (*p == ' ') {
      ++p;
      continue;
    }
    const char letter = *p++;
    int count = 0;
    while (std::isdigit(static_cast<unsigned char>(*p))) count = 10 * count + (*p++ - '0');
    rows.append(count ? count : 1, letter);
  }
  return rows;
}

class SoundTraceCanvas : public soundtrace_test::DrawTest {};

// Frames 0 and silence: no ticks, and the dots make the panel's zero line one more white row, so every
// output row is uniform across its columns.
TEST_F(SoundTraceCanvas, EveryRowHoldsPictureBackgroundOrWhite) {
  struct Case {
    const char* name;
    int picture_height;
    int frames;
    std::vector<Argument> args;
    const char* luma;            // P picture, B background 0x20, W white
    const char* chroma;          // P picture, N neutral 0x80; nullptr: not checked
    const char* planar_chroma;   // where the planar formats differ
  };
  const std::vector<Case> cases = {
      {"strip: every row below the picture is panel", 10, 0, {{"height", 10}},
       "P10 W B4 W B3 W", "P10 N10", nullptr},
      {"fill false does not stop the strip", 10, 0, {{"height", 10}, {"fill", false}},
       "P10 W B4 W B3 W", "P10 N10", nullptr},
      {"over the picture, filled", 16, 0, {{"top", 2}, {"height", 10}},
       "P2 W B4 W B3 W P4", "P2 N10 P4", nullptr},
      {"odd top: chroma from row top/2", 16, 0, {{"top", 3}, {"height", 10}},
       "P3 W B4 W B3 W P3", "P3 N10 P3", "P2 N10 P4"},
      {"fill false keeps the picture under lines and dots", 16, 0, {{"top", 3}, {"height", 10}, {"fill", false}},
       "P3 W P4 W P3 W P3", "P16", nullptr},
      {"top 450 becomes 400 on 480 rows", 480, 0, {{"top", 450}},
       "P400 W B39 W B38 W", "P400 N80", nullptr},
      // Panels under 4 rows: the ticks reach no further than the panel.
      {"panel of 3 rows", 3, 2, {}, "P3 W3", nullptr, nullptr},
      {"panel of 2 rows", 2, 2, {}, "P2 W2", nullptr, nullptr},
      {"panel of 1 row", 1, 2, {}, "P1 W", nullptr, nullptr},
      {"no rows at all", 0, 2, {}, "", nullptr, nullptr},
  };
  for (int format : kFormats)
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(FormatName(format)) + ": " + c.name);
      Child(WithAudio(Video(8, c.picture_height, format), 8000, 1));
      std::vector<Argument> args{{"frames", c.frames}};
      args.insert(args.end(), c.args.begin(), c.args.end());
      const FramePixels out = Draw(args);
      const FramePixels in = Source();
      const std::string luma = Rows(c.luma);
      const char* chroma_runs = format != kPixelTypeYUY2 && c.planar_chroma ? c.planar_chroma : c.chroma;
      const std::string chroma = chroma_runs ? Rows(chroma_runs) : std::string();
      ASSERT_EQ(out.Height(), static_cast<int>(luma.size()));
      for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x) {
          SCOPED_TRACE("x " + std::to_string(x) + ", y " + std::to_string(y));
          const int want = luma[y] == 'W' ? 0xFF : luma[y] == 'B' ? 0x20 : in.Luma(x, y);
          ASSERT_EQ(out.Luma(x, y), want);
          if (chroma.empty()) continue;
          ASSERT_EQ(out.U(x, y), chroma[y] == 'N' ? 0x80 : in.U(x, y));
          ASSERT_EQ(out.V(x, y), chroma[y] == 'N' ? 0x80 : in.V(x, y));
        }
    }
}

// Tick rows 1 and height - 2 of the panel lie clear of the borders and of the zero line.
TEST_F(SoundTraceCanvas, TicksStandAtMultiplesOfTheSpacing) {
  std::vector<int> every_16;
  for (int x = 16; x <= 320; x += 16) every_16.push_back(x);
  struct Case {
    const char* name;
    int width;
    int frames;
    std::vector<int> columns;
  };
  const Case cases[] = {
      {"720 wide, 5 frames", 720, 2, {144, 288, 432, 576}},
      {"352 wide, 21 frames: the last segment is 32 wide", 352, 10, every_16},
      {"frames 50 is a window of 21", 352, 50, every_16},
      {"frames 0 has no ticks", 352, 0, {}},
      {"frames -3 has no ticks", 352, -3, {}},
      {"narrower than the window: all on column 0", 4, 10, {0}},
  };
  for (int format : kFormats)
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(FormatName(format)) + ": " + c.name);
      Child(WithAudio(Video(c.width, 16, format), 8000, 1));
      const FramePixels out = Draw({{"frames", c.frames}, {"height", 10}});
      EXPECT_EQ(WhiteColumns(out, 16 + 1), c.columns);
      EXPECT_EQ(WhiteColumns(out, 16 + 8), c.columns);
      // Ticks are four rows long at each edge; rows 4 and 6 show only the background.
      EXPECT_EQ(WhiteColumns(out, 16 + 3), c.columns);
      EXPECT_EQ(WhiteColumns(out, 16 + 4), std::vector<int>{});
    }
}

TEST_F(SoundTraceCanvas, FailingChildLeavesNoFrameOrReferenceBehind) {
  for (const bool audio : {false, true}) {
    SCOPED_TRACE(audio ? "audio fails" : "frame fails");
    auto& failing = Child(WithAudio(Video(8, 8, kPixelTypeYV12), 8000));
    Draw({});  // makes the filter, and one good frame
    const int references = failing.RefCount();
    (audio ? failing.fail_audio : failing.fail_frames) = true;
    EXPECT_THROW(trace->GetFrame(6, &env), test_support::ChildFailure);
    EXPECT_EQ(env.Frames().FramesInUse(), 0u);
    EXPECT_EQ(failing.RefCount(), references);
  }
}

TEST_F(SoundTraceCanvas, FramesAreRecycledFromCallToCall) {
  Child(WithAudio(Video(64, 16, kPixelTypeYUY2), 8000));
  Draw({});
  const size_t allocations = env.Frames().Allocations();
  for (int n = 0; n < 10; ++n) trace->GetFrame(n, &env);
  EXPECT_EQ(env.Frames().Allocations(), allocations);
}

}  // namespace
