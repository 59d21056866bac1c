// The panel of a SoundTrace frame as a view of luma bytes, so borders, ticks and dots are written once
// for every pixel format.
#pragma once

#include <cstdint>

#include "host/plugin_interface.h"

// YUY2 row: Y0 U0 Y1 V0 | Y2 U1 Y3 V1  -- luma on even bytes, so a column is two bytes wide.
// YV12 and I420: the luma plane alone, one byte per column.
struct LumaPanel {
  uint8_t* base;  // first byte of the panel's first row
  int pitch;
  int step;       // bytes from one column's luma to the next
  int width;      // pixel columns
  int height;     // rows

  uint8_t& At(int x, int row) const { return base[static_cast<int64_t>(row) * pitch + x * step]; }
};

// The panel's rows top to top + height - 1 of a writable frame of the clip's format.
inline LumaPanel PanelOf(const VideoFrame& frame, const VideoInfo& vi, int top, int height) {
  const int step = vi.IsYUY2() ? 2 : 1;
  return {frame.GetWritePtr() + static_cast<int64_t>(top) * frame.GetPitch(), frame.GetPitch(), step,
          frame.GetRowSize() / step, height};
}
