// Frames for every clip of one environment, recycled: a frame whose counts have dropped to 0 is
// handed out again, so steady rendering allocates nothing per frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "host/plugin_interface.h"

namespace frameserve {

// Where each plane of a frame of some VideoInfo lies in its buffer.
struct FrameLayout {
  int row_size = 0;  // bytes of one luma (or packed) row
  int height = 0;
  int pitch = 0;
  int pitch_uv = 0;  // 0 for interleaved formats
  int offset_u = 0;
  int offset_v = 0;
  int64_t bytes = 0;
};

// Throws frameserve::Error for a geometry no frame can have (negative, or past 2 GiB).
FrameLayout LayoutFor(const VideoInfo& vi, int align);

class FramePool {
 public:
  FramePool();
  ~FramePool();
  FramePool(const FramePool&) = delete;
  FramePool& operator=(const FramePool&) = delete;

  PVideoFrame NewFrame(const VideoInfo& vi, int align);

  // Buffers allocated over the pool's life: stays flat once rendering reaches a steady state.
  size_t Allocations() const { return allocations_; }
  size_t FramesInUse() const;

 private:
  struct Entry;
  std::vector<std::unique_ptr<Entry>> entries_;
  size_t allocations_ = 0;
};

}  // namespace frameserve
