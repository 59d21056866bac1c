// AudioDub(video, audio): the pictures and video properties of the first clip with the sound of the
// second.
#include "frameserver/env/errors.h"
#include "frameserver/sources/source_functions.h"

namespace frameserve {
namespace {

// The video clip is the pass-through child; only the audio and its properties come from elsewhere.
class AudioDub final : public GenericVideoFilter {
 public:
  AudioDub(PClip video, PClip audio) : GenericVideoFilter(std::move(video)), audio_(std::move(audio)) {
    const VideoInfo& sound = audio_->GetVideoInfo();
    vi.audio_samples_per_second = sound.audio_samples_per_second;
    vi.sample_type = sound.sample_type;
    vi.nchannels = sound.nchannels;
    vi.num_audio_samples = sound.num_audio_samples;
  }

  void GetAudio(void* buf, int64_t start, int64_t count, IScriptEnvironment* env) override {
    audio_->GetAudio(buf, start, count, env);
  }

 private:
  PClip audio_;
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
