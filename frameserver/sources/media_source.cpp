// MediaSource(path, pixel_type): the first video and the first audio track of a media file, decoded by
// FFMS2 with frame-exact random access.
//
// A file with audio only makes a clip of 25 fps whose frames (empty, width 0) cover the audio, so
// everything that counts in frames still sees its whole length.
#include <algorithm>
#include <optional>
#include <string>

#include "frameserver/sources/audio_span.h"
#include "frameserver/sources/ffms_call.h"
#include "frameserver/sources/media_index.h"
#include "frameserver/sources/media_video.h"
#include "frameserver/sources/source_functions.h"

namespace frameserve {
namespace {

constexpr unsigned kAudioOnlyFps = 25;

// The first track of a type that holds anything; -1 when there is none.
int FirstTrack(FFMS_Index* index, FFMS_TrackType type) {
  for (int i = 0; i < FFMS_GetNumTracks(index); ++i) {
    FFMS_Track* track = FFMS_GetTrackFromIndex(index, i);
    if (FFMS_GetTrackType(track) == type && FFMS_GetNumFrames(track) > 0) return i;
  }
  return -1;
}

int SampleTypeOf(int ffms_format) {
  switch (ffms_format) {
    case FFMS_FMT_U8: return kSampleInt8;
    case FFMS_FMT_S16: return kSampleInt16;
    case FFMS_FMT_S32: return kSampleInt32;  // 24-bit PCM arrives left-justified in 32 bits
    default: return kSampleFloat;            // float, and double converted to it
  }
}

class MediaSource final : public IClip {
 public:
  MediaSource(const std::string& path, int pixel_type) : path_(path) {
    InitFfms();
    FfmsHandle<FFMS_Index> index = IndexMedia(path);
    const int video_track = FirstTrack(index.get(), FFMS_TYPE_VIDEO);
    const int audio_track = FirstTrack(index.get(), FFMS_TYPE_AUDIO);
    if (video_track < 0 && audio_track < 0) throw MediaError("MediaSource: '" + path + "' has no video or audio track");
    if (video_track >= 0) video_.emplace(path, video_track, index.get(), pixel_type);
    if (audio_track >= 0) OpenAudio(audio_track, index.get());
    if (video_) {
      video_->Describe(vi_);
    } else {
      vi_.fps_numerator = kAudioOnlyFps;
      vi_.fps_denominator = 1;
      const int64_t frames = (vi_.num_audio_samples * kAudioOnlyFps + vi_.audio_samples_per_second - 1) /
                             vi_.audio_samples_per_second;
      vi_.num_frames = static_cast<int>(std::clamp<int64_t>(frames, 1, INT32_MAX));
    }
  }

  PVideoFrame GetFrame(int n, IScriptEnvironment* env) override {
    if (!video_) throw MediaError("MediaSource: '" + path_ + "' has no video");
    return video_->Frame(std::clamp(n, 0, vi_.num_frames - 1), vi_, env);
  }
  bool GetParity(int) override { return false; }
  void GetAudio(void* buf, int64_t start, int64_t count, IScriptEnvironment*) override {
    if (!audio_) return;
    ServeAudio(buf, start, count, audio_first_, vi_.num_audio_samples, vi_, [&](uint8_t* out, int64_t from, int64_t n) {
      CallFfms(read_failure_, [&](FFMS_ErrorInfo* e) { return FFMS_GetAudio(audio_.get(), out, from, n, e); });
    });
  }
  void SetCacheHints(int, int) override {}
  const VideoInfo& GetVideoInfo() override { return vi_; }

 private:
  FfmsHandle<FFMS_AudioSource> OpenAudioSource(int track, FFMS_Index* index, int delay_mode) const {
    return FfmsHandle<FFMS_AudioSource>(CallFfms("cannot decode the audio of '" + path_ + "'", [&](FFMS_ErrorInfo* e) {
      return FFMS_CreateAudioSource(path_.c_str(), track, index, delay_mode, e);
    }));
  }

  // Sample 0 is the moment of the first video frame: audio that starts later is padded in front.
  void OpenAudio(int track, FFMS_Index* index) {
    audio_ = OpenAudioSource(track, index, FFMS_DELAY_FIRST_VIDEO_TRACK);
    const FFMS_AudioProperties& props = *FFMS_GetAudioProperties(audio_.get());
    if (props.SampleRate <= 0 || props.Channels <= 0)
      throw MediaError("MediaSource: the audio of '" + path_ + "' has no sample rate or no channels");
    if (props.SampleFormat == FFMS_FMT_DBL) {
      FfmsHandle<FFMS_ResampleOptions> options(FFMS_CreateResampleOptions(audio_.get()));
      options->SampleFormat = FFMS_FMT_FLT;
      CallFfms("cannot convert the audio of '" + path_ + "' to float",
               [&](FFMS_ErrorInfo* e) { return FFMS_SetOutputFormatA(audio_.get(), options.get(), e); });
    }
    // FFMS2 pads with zero bytes, which for unsigned 8-bit is full scale, not silence: serve the
    // padding as silence ourselves. Its length is what the shift added to the unshifted stream.
    if (props.SampleFormat == FFMS_FMT_U8) {
      const int64_t unshifted = FFMS_GetAudioProperties(OpenAudioSource(track, index, FFMS_DELAY_NO_SHIFT).get())->NumSamples;
      audio_first_ = std::clamp<int64_t>(props.NumSamples - unshifted, 0, props.NumSamples);
    }
    vi_.audio_samples_per_second = props.SampleRate;
    vi_.sample_type = SampleTypeOf(props.SampleFormat);
    vi_.nchannels = props.Channels;
    vi_.num_audio_samples = props.NumSamples;
    read_failure_ = "cannot decode the audio of '" + path_ + "'";
  }

  std::string path_;
  std::optional<MediaVideo> video_;
  FfmsHandle<FFMS_AudioSource> audio_;
  int64_t audio_first_ = 0;  // samples before it are padding, served as silence
  std::string read_failure_;
  VideoInfo vi_;
};

}  // namespace

AVSValue CreateMediaSource(AVSValue args, void*, IScriptEnvironment*) {
  const char* path = args[0].AsString("");
  const char* pixel_type = args[1].AsString(nullptr);
  const int code = pixel_type ? PixelTypeByName(pixel_type) : kPixelTypeNone;
  if (pixel_type && code == kPixelTypeNone)
    throw ScriptError(std::string("MediaSource: unknown pixel_type '") + pixel_type + "' (YV12, I420, YUY2 or RGB32)");
  return new MediaSource(path, code);
}

}  // namespace frameserve
