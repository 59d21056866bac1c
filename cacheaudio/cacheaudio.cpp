// CacheAudio's registration, factory and constructor: validation, the clamps of the cache's size and
// of its blocks, and the block geometry. Serving lives in cacheaudio_serve.cpp.
#include "cacheaudio/cacheaudio.h"

#include <algorithm>
#include <cstdint>

#include "host/audio_math.h"

namespace {

constexpr const char* kName = "CacheAudio";

AVSValue PLUGIN_CC CreateCacheAudio(AVSValue args, void*, IScriptEnvironment* env) {
  const int max_frames = args[1].AsInt(1000);
  const int block_frames = args[2].AsInt(100);
  return new CacheAudio(args[0].AsClip(), max_frames, block_frames, env);
}

}  // namespace

const FunctionRow kCacheAudioRow = {kName, "c[MaxFrame]i[BlockFrame]i", CreateCacheAudio};

CacheAudio::CacheAudio(PClip child, int max_frames, int block_frames, IScriptEnvironment* env)
    : GenericVideoFilter(std::move(child)) {
  if (!vi.HasAudio()) env->ThrowError("%s : clip has no audio", kName);
  // Block lengths divide by the frame rate's numerator, and blocks are sized by the sample width.
  if (vi.fps_numerator == 0) env->ThrowError("%s : clip has a frame rate of 0", kName);
  const int width = SampleWidth(vi.sample_type);
  if (width == 0) env->ThrowError("%s : unsupported audio sample type %d", kName, vi.sample_type);
  if (vi.nchannels < 0 || int64_t{width} * vi.nchannels > INT32_MAX)
    env->ThrowError("%s : unsupported audio channel count %d", kName, vi.nchannels);
  sample_bytes = width * vi.nchannels;

  // The caps come last: a clip of fewer frames than asked caps both, and a clip without frames makes
  // both 0.
  const int m = std::min(std::max(max_frames < 0 ? vi.num_frames : max_frames, 1), vi.num_frames);
  const int b = std::min(std::max(block_frames < 0 ? m : block_frames, 1), m);

  // A block must hold at least one sample and its span must fit a 32-bit count; any other clip (no
  // frames, a block shorter than a sample, a negative rate, an enormous block) is served uncached.
  const int64_t span = b >= 1 ? CheckedFrameSpan(vi, b) : -1;
  if (span <= 0) {
    block_samples = 0;
    max_blocks = 0;
    block_bytes = 0;
    return;
  }
  max_blocks = m / b;
  block_samples = FrameSpanSamples(vi, b);
  block_bytes = static_cast<size_t>(block_samples) * static_cast<size_t>(sample_bytes);
}

CacheAudio::~CacheAudio() = default;
