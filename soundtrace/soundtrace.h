// SoundTrace: draws the waveform of the audio around each frame into a panel over the picture or in a
// strip added below it.
#pragma once

#include <cstdint>
#include <memory>

#include "host/function_row.h"
#include "host/plugin_interface.h"

struct Panel;

extern const FunctionRow kSoundTraceRow;

class SoundTrace : public GenericVideoFilter {
 public:
  // top -1 selects the strip below the picture; every out-of-range argument is clamped, none is an error.
  SoundTrace(PClip child, int frames, int top, int height, bool fill, int channel, IScriptEnvironment* env);
  ~SoundTrace() override;

  PVideoFrame GetFrame(int n, IScriptEnvironment* env) override;

 private:
  // The level (0 to 255, 128 on the zero line) of one element of the window's audio.
  using SampleLevelFunc = int (*)(const uint8_t* window, int64_t element);
  static SampleLevelFunc SampleLevelFor(int sample_type);

  void FetchWindow(int n, IScriptEnvironment* env);
  void PlotWindow(const Panel& panel) const;

  int32_t frames;         // frames on each side of the current one, 0 to 10
  int32_t top;            // first panel row in the output frame
  int32_t panel_height;
  int32_t window_frames;  // 2 x frames + 1
  bool fill;              // paint the panel's background; always in strip mode
  int32_t channel;        // the channel drawn, or -1 for all of them
  std::unique_ptr<uint8_t[]> window_buffer;  // the window's interleaved audio, refilled every frame
  int32_t window_samples;
  int32_t channel_count;
  SampleLevelFunc sample_level;  // chosen once for the clip's sample type
};
