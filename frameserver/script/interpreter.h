// The script language: statements on lines, assignments, calls and method calls, `last`.
#pragma once

#include <string_view>

#include "frameserver/env/script_environment.h"
#include "host/plugin_interface.h"

namespace frameserve {

// Runs a script and returns its value: `last`, or the value of a final bare expression. Throws
// ScriptError; a syntax error names its line and column ("line 3, column 7: ...").
AVSValue RunScript(ScriptEnvironment& env, std::string_view text);

}  // namespace frameserve
