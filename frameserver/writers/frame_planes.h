// A frame's bytes as the planes writers store: Y, Cb, Cr for the YUV formats (YUY2 unpacked), one
// B G R A plane for RGB32. The only place that knows how each pixel type lays out its planes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "host/plugin_interface.h"

namespace frameserve {

struct PlaneView {
  const uint8_t* data;
  int pitch;
  int width;  // bytes of a row
  int height;
};

struct PlaneSize {
  int width;  // bytes of a row
  int height;
};

// Planes as files and FFmpeg store them, chroma rounded up: 4:2:0 for YV12 and I420, 4:2:2 for YUY2.
// The host's chroma planes round down; PaddedRow makes up the difference.
std::vector<PlaneSize> StoredPlaneSizes(const VideoInfo& vi);

class FramePlanes {
 public:
  // Throws Error for a clip without video.
  explicit FramePlanes(const VideoInfo& vi);

  // The frame's planes as the host holds them (chroma rounded down); valid while the frame lives and
  // until the next call.
  std::span<const PlaneView> Of(const PVideoFrame& frame);

 private:
  VideoInfo vi_;
  std::vector<PlaneView> planes_;
  std::vector<uint8_t> unpacked_;  // YUY2 split into Y, Cb, Cr
};

// Row y of plane, width bytes wide: rows past the plane's end repeat its last row and columns past it
// repeat its last byte (an empty plane reads as neutral chroma, 128). Points into the plane when
// nothing needs padding, else into scratch.
const uint8_t* PaddedRow(const PlaneView& plane, int y, int width, std::vector<uint8_t>& scratch);

// All of plane into dst, padded to size as PaddedRow pads.
void CopyPadded(const PlaneView& plane, PlaneSize size, uint8_t* dst, int dst_pitch);

}  // namespace frameserve
