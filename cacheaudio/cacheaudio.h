// CacheAudio: serves a clip's audio from a bounded cache of blocks of whole frames, most recently used
// first, and answers positions outside the clip with silence. Video and clip properties pass through.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>

#include "host/function_row.h"
#include "host/plugin_interface.h"

extern const FunctionRow kCacheAudioRow;

// The audio of block_samples positions from start on, as the child delivered it.
struct AudioBlock {
  static constexpr int64_t kEmpty = -1;  // holds nothing that may be served

  explicit AudioBlock(size_t bytes) : buffer(std::make_unique_for_overwrite<uint8_t[]>(bytes)) {}

  int64_t start = kEmpty;  // a multiple of block_samples once filled
  std::unique_ptr<uint8_t[]> buffer;
};

class CacheAudio : public GenericVideoFilter {
 public:
  // Every out-of-range argument is clamped, none is an error.
  CacheAudio(PClip child, int max_frames, int block_frames, IScriptEnvironment* env);
  ~CacheAudio() override;

  void GetAudio(void* buf, int64_t start, int64_t count, IScriptEnvironment* env) override;

 private:
  void ServeFromBlocks(uint8_t* out, int64_t first, int64_t count, IScriptEnvironment* env);
  const AudioBlock& FetchBlock(int64_t position, IScriptEnvironment* env);
  void WriteSilence(uint8_t* out, int64_t samples) const;

  int32_t sample_bytes;   // one sample position across all channels
  int32_t block_samples;  // 0: blocks would be empty, so the audio is read straight from the child
  int32_t max_blocks;
  size_t block_bytes;
  std::list<std::unique_ptr<AudioBlock>> blocks;  // most recently used first
};
