// The plug-in's only export: registers its script functions with the host.
#include "cacheaudio/cacheaudio.h"
#include "host/function_row.h"
#include "host/plugin_export.h"
#include "host/plugin_interface.h"
#include "soundtrace/soundtrace.h"

PLUGIN_EXPORT const char* PLUGIN_CC AvisynthPluginInit2(IScriptEnvironment* env) {
  for (const FunctionRow& row : {kSoundTraceRow, kCacheAudioRow})
    env->AddFunction(row.name, row.params, row.factory, nullptr);
  return nullptr;
}
