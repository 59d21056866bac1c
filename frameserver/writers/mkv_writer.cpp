// Matroska through libavformat: the video frame by frame, each followed by the audio up to the next
// frame's start, so the muxer interleaves with little buffering.
#include <optional>

#include "frameserver/env/errors.h"
#include "frameserver/writers/encoders.h"
#include "frameserver/writers/writers.h"
#include "host/audio_math.h"

namespace frameserve {
namespace {

AvPtr<AVFormatContext> NewMuxer() {
  AVFormatContext* muxer = nullptr;
  CheckAv(avformat_alloc_output_context2(&muxer, nullptr, "matroska", nullptr), "cannot set up the Matroska muxer");
  return AvPtr<AVFormatContext>(muxer);
}

// The muxer writes the temporary file itself: it seeks back to finish the headers.
void OpenOutput(AVFormatContext* muxer, OutputFile& out) {
  const int opened = avio_open(&muxer->pb, out.TemporaryPath().c_str(), AVIO_FLAG_WRITE);
  if (opened < 0) out.Fail(AvErrorText(opened));
  const int header = avformat_write_header(muxer, nullptr);
  if (header < 0) out.Fail(AvErrorText(header));
}

void CloseOutput(AVFormatContext* muxer, OutputFile& out) {
  const int trailer = av_write_trailer(muxer);
  if (trailer < 0) out.Fail(AvErrorText(trailer));
  const int closed = avio_closep(&muxer->pb);
  if (closed < 0) out.Fail(AvErrorText(closed));
}

}  // namespace

void WriteMkv(const PClip& clip, ScriptEnvironment& env, OutputFile& out, FrameRange frames, SampleRange samples,
              const RenderOptions& options, const AudioProgress& audio_progress) {
  const VideoInfo& vi = clip->GetVideoInfo();
  // FFmpeg's messages would break the one-line error; failures come back as codes and are reported once.
  av_log_set_level(AV_LOG_QUIET);
  const AvPtr<AVFormatContext> muxer = NewMuxer();
  std::optional<VideoEncoder> video;
  std::optional<AudioEncoder> audio;
  std::optional<FramePlanes> planes;
  if (vi.HasVideo()) {
    if (vi.fps_numerator == 0 || vi.fps_numerator > INT32_MAX || vi.fps_denominator > INT32_MAX)
      throw Error("the clip's frame rate " + std::to_string(vi.fps_numerator) + "/" +
                  std::to_string(vi.fps_denominator) + " cannot be stored in Matroska");
    video.emplace(muxer.get(), out, vi, options.vcodec);
    planes.emplace(vi);
  }
  if (vi.HasAudio()) audio.emplace(muxer.get(), out, vi, options.acodec, samples.start);
  OpenOutput(muxer.get(), out);

  const int64_t audio_end = samples.start + samples.count;
  int64_t audio_done = samples.start;
  for (int i = 0; video && i < frames.count; ++i) {
    const int n = frames.start + i;
    video->Write(planes->Of(clip->GetFrame(n, &env)), i);
    if (audio) {
      audio_done = std::min(FrameStartSample(vi, int64_t{n} + 1), audio_end);
      audio->WriteUntil(*clip.get(), env, audio_done, false);
    }
    if (options.progress) options.progress(i + 1, frames.count);
  }
  if (audio) {
    // Without video, or past its end: the rest in steps, so progress keeps moving.
    const int64_t step = std::max(vi.audio_samples_per_second, 1);
    for (int64_t end = audio_done; end < audio_end;) {
      end = std::min(end + step, audio_end);
      audio->WriteUntil(*clip.get(), env, end, false);
      if (!video) audio_progress.Report(end - samples.start);
    }
    audio->WriteUntil(*clip.get(), env, audio_end, true);
    audio->Flush();
  }
  if (video) video->Flush();
  CloseOutput(muxer.get(), out);
}

}  // namespace frameserve
