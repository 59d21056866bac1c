// The factories of the frameserver's own script functions, registered by sources.cpp.
#pragma once

#include "host/plugin_interface.h"

namespace frameserve {

AVSValue CreateTestSource(AVSValue args, void* user_data, IScriptEnvironment* env);
AVSValue CreateAudioDub(AVSValue args, void* user_data, IScriptEnvironment* env);
AVSValue CreateMediaSource(AVSValue args, void* user_data, IScriptEnvironment* env);

// "YV12" and the like, in any case, to its code; kPixelTypeNone for a name we do not know.
int PixelTypeByName(const char* name);

}  // namespace frameserve
