// The script interpreter on any text, with the tool's sources and the plug-in: a value or a
// frameserve::Error, never a crash or a hang. When the script makes a small clip, a few of its frames
// and some of its audio are fetched too, so the filters it builds run as well.
#include <algorithm>
#include <string_view>
#include <vector>

#include "frameserver/env/errors.h"
#include "frameserver/frames/frame_pool.h"
#include "frameserver/script/interpreter.h"
#include "frameserver/sources/source_functions.h"
#include "frameserver/sources/sources.h"
#include "tests/fuzz/fuzz_env.h"

namespace {

constexpr int kMaxSide = 256;
constexpr int64_t kMaxSamplesPerFrame = 4096;
constexpr int64_t kMaxFrameBytes = int64_t{1} << 20;

// TestSource within bounds that keep every frame and window small; the real one does the rest.
AVSValue BoundedTestSource(AVSValue args, void* user_data, IScriptEnvironment* env) {
  const int64_t width = args[0].AsInt(640), height = args[1].AsInt(480);
  const int64_t numerator = args[3].AsInt(25), denominator = args[4].AsInt(1), rate = args[6].AsInt(48000);
  if (width > kMaxSide || height > kMaxSide) env->ThrowError("TestSource: over %d pixels a side", kMaxSide);
  if (numerator > 0 && denominator > 0 && rate > 0 && rate * denominator / numerator > kMaxSamplesPerFrame)
    env->ThrowError("TestSource: over %d samples a frame", static_cast<int>(kMaxSamplesPerFrame));
  return frameserve::CreateTestSource(args, user_data, env);
}

AVSValue NoMediaSource(AVSValue, void*, IScriptEnvironment* env) { env->ThrowError("MediaSource: no files here"); }

void Exercise(const PClip& clip, frameserve::ScriptEnvironment& env) {
  const VideoInfo vi = clip->GetVideoInfo();
  if (vi.HasVideo() && vi.num_frames > 0 && frameserve::LayoutFor(vi, 16).bytes <= kMaxFrameBytes)
    for (int n : {0, vi.num_frames / 2, vi.num_frames - 1}) clip->GetFrame(n, &env);
  const int64_t position_bytes = fuzz::PositionBytes(vi);
  if (vi.HasAudio() && position_bytes > 0 && position_bytes <= 64) {
    std::vector<uint8_t> buffer(static_cast<size_t>(4096 * position_bytes));
    clip->GetAudio(buffer.data(), -100, 4096, &env);
    clip->GetAudio(buffer.data(), std::max<int64_t>(vi.num_audio_samples - 2000, 0), 4096, &env);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  frameserve::ScriptEnvironment env;
  frameserve::RegisterSources(env);
  env.AddFunction("TestSource",
                  "[width]i[height]i[pixel_type]s[fps_numerator]i[fps_denominator]i[frames]i"
                  "[audio_rate]i[channels]i[sample_type]s[audio]b",
                  BoundedTestSource, nullptr);
  env.AddFunction("MediaSource", "s[pixel_type]s", NoMediaSource, nullptr);
  fuzz::RegisterPlugin(env);
  try {
    const AVSValue value = frameserve::RunScript(env, std::string_view(reinterpret_cast<const char*>(bytes), size));
    if (value.IsClip()) Exercise(value.AsClip(), env);
  } catch (const frameserve::Error&) {
  }
  return 0;
}
