// The writers behind Render, one per output format. Render has checked the clip and the range; each
// writer fills the OutputFile and leaves committing to Render.
#pragma once

#include <cstdint>

#include "frameserver/env/script_environment.h"
#include "frameserver/writers/output_file.h"
#include "frameserver/writers/render.h"
#include "host/plugin_interface.h"

namespace frameserve {

struct FrameRange {
  int start = 0;
  int count = 0;
};

struct SampleRange {
  int64_t start = 0;
  int64_t count = 0;
};

// How far audio writing has come, told as options.progress wants it: in frames of the range.
class AudioProgress {
 public:
  AudioProgress(const RenderOptions& options, SampleRange samples, int total_frames)
      : options_(options), samples_(samples.count), total_(total_frames) {}
  void Report(int64_t samples_done) const {
    if (options_.progress && samples_ > 0)
      options_.progress(static_cast<int>(total_ * samples_done / samples_), total_);
  }

 private:
  const RenderOptions& options_;
  int64_t samples_;
  int total_;
};

void WriteY4m(const PClip& clip, ScriptEnvironment& env, OutputFile& out, FrameRange frames,
              const RenderOptions& options);
void WriteWav(const PClip& clip, ScriptEnvironment& env, OutputFile& out, SampleRange samples,
              const AudioProgress& progress);
void WritePng(const PClip& clip, ScriptEnvironment& env, OutputFile& out, int frame);
// Either range may be empty (count 0) for a clip without video or without audio. Progress goes by video
// frames, by audio_progress when there is no video.
void WriteMkv(const PClip& clip, ScriptEnvironment& env, OutputFile& out, FrameRange frames,
              SampleRange samples, const RenderOptions& options, const AudioProgress& audio_progress);

}  // namespace frameserve
