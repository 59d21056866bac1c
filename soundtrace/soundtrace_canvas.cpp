// SoundTrace's frames. Until the panel is drawn, the picture passes through unchanged.
#include "soundtrace/soundtrace.h"

PVideoFrame SoundTrace::GetFrame(int n, IScriptEnvironment* env) { return child->GetFrame(n, env); }
