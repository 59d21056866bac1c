// The tool's commands, run from a parsed command line.
#pragma once

#include <span>
#include <string>

namespace frameserve {

// Runs `frameserve args...` (the words after the program's name) and returns the exit status. Throws
// UsageError for a command line it cannot use and Error (or anything a plug-in throws) for a failure;
// main reports those.
int RunTool(std::span<const std::string> args);

// The one line main prints for an error: "frameserve: " + what, any line breaks in it made spaces.
std::string ErrorLine(const char* what);

}  // namespace frameserve
