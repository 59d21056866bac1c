#include "frameserver/writers/render.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "frameserver/env/errors.h"
#include "frameserver/writers/output_file.h"
#include "frameserver/writers/wav_writer.h"
#include "frameserver/writers/writers.h"
#include "host/audio_math.h"

namespace frameserve {
namespace {

enum class Format { kY4m, kWav, kPng, kMkv };

Format FormatOf(const std::filesystem::path& out) {
  if (out == "-") return Format::kY4m;
  std::string ext = out.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  if (ext == ".y4m") return Format::kY4m;
  if (ext == ".wav") return Format::kWav;
  if (ext == ".png") return Format::kPng;
  if (ext == ".mkv") return Format::kMkv;
  throw Error("cannot tell the format of '" + out.string() +
              "': the output must end in .y4m, .wav, .png or .mkv, or be - for Y4M on standard output");
}

// The frames asked for: a start outside the clip or an empty count is an error, a count past the end is
// cut to the end.
FrameRange Frames(const VideoInfo& vi, const RenderOptions& options) {
  const int last = vi.num_frames - 1;
  const int start = options.start.value_or(0);
  if ((options.start || options.count) && vi.num_frames <= 0)
    throw Error("--start and --count need a clip with frames");
  if (start < 0) throw Error("--start " + std::to_string(start) + " is before the clip's first frame 0");
  if (start > last && vi.num_frames > 0)
    throw Error("--start " + std::to_string(start) + " is past the clip's last frame " + std::to_string(last));
  if (options.count && *options.count < 1)
    throw Error("--count must be at least 1, got " + std::to_string(*options.count));
  const int left = std::max(vi.num_frames - start, 0);
  return {start, std::min(options.count.value_or(left), left)};
}

// All of the clip's audio; with a range, the audio of those frames as far as the clip has audio.
SampleRange Samples(const VideoInfo& vi, const RenderOptions& options) {
  if (!vi.HasAudio()) return {};
  if (SampleWidth(vi.sample_type) == 0 || vi.nchannels < 1)
    throw Error("the clip's audio has an unknown format: sample type " + std::to_string(vi.sample_type) + ", " +
                std::to_string(vi.nchannels) + " channels");
  if (!options.start && !options.count) return {0, vi.num_audio_samples};
  if (vi.fps_numerator == 0) throw Error("--start and --count need a clip with a frame rate");
  const FrameRange frames = Frames(vi, options);
  const int64_t first = std::min(FrameStartSample(vi, frames.start), vi.num_audio_samples);
  const int64_t end = std::min(FrameStartSample(vi, int64_t{frames.start} + frames.count), vi.num_audio_samples);
  return {first, end - first};
}

// Progress of audio-only output, in frames when the clip has them, else in seconds.
int ProgressTotal(const VideoInfo& vi, const RenderOptions& options, SampleRange samples) {
  if (options.start || options.count) return Frames(vi, options).count;
  if (vi.num_frames > 0) return vi.num_frames;
  const int64_t rate = vi.audio_samples_per_second;
  return static_cast<int>(std::min<int64_t>((samples.count + rate - 1) / rate, INT32_MAX));
}

void Require(bool present, const char* what, const std::filesystem::path& out) {
  if (!present) throw Error(std::string("the clip has no ") + what + " to write to '" + out.string() + "'");
}

}  // namespace

void Render(const PClip& clip, ScriptEnvironment& env, const std::filesystem::path& out,
            const RenderOptions& options) {
  IgnoreWriteSignals();
  const VideoInfo& vi = clip->GetVideoInfo();
  // Everything that can be refused is refused before the output is created.
  const auto write = [&out](const auto& writer) {
    OutputFile file(out);
    writer(file);
    file.Commit();
  };
  switch (FormatOf(out)) {
    case Format::kY4m: {
      Require(vi.HasVideo(), "video", out);
      const FrameRange frames = Frames(vi, options);
      write([&](OutputFile& file) { WriteY4m(clip, env, file, frames, options); });
      return;
    }
    case Format::kWav: {
      Require(vi.HasAudio(), "audio", out);
      const SampleRange samples = Samples(vi, options);
      CheckWavSize(vi, samples.count);
      const AudioProgress progress(options, samples, ProgressTotal(vi, options, samples));
      write([&](OutputFile& file) { WriteWav(clip, env, file, samples, progress); });
      return;
    }
    case Format::kPng: {
      Require(vi.HasVideo(), "video", out);
      if (options.count && *options.count != 1)
        throw Error(".png holds one frame: choose it with --start, without --count");
      const int frame = Frames(vi, options).start;
      write([&](OutputFile& file) { WritePng(clip, env, file, frame); });
      return;
    }
    case Format::kMkv: {
      if (!vi.HasVideo()) Require(vi.HasAudio(), "video or audio", out);
      const FrameRange frames = vi.HasVideo() ? Frames(vi, options) : FrameRange{};
      const SampleRange samples = Samples(vi, options);
      const AudioProgress progress(options, samples, ProgressTotal(vi, options, samples));
      write([&](OutputFile& file) { WriteMkv(clip, env, file, frames, samples, options, progress); });
      return;
    }
  }
}

}  // namespace frameserve
