// CacheAudio's serving of audio requests: silence outside the clip, and the clip's positions from the
// most-recently-used blocks, each block asked of the child whole when it is not cached.
//
// A request is served as runs, one copy per block it touches, in ascending order. The child sees
// exactly the requests, and the block list ends in exactly the order, that looking up every position
// on its own would give: positions of one block after the first find it at the front.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "cacheaudio/cacheaudio.h"

void CacheAudio::GetAudio(void* buf, int64_t start, int64_t count, IScriptEnvironment* env) {
  // A clip without channels has no bytes to write (and a caller may pass no buffer for none).
  if (count <= 0 || sample_bytes == 0) return;
  // Split into silence before the clip, the clip's part and silence after it, without overflow for
  // any start: start + count is only formed for a negative start, and -start only when it is below
  // count.
  const int64_t before = start >= 0 ? 0 : start + count <= 0 ? count : -start;
  const int64_t first = start + before;
  const int64_t rest = count - before;
  // A request wholly before the clip leaves first far below 0: nothing is inside, and the clip's length
  // minus first is never formed.
  const int64_t inside = rest == 0 || first >= vi.num_audio_samples ? 0 : std::min(rest, vi.num_audio_samples - first);

  auto* out = static_cast<uint8_t*>(buf);
  WriteSilence(out, before);
  out += before * sample_bytes;
  if (inside > 0) {
    if (block_samples > 0)
      ServeFromBlocks(out, first, inside, env);
    else
      child->GetAudio(out, first, inside, env);
  }
  out += inside * sample_bytes;
  WriteSilence(out, rest - inside);
}

void CacheAudio::ServeFromBlocks(uint8_t* out, int64_t first, int64_t count, IScriptEnvironment* env) {
  const int64_t end = first + count;
  for (int64_t p = first; p < end;) {
    const AudioBlock& block = FetchBlock(p, env);
    const int64_t offset = p - block.start;
    const int64_t run = std::min(end - p, block_samples - offset);
    std::memcpy(out, block.buffer.get() + offset * sample_bytes, static_cast<size_t>(run * sample_bytes));
    out += run * sample_bytes;
    p += run;
  }
}

const AudioBlock& CacheAudio::FetchBlock(int64_t position, IScriptEnvironment* env) {
  const int64_t key = position - position % block_samples;
  const auto found = std::find_if(blocks.begin(), blocks.end(), [key](const auto& block) { return block->start == key; });
  if (found != blocks.end()) {
    blocks.splice(blocks.begin(), blocks, found);
    return *blocks.front();
  }

  // Until the cache is full a miss adds a block; from then on it refills the least recently used one.
  if (blocks.size() < static_cast<size_t>(max_blocks))
    blocks.push_front(std::make_unique<AudioBlock>(block_bytes));
  else
    blocks.splice(blocks.begin(), blocks, std::prev(blocks.end()));
  AudioBlock& block = *blocks.front();
  block.start = key;
  try {
    child->GetAudio(block.buffer.get(), key, block_samples, env);
  } catch (...) {
    // Half written: never serve it, and make it the first block to be refilled.
    block.start = AudioBlock::kEmpty;
    blocks.splice(blocks.end(), blocks, blocks.begin());
    throw;
  }
  return block;
}

void CacheAudio::WriteSilence(uint8_t* out, int64_t samples) const {
  // 8-bit samples are unsigned: silence is their midpoint, not 0.
  const int silence = vi.sample_type == kSampleInt8 ? 0x80 : 0;
  std::memset(out, silence, static_cast<size_t>(samples * sample_bytes));
}
