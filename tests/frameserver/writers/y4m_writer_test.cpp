#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/frameserver/writers/render_fixture.h"

namespace writers_test {
namespace {

using test_support::ScriptedClip;
using test_support::Video;

// The ScriptedClip's default picture: byte x of row y of plane p in frame n is x + 3y + 7n + 50p.
uint8_t Pixel(int plane, int x, int y, int n) { return static_cast<uint8_t>(x + 3 * y + 7 * n + 50 * plane); }

// Planar chroma as the host holds it has floor(w/2) x floor(h/2) bytes; the file has ceil of both, the
// last column and row repeated.
void AppendPlanarFrame(std::string& y4m, int w, int h, int n) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) y4m += static_cast<char>(Pixel(0, x, y, n));
  const int held_w = w / 2, held_h = h / 2;
  for (int plane : {1, 2})
    for (int y = 0; y < (h + 1) / 2; ++y)
      for (int x = 0; x < (w + 1) / 2; ++x)
        y4m += static_cast<char>(Pixel(plane, std::min(x, held_w - 1), std::min(y, held_h - 1), n));
}

// YUY2 bytes Y0 U0 Y1 V0 become the planes Y, U, V.
void AppendYuy2Frame(std::string& y4m, int w, int h, int n) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) y4m += static_cast<char>(Pixel(0, 2 * x, y, n));
  for (int offset : {1, 3})
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w / 2; ++x) y4m += static_cast<char>(Pixel(0, 4 * x + offset, y, n));
}

struct Y4mCase {
  const char* name;
  int pixel_type;
  int width, height;
  const char* colourspace;
};

class Y4mBytes : public RenderTest, public ::testing::WithParamInterface<Y4mCase> {};

TEST_P(Y4mBytes, HeaderThenEachFramesPlanes) {
  const Y4mCase& c = GetParam();
  PClip clip = new ScriptedClip(Video(c.width, c.height, c.pixel_type, 3, 30000, 1001));
  frameserve::Render(clip, env, dir / "out.y4m", {});
  std::string expected = "YUV4MPEG2 W" + std::to_string(c.width) + " H" + std::to_string(c.height) +
                         " F30000:1001 Ip A1:1 C" + c.colourspace + "\n";
  for (int n = 0; n < 3; ++n) {
    expected += "FRAME\n";
    if (c.pixel_type == kPixelTypeYUY2)
      AppendYuy2Frame(expected, c.width, c.height, n);
    else
      AppendPlanarFrame(expected, c.width, c.height, n);
  }
  const std::vector<uint8_t> file = ReadBytes(dir / "out.y4m");
  EXPECT_EQ(std::string(file.begin(), file.end()), expected);
}

INSTANTIATE_TEST_SUITE_P(Formats, Y4mBytes,
                         ::testing::Values(Y4mCase{"YV12OddHeight", kPixelTypeYV12, 6, 5, "420jpeg"},
                                           Y4mCase{"I420OddWidthAndHeight", kPixelTypeI420, 5, 3, "420jpeg"},
                                           Y4mCase{"YUY2", kPixelTypeYUY2, 4, 3, "422"},
                                           // Planes without row padding, written whole; the luma plane
                                           // of the second is larger than the output buffer.
                                           Y4mCase{"YV12Unpadded", kPixelTypeYV12, 32, 4, "420jpeg"},
                                           Y4mCase{"YV12Large", kPixelTypeYV12, 1024, 1040, "420jpeg"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RenderTest, Y4mRangeIsCutAtTheEndAndReportsProgress) {
  auto* source = new ScriptedClip(Video(4, 2, kPixelTypeYV12, 10));
  PClip clip = source;
  std::vector<std::pair<int, int>> progress;
  frameserve::RenderOptions options;
  options.start = 7;
  options.count = 50;
  options.progress = [&](int done, int total) { progress.emplace_back(done, total); };
  frameserve::Render(clip, env, dir / "out.y4m", options);
  EXPECT_EQ(source->frame_requests, (std::vector<int>{7, 8, 9}));
  EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
  const std::string header = "YUV4MPEG2 W4 H2 F25:1 Ip A1:1 C420jpeg\n";
  EXPECT_EQ(ReadBytes(dir / "out.y4m").size(), header.size() + 3 * (6 + 8 + 2 + 2));
}

}  // namespace
}  // namespace writers_test
