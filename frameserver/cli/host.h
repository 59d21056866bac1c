// Everything a script runs in: the environment, the tool's own functions and the plug-ins found.
#pragma once

#include <filesystem>
#include <string>

#include "frameserver/cli/command_line.h"
#include "frameserver/env/script_environment.h"
#include "frameserver/loader/plugin_loader.h"

namespace frameserve {

// The directory of the running executable, from /proc/self/exe.
std::filesystem::path ExecutableDirectory();

class Host {
 public:
  // Registers the sources and LoadPlugin, then loads every plug-in of PluginDirectories(executable_dir,
  // search_path).
  Host(const std::filesystem::path& executable_dir, const char* search_path);
  Host(const Host&) = delete;  // LoadPlugin holds a pointer to the loader
  Host& operator=(const Host&) = delete;

  // Runs the command's script (its file or its -e text) and returns the clip it makes. Throws
  // ScriptError when the script's value is no clip, IoError when its file cannot be read.
  PClip ScriptClip(const Command& command);

  ScriptEnvironment& Environment() { return env_; }

 private:
  ScriptEnvironment env_;  // first: it outlives the loader and every clip
  PluginLoader loader_;
};

}  // namespace frameserve
