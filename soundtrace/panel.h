// The panel of an output frame as the drawing sees it: its luma bytes, whatever the pixel format, so
// borders, ticks and dots are each written once.
//
//   YUY2       one packed plane   Y0 U0 Y1 V0 | Y2 U1 Y3 V1 ...   luma on the even bytes: step 2
//   YV12/I420  Y plane, step 1;   U and V planes of half width and half height
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/plugin_interface.h"

struct Panel {
  uint8_t* base;       // luma byte of column 0 on the panel's first row
  int pitch;           // of the luma (for YUY2, the packed) plane
  int step;            // bytes from one pixel's luma to the next one's
  int width;           // pixel columns
  int height;          // rows
  bool chroma_planes;  // U and V have planes of their own; in YUY2 they share the luma bytes' rows

  uint8_t& Luma(int x, int row) const {
    return base[static_cast<ptrdiff_t>(row) * pitch + static_cast<ptrdiff_t>(x) * step];
  }
};

// The rows top to top + rows - 1 of a writable frame of the filter's format.
inline Panel PanelOf(const VideoFrame& frame, const VideoInfo& vi, int top, int rows) {
  const int step = vi.IsYUY2() ? 2 : 1;
  return {frame.GetWritePtr() + static_cast<ptrdiff_t>(top) * frame.GetPitch(),
          frame.GetPitch(),
          step,
          frame.GetRowSize() / step,
          rows,
          vi.IsPlanar()};
}
