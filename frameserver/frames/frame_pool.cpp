#include "frameserver/frames/frame_pool.h"

#include <algorithm>
#include <new>
#include <string>

#include "frameserver/env/errors.h"

namespace frameserve {
namespace {

// Buffers start on a cache line whatever alignment a filter asks for; pitches use the larger of the two.
constexpr int kBufferAlign = 64;
constexpr int kMinPitchAlign = 16;

int64_t AlignUp(int64_t value, int64_t align) { return (value + align - 1) / align * align; }

int BytesPerPixel(const VideoInfo& vi) {
  if (vi.IsYUY2()) return 2;
  if (vi.Is(kPixelTypeRGB32)) return 4;
  return 1;
}

}  // namespace

FrameLayout LayoutFor(const VideoInfo& vi, int align) {
  if (vi.width < 0 || vi.height < 0)
    throw Error("cannot make a frame of " + std::to_string(vi.width) + "x" + std::to_string(vi.height));
  // Only powers of two make sense as alignments; anything else gets the default.
  const int64_t pitch_align = align > kMinPitchAlign && (align & (align - 1)) == 0 ? align : kMinPitchAlign;
  const int64_t row_size = int64_t{vi.width} * BytesPerPixel(vi);
  const int64_t pitch = AlignUp(row_size, pitch_align);
  int64_t bytes = pitch * vi.height;
  int64_t pitch_uv = 0, offset_u = 0, offset_v = 0;
  if (vi.IsPlanar()) {
    pitch_uv = AlignUp(row_size / 2, pitch_align);
    const int64_t plane_uv = pitch_uv * (vi.height / 2);
    offset_u = bytes;
    offset_v = bytes + plane_uv;
    bytes += 2 * plane_uv;
  }
  if (bytes > INT32_MAX)
    throw Error("frame of " + std::to_string(vi.width) + "x" + std::to_string(vi.height) + " is too large");
  FrameLayout layout;
  layout.row_size = static_cast<int>(row_size);
  layout.height = vi.height;
  layout.pitch = static_cast<int>(pitch);
  layout.pitch_uv = static_cast<int>(pitch_uv);
  layout.offset_u = static_cast<int>(offset_u);
  layout.offset_v = static_cast<int>(offset_v);
  layout.bytes = bytes;
  return layout;
}

// Each buffer is allocated at exactly its frame's size, aligned by the allocator rather than by padding:
// a filter that writes past its frame, or before it, leaves the allocation, which AddressSanitizer reports.
struct FramePool::Entry {
  struct AlignedDelete {
    void operator()(uint8_t* p) const { ::operator delete[](p, std::align_val_t{kBufferAlign}); }
  };

  explicit Entry(int64_t bytes)
      : storage(static_cast<uint8_t*>(::operator new[](std::max<size_t>(static_cast<size_t>(bytes), 1),
                                                       std::align_val_t{kBufferAlign}))),
        buffer(storage.get(), static_cast<int>(bytes)),
        frame(&buffer, 0, 0, 0, 0) {}

  bool Free() const { return frame.RefCount() == 0 && buffer.RefCount() == 0; }

  std::unique_ptr<uint8_t[], AlignedDelete> storage;
  VideoFrameBuffer buffer;
  VideoFrame frame;
};

FramePool::FramePool() = default;
FramePool::~FramePool() = default;

PVideoFrame FramePool::NewFrame(const VideoInfo& vi, int align) {
  const FrameLayout layout = LayoutFor(vi, align);
  // Prefer a free buffer of exactly this size; else give a free one of another size new storage.
  auto free_of_size = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) {
    return e->Free() && e->buffer.Size() == layout.bytes;
  });
  if (free_of_size == entries_.end()) {
    auto any_free = std::find_if(entries_.begin(), entries_.end(), [](const auto& e) { return e->Free(); });
    auto fresh = std::make_unique<Entry>(layout.bytes);
    ++allocations_;
    if (any_free != entries_.end()) {
      *any_free = std::move(fresh);
      free_of_size = any_free;
    } else {
      entries_.push_back(std::move(fresh));
      free_of_size = entries_.end() - 1;
    }
  }
  Entry& entry = **free_of_size;
  entry.frame = VideoFrame(&entry.buffer, 0, layout.pitch, layout.row_size, layout.height, layout.offset_u,
                           layout.offset_v, layout.pitch_uv);
  return PVideoFrame(&entry.frame);
}

size_t FramePool::FramesInUse() const {
  return static_cast<size_t>(std::count_if(entries_.begin(), entries_.end(), [](const auto& e) { return !e->Free(); }));
}

}  // namespace frameserve
