// What the fuzz targets share: an environment holding the plug-in's functions, and clip properties
// drawn from the fuzzer's input.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

#include "frameserver/env/script_environment.h"
#include "host/plugin_interface.h"

namespace fuzz {

// Registers the plug-in's functions with env through its own entry, as loading it would.
void RegisterPlugin(frameserve::ScriptEnvironment& env);

// Mostly one of the values that matter (the bounds, 0, -1, the usual ones), sometimes anything at all.
int DrawInt(FuzzedDataProvider& data, int low, int high);

// A clip's audio properties: any frame rate (0 included), sample rate, sample type code, channel count
// and length. The video is left to the caller.
void DrawAudio(FuzzedDataProvider& data, VideoInfo& vi);

// Bytes of audio one sample position of vi takes, or -1 when the sample type or channel count is one
// no buffer can be made for.
int64_t PositionBytes(const VideoInfo& vi);

// Samples a span of frames covers, exactly (no 32-bit limit), or -1 when the clip's rate makes it
// meaningless (a frame rate of 0, a negative sample rate).
int64_t ExactSpan(const VideoInfo& vi, int64_t frames);

}  // namespace fuzz
