#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <string>
#include <vector>

#include "tests/frameserver/writers/render_fixture.h"

namespace writers_test {
namespace {

using test_support::ScriptedClip;
using test_support::Video;

struct Png {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
  std::array<int, 3> At(int x, int y) const {
    const size_t i = 3 * (static_cast<size_t>(y) * width + x);
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
  }
};

Png ReadPng(const fs::path& path) {
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  Png png;
  if (!png_image_begin_read_from_file(&image, path.c_str())) {
    ADD_FAILURE() << "cannot read " << path << ": " << image.message;
    return png;
  }
  EXPECT_EQ(image.format, PNG_FORMAT_RGB) << "the file itself is RGB";
  image.format = PNG_FORMAT_RGB;
  png.width = static_cast<int>(image.width);
  png.height = static_cast<int>(image.height);
  png.rgb.resize(PNG_IMAGE_SIZE(image));
  EXPECT_TRUE(png_image_finish_read(&image, nullptr, png.rgb.data(), 0, nullptr)) << image.message;
  return png;
}

void ExpectNear(std::array<int, 3> got, std::array<int, 3> want) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(got[i], want[i], 1) << "channel " << i;
}

// A flat picture of one colour: YUV components (BT.601 limited range) or, for RGB32, B G R.
PClip FlatClip(int pixel_type, int w, int h, std::array<uint8_t, 3> colour) {
  auto* clip = new ScriptedClip(Video(w, h, pixel_type, 5));
  const bool yuy2 = pixel_type == kPixelTypeYUY2, rgb = pixel_type == kPixelTypeRGB32;
  clip->pixel = [=](int plane, int x, int, int n) -> uint8_t {
    if (n != 3) return 0;  // only the chosen frame is the colour
    if (rgb) return x % 4 == 3 ? 255 : colour[x % 4];
    if (yuy2) return x % 2 == 0 ? colour[0] : x % 4 == 1 ? colour[1] : colour[2];
    return colour[plane];
  };
  return clip;
}

struct PngCase {
  const char* name;
  int pixel_type;
  std::array<uint8_t, 3> colour;
  std::array<int, 3> rgb;
};

class PngPixels : public RenderTest, public ::testing::WithParamInterface<PngCase> {};

TEST_P(PngPixels, FrameStartBecomesEightBitRgb) {
  const PngCase& c = GetParam();
  frameserve::RenderOptions options;
  options.start = 3;
  frameserve::Render(FlatClip(c.pixel_type, 10, 7, c.colour), env, dir / "out.png", options);
  const Png png = ReadPng(dir / "out.png");
  ASSERT_EQ(png.width, 10);
  ASSERT_EQ(png.height, 7);
  for (const auto& [x, y] : {std::pair{0, 0}, {9, 6}, {4, 3}, {9, 0}}) {
    SCOPED_TRACE("pixel " + std::to_string(x) + "," + std::to_string(y));
    ExpectNear(png.At(x, y), c.rgb);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Colours, PngPixels,
    ::testing::Values(PngCase{"YV12Grey", kPixelTypeYV12, {126, 128, 128}, {128, 128, 128}},
                      PngCase{"YV12LimitedBlackAndWhite", kPixelTypeYV12, {235, 128, 128}, {255, 255, 255}},
                      PngCase{"I420Red", kPixelTypeI420, {81, 90, 240}, {255, 0, 0}},
                      PngCase{"YUY2Blue", kPixelTypeYUY2, {41, 240, 110}, {0, 0, 255}},
                      PngCase{"RGB32Orange", kPixelTypeRGB32, {20, 140, 250}, {250, 140, 20}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace writers_test
