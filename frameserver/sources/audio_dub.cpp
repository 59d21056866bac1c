// AudioDub(video, audio): the pictures and video properties of the first clip with the sound of the
// second.
#include "frameserver/env/errors.h"
#include "frameserver/sources/source_functions.h"

namespace frameserve {
namespace {

class AudioDub final : public IClip {
 public:
  AudioDub(PClip video, PClip audio) : video_(std::move(video)), audio_(std::move(audio)) {
    vi_ = video_->GetVideoInfo();
    const VideoInfo& sound = audio_->GetVideoInfo();
    vi_.audio_samples_per_second = sound.audio_samples_per_second;
    vi_.sample_type = sound.sample_type;
    vi_.nchannels = sound.nchannels;
    vi_.num_audio_samples = sound.num_audio_samples;
  }

  PVideoFrame GetFrame(int n, IScriptEnvironment* env) override { return video_->GetFrame(n, env); }
  bool GetParity(int n) override { return video_->GetParity(n); }
  void GetAudio(void* buf, int64_t start, int64_t count, IScriptEnvironment* env) override {
    audio_->GetAudio(buf, start, count, env);
  }
  void SetCacheHints(int, int) override {}
  const VideoInfo& GetVideoInfo() override { return vi_; }

 private:
  PClip video_, audio_;
  VideoInfo vi_;
};

}  // namespace

AVSValue CreateAudioDub(AVSValue args, void*, IScriptEnvironment*) {
  PClip video = args[0].AsClip(), audio = args[1].AsClip();
  // Dubbing onto a clip without pictures, or from one without sound, is always a mistake in the script.
  if (!video->GetVideoInfo().HasVideo()) throw ScriptError("AudioDub: the first clip has no video");
  if (!audio->GetVideoInfo().HasAudio()) throw ScriptError("AudioDub: the second clip has no audio");
  return new AudioDub(std::move(video), std::move(audio));
}

}  // namespace frameserve
