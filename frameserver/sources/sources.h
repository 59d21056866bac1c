// The frameserver's own source functions.
#pragma once

#include "frameserver/env/script_environment.h"

namespace frameserve {

// Registers MediaSource, TestSource and AudioDub with env.
void RegisterSources(ScriptEnvironment& env);

}  // namespace frameserve
