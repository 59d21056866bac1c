#include "frameserver/sources/test_pattern.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace frameserve {
namespace {

// A pixel is drawn as a shade; each format turns a shade into its own bytes.
enum Shade : uint8_t { kGrey, kYellow, kCyan, kGreen, kMagenta, kRed, kBlue, kBlack, kWhite };

// 75% bars in BT.601 limited range, and the same colours as full-range RGB.
struct Colour {
  uint8_t y, u, v, r, g, b;
};
constexpr Colour kColours[] = {
    {180, 128, 128, 191, 191, 191}, {162, 44, 142, 191, 191, 0}, {131, 156, 44, 0, 191, 191},
    {112, 72, 58, 0, 191, 0},       {84, 184, 198, 191, 0, 191}, {65, 100, 212, 191, 0, 0},
    {35, 212, 114, 0, 0, 191},      {16, 128, 128, 0, 0, 0},     {235, 128, 128, 255, 255, 255},
};
constexpr int kBars = 7;

// 3x5 digits, one byte per row, bit 2 the leftmost dot.
constexpr uint8_t kFont[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 2, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};
constexpr int kCell = 4;         // dots per digit across: 3 and a gap
constexpr int kLabelRows = 7;    // dots down: a margin, 5 and a margin

void WriteRGB32(const VideoFrame& frame, int y, const uint8_t* shades, int width) {
  uint8_t* row = frame.GetWritePtr() + int64_t{y} * frame.GetPitch();
  for (int x = 0; x < width; ++x, row += 4) {
    const Colour& c = kColours[shades[x]];
    row[0] = c.b, row[1] = c.g, row[2] = c.r, row[3] = 255;  // BGRA in memory
  }
}

// YUY2 row: Y0 U0 Y1 V0 | Y2 U1 Y3 V1; a pair's chroma is that of its left pixel.
void WriteYUY2(const VideoFrame& frame, int y, const uint8_t* shades, int width) {
  uint8_t* row = frame.GetWritePtr() + int64_t{y} * frame.GetPitch();
  for (int x = 0; x + 1 < width; x += 2, row += 4) {
    const Colour& left = kColours[shades[x]];
    row[0] = left.y, row[1] = left.u, row[2] = kColours[shades[x + 1]].y, row[3] = left.v;
  }
}

// 4:2:0: a 2x2 block's chroma is that of its top-left pixel.
void WritePlanar(const VideoFrame& frame, int y, const uint8_t* shades, int width) {
  uint8_t* luma = frame.GetWritePtr(kPlaneY) + int64_t{y} * frame.GetPitch(kPlaneY);
  for (int x = 0; x < width; ++x) luma[x] = kColours[shades[x]].y;
  if (y % 2) return;
  const int64_t offset = int64_t{y / 2} * frame.GetPitch(kPlaneU);
  uint8_t* u = frame.GetWritePtr(kPlaneU) + offset;
  uint8_t* v = frame.GetWritePtr(kPlaneV) + offset;
  for (int x = 0; x + 1 < width; x += 2) {
    u[x / 2] = kColours[shades[x]].u;
    v[x / 2] = kColours[shades[x]].v;
  }
}

TestPattern::RowWriter WriterFor(const VideoInfo& vi) {
  if (vi.Is(kPixelTypeRGB32)) return WriteRGB32;
  if (vi.IsYUY2()) return WriteYUY2;
  return WritePlanar;
}

}  // namespace

TestPattern::TestPattern(const VideoInfo& vi)
    : width_(vi.width),
      height_(vi.height),
      bars_height_(static_cast<int>(int64_t{vi.height} * 2 / 3)),
      box_side_(std::min(vi.width, vi.height - bars_height_)),
      box_step_(std::max(1, vi.width / 100)),
      digit_scale_(std::max(1, vi.height / 60)),
      write_row_(WriterFor(vi)) {}

void TestPattern::Draw(const VideoFrame& frame, int n) {
  // Sized on the first frame, not at set-up: a clip whose properties are only read allocates nothing.
  if (bar_shades_.empty()) {
    bar_shades_.resize(static_cast<size_t>(width_));
    for (int x = 0; x < width_; ++x) bar_shades_[x] = static_cast<uint8_t>(int64_t{x} * kBars / width_);
    shades_.resize(static_cast<size_t>(width_));
  }
  char digits[16] = {};
  std::to_chars(digits, digits + sizeof digits - 1, n);
  for (int y = 0; y < height_; ++y) {
    FillRow(n, y, digits, shades_.data());
    write_row_(frame, y, shades_.data(), width_);
  }
}

void TestPattern::FillRow(int n, int y, const char* digits, uint8_t* shades) const {
  if (y < bars_height_) {
    std::memcpy(shades, bar_shades_.data(), bar_shades_.size());
  } else {
    std::memset(shades, kBlack, bar_shades_.size());
    const int64_t box_x = int64_t{n} * box_step_ % (width_ - box_side_ + 1);
    std::memset(shades + box_x, kWhite, static_cast<size_t>(box_side_));
  }
  const int dot = digit_scale_;
  if (y >= kLabelRows * dot) return;
  // The label: white digits on black, one dot of margin around them.
  const int64_t label_width = (int64_t{kCell} * static_cast<int64_t>(std::strlen(digits)) + 1) * dot;
  const int font_row = y / dot - 1;
  for (int x = 0; x < std::min<int64_t>(width_, label_width); ++x) {
    const int cell = x / dot - 1;  // dots from the left margin
    const int column = cell % kCell;
    const bool lit = font_row >= 0 && font_row < 5 && cell >= 0 && column < 3 &&
                     (kFont[digits[cell / kCell] - '0'][font_row] >> (2 - column) & 1);
    shades[x] = lit ? kWhite : kBlack;
  }
}

}  // namespace frameserve
