// Serving an audio request in full from a stream that covers only part of it: the part inside the
// stream is read, everything else is silence.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "host/audio_math.h"
#include "host/plugin_interface.h"

namespace frameserve {

// Bytes of one sample of all channels.
inline int64_t SampleBytes(const VideoInfo& vi) { return int64_t{SampleWidth(vi.sample_type)} * vi.nchannels; }

// Writes count samples of silence: 0x80 for unsigned 8-bit, zero bytes for every other type.
inline void WriteSilence(uint8_t* out, int64_t count, const VideoInfo& vi) {
  if (count > 0) std::memset(out, vi.sample_type == kSampleInt8 ? 0x80 : 0, static_cast<size_t>(count * SampleBytes(vi)));
}

// The samples of the request [start, start + count) that lie in the stream's [first, end).
struct StreamPart {
  int64_t start = 0;   // first stream sample to read
  int64_t count = 0;   // samples to read; 0 when the request misses the stream
  int64_t offset = 0;  // where they go, in samples from the start of the request
};

inline StreamPart PartInStream(int64_t start, int64_t count, int64_t first, int64_t end) {
  const int64_t from = std::max(start, first);
  // count > 0: the request's end saturates rather than overflows near INT64_MAX.
  const int64_t to = std::min(start > INT64_MAX - count ? INT64_MAX : start + count, end);
  if (to <= from) return {};
  return {from, to - from, from - start};
}

// Serves a request: read(buffer, first_sample, count) fills the inside part, silence the rest.
template <typename Read>
void ServeAudio(void* buf, int64_t start, int64_t count, int64_t first, int64_t end, const VideoInfo& vi,
                Read&& read) {
  if (count <= 0) return;
  auto* out = static_cast<uint8_t*>(buf);
  const int64_t bytes = SampleBytes(vi);
  const StreamPart part = PartInStream(start, count, first, end);
  if (part.count == 0) {
    WriteSilence(out, count, vi);
    return;
  }
  WriteSilence(out, part.offset, vi);
  read(out + part.offset * bytes, part.start, part.count);
  const int64_t after = part.offset + part.count;
  WriteSilence(out + after * bytes, count - after, vi);
}

}  // namespace frameserve
