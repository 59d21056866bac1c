// SoundTrace's registration, factory and constructor: validation, argument clamps, panel geometry and
// the window buffer. Drawing lives in soundtrace_canvas.cpp and soundtrace_waveform.cpp.
#include <algorithm>
#include <cstdint>

#include "host/audio_math.h"
#include "soundtrace/soundtrace.h"

namespace {

constexpr const char* kName = "SoundTrace";
constexpr int kMaxFrames = 10;
constexpr int kDefaultPanelHeight = 80;
constexpr int kMinPanelHeight = 10;

AVSValue PLUGIN_CC CreateSoundTrace(AVSValue args, void*, IScriptEnvironment* env) {
  const int frames = args[1].AsInt(2);
  const int top = args[2].AsInt(-1);
  const int height = args[3].AsInt(kDefaultPanelHeight);
  const bool fill = args[4].AsBool(true);
  const int channel = args[5].AsInt(-1);
  return new SoundTrace(args[0].AsClip(), frames, top, height, fill, channel, env);
}

}  // namespace

const FunctionRow kSoundTraceRow = {kName, "c[frames]i[top]i[height]i[fill]b[channel]i", CreateSoundTrace};

SoundTrace::SoundTrace(PClip child, int frames_arg, int top_arg, int height_arg, bool fill_arg,
                       int channel_arg, IScriptEnvironment* env)
    : GenericVideoFilter(std::move(child)) {
  if (!vi.IsYUY2() && !vi.Is(kPixelTypeYV12) && !vi.Is(kPixelTypeI420))
    env->ThrowError("%s : YUY2, YV12 only", kName);
  if (!vi.HasAudio()) env->ThrowError("%s : clip has no audio", kName);
  // The window's length divides by the frame rate's numerator, and the buffer is sized by the sample
  // width: refuse clips that would make either meaningless.
  if (vi.fps_numerator == 0) env->ThrowError("%s : clip has a frame rate of 0", kName);
  const int sample_bytes = SampleWidth(vi.sample_type);
  plot = PlotFor(vi.sample_type);
  if (!plot) env->ThrowError("%s : unsupported audio sample type %d", kName, vi.sample_type);

  frames = std::clamp(frames_arg, 0, kMaxFrames);
  window_frames = 2 * frames + 1;

  // A height below the minimum means "the default", not "the minimum".
  panel_height = height_arg < kMinPanelHeight ? kDefaultPanelHeight : height_arg;
  panel_height = std::min(panel_height, vi.height);

  top = std::min(std::max(top_arg, -1), vi.height - panel_height);
  if (top == -1) {
    // Strips stacked by a chain of calls double the height at most each time: refuse one that would
    // pass the largest frame rather than let the row count wrap.
    if (vi.height > INT32_MAX - panel_height)
      env->ThrowError("%s : a strip below %d rows would make the picture too tall", kName, vi.height);
    top = vi.height;
    vi.height += panel_height;
    fill = true;
  } else {
    fill = fill_arg;
  }

  channel_count = vi.nchannels;
  channel = channel_arg < -1 || channel_arg >= channel_count ? -1 : channel_arg;

  // Only a window whose samples and bytes both fit 32-bit counts can be fetched and plotted.
  const int64_t exact_samples = CheckedFrameSpan(vi, window_frames);
  const int64_t frame_bytes = int64_t{sample_bytes} * std::max(vi.nchannels, 0);
  if (exact_samples < 0 || vi.nchannels < 0 || exact_samples * frame_bytes > INT32_MAX)
    env->ThrowError("%s : audio window of %d frames is too large", kName, window_frames);
  window_samples = FrameSpanSamples(vi, window_frames);
  window_buffer = std::make_unique_for_overwrite<uint8_t[]>(static_cast<size_t>(window_samples * frame_bytes));
}

SoundTrace::~SoundTrace() = default;
