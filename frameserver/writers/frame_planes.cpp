#include "frameserver/writers/frame_planes.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "frameserver/env/errors.h"

namespace frameserve {

std::vector<PlaneSize> StoredPlaneSizes(const VideoInfo& vi) {
  const int w = vi.width, h = vi.height;
  if (vi.IsPlanar()) return {{w, h}, {(w + 1) / 2, (h + 1) / 2}, {(w + 1) / 2, (h + 1) / 2}};
  if (vi.IsYUY2()) return {{w, h}, {(w + 1) / 2, h}, {(w + 1) / 2, h}};
  return {{4 * w, h}};
}

FramePlanes::FramePlanes(const VideoInfo& vi) : vi_(vi) {
  if (!vi.HasVideo()) throw Error("the clip has no video");
  if (vi.IsYUY2()) unpacked_.resize(static_cast<size_t>(vi.width) * vi.height * 2);
}

std::span<const PlaneView> FramePlanes::Of(const PVideoFrame& frame) {
  planes_.clear();
  if (vi_.IsPlanar()) {
    // Cb is the host's U plane in YV12 and I420 alike: the formats differ only in the buffer's order.
    for (const int plane : {kPlaneY, kPlaneU, kPlaneV})
      planes_.push_back({frame->GetReadPtr(plane), frame->GetPitch(plane), frame->GetRowSize(plane),
                         frame->GetHeight(plane)});
    return planes_;
  }
  if (!vi_.IsYUY2()) {
    planes_.push_back({frame->GetReadPtr(), frame->GetPitch(), frame->GetRowSize(), frame->GetHeight()});
    return planes_;
  }
  // YUY2 row: Y0 U0 Y1 V0 | Y2 U1 Y3 V1  -- luma on even bytes, one U/V pair per two pixels
  const int w = vi_.width, h = vi_.height, cw = w / 2;
  // The unpacking reads the clip's rows whole: a smaller frame from a faulty filter would be read past.
  if (frame->GetRowSize() < 2 * w || frame->GetHeight() < h)
    throw Error("a filter gave a frame of " + std::to_string(frame->GetRowSize() / 2) + "x" +
                std::to_string(frame->GetHeight()) + " for a clip of " + std::to_string(w) + "x" + std::to_string(h));
  uint8_t* y_plane = unpacked_.data();
  uint8_t* u_plane = y_plane + static_cast<size_t>(w) * h;
  uint8_t* v_plane = u_plane + static_cast<size_t>(cw) * h;
  const uint8_t* row = frame->GetReadPtr();
  for (int y = 0; y < h; ++y, row += frame->GetPitch()) {
    for (int x = 0; x < w; ++x) y_plane[y * w + x] = row[2 * x];
    for (int x = 0; x < cw; ++x) {
      u_plane[y * cw + x] = row[4 * x + 1];
      v_plane[y * cw + x] = row[4 * x + 3];
    }
  }
  planes_ = {{y_plane, w, w, h}, {u_plane, cw, cw, h}, {v_plane, cw, cw, h}};
  return planes_;
}

const uint8_t* PaddedRow(const PlaneView& plane, int y, int width, std::vector<uint8_t>& scratch) {
  if (plane.width == 0 || plane.height == 0) {
    scratch.assign(static_cast<size_t>(width), 128);
    return scratch.data();
  }
  const uint8_t* row = plane.data + static_cast<ptrdiff_t>(std::min(y, plane.height - 1)) * plane.pitch;
  if (plane.width >= width) return row;
  scratch.resize(static_cast<size_t>(width));
  std::memcpy(scratch.data(), row, static_cast<size_t>(plane.width));
  std::fill(scratch.begin() + plane.width, scratch.end(), row[plane.width - 1]);
  return scratch.data();
}

void CopyPadded(const PlaneView& plane, PlaneSize size, uint8_t* dst, int dst_pitch) {
  std::vector<uint8_t> scratch;
  for (int y = 0; y < size.height; ++y, dst += dst_pitch)
    std::memcpy(dst, PaddedRow(plane, y, size.width, scratch), static_cast<size_t>(size.width));
}

}  // namespace frameserve
