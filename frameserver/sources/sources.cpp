#include "frameserver/sources/sources.h"

#include <strings.h>

#include "frameserver/sources/source_functions.h"

namespace frameserve {

int PixelTypeByName(const char* name) {
  static constexpr struct {
    const char* name;
    int code;
  } kNames[] = {{"YUY2", kPixelTypeYUY2}, {"YV12", kPixelTypeYV12}, {"I420", kPixelTypeI420}, {"RGB32", kPixelTypeRGB32}};
  for (const auto& entry : kNames)
    if (strcasecmp(name, entry.name) == 0) return entry.code;
  return kPixelTypeNone;
}

void RegisterSources(ScriptEnvironment& env) {
  env.AddFunction("MediaSource", "s[pixel_type]s", CreateMediaSource, nullptr);
  env.AddFunction("TestSource",
                  "[width]i[height]i[pixel_type]s[fps_numerator]i[fps_denominator]i[frames]i"
                  "[audio_rate]i[channels]i[sample_type]s[audio]b",
                  CreateTestSource, nullptr);
  env.AddFunction("AudioDub", "cc", CreateAudioDub, nullptr);
}

}  // namespace frameserve
