// Reads a frame's pixels the same way for every format: the luma and chroma of pixel (x, y).
#pragma once

#include <cstdint>
#include <utility>

#include "host/plugin_interface.h"

namespace test_support {

class FramePixels {
 public:
  // The frame must stay alive while it is read; the handle keeps it.
  FramePixels(PVideoFrame frame, int pixel_type)
      : frame_(std::move(frame)), yuy2_((pixel_type & kPixelTypeYUY2) == kPixelTypeYUY2) {}

  int Width() const { return frame_->GetRowSize() / (yuy2_ ? 2 : 1); }
  int Height() const { return frame_->GetHeight(); }

  // YUY2: Y0 U0 Y1 V0 | Y2 U1 Y3 V1; planar: a byte per pixel, U and V at half width and height.
  uint8_t Luma(int x, int y) const { return yuy2_ ? Byte(kPlaneY, 2 * x, y) : Byte(kPlaneY, x, y); }
  uint8_t U(int x, int y) const { return yuy2_ ? Byte(kPlaneY, 4 * (x / 2) + 1, y) : Byte(kPlaneU, x / 2, y / 2); }
  uint8_t V(int x, int y) const { return yuy2_ ? Byte(kPlaneY, 4 * (x / 2) + 3, y) : Byte(kPlaneV, x / 2, y / 2); }

 private:
  uint8_t Byte(int plane, int x, int y) const { return frame_->GetReadPtr(plane)[y * frame_->GetPitch(plane) + x]; }

  PVideoFrame frame_;
  bool yuy2_;
};

}  // namespace test_support
