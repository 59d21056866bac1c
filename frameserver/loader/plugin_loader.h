// Loading plug-in libraries into an environment.
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "host/plugin_interface.h"

namespace frameserve {

class PluginLoader {
 public:
  // Opens the library, finds its entry and lets it register its functions with env. Loading the same
  // library twice does nothing the second time. Throws Error naming the path when the file is missing,
  // is no library, or has no entry. Libraries stay loaded for the life of the process: the clips they
  // made may outlive any scope we could close them in.
  void Load(const std::filesystem::path& library, IScriptEnvironment& env);

  // Loads every *.so of a directory, in name order; a directory that does not exist is skipped.
  void LoadDirectory(const std::filesystem::path& directory, IScriptEnvironment& env);

 private:
  std::set<std::filesystem::path> loaded_;
};

// Where plug-ins are looked for: <executable's directory>/../plugins, then each directory of the
// colon-separated search path (FRAMESERVE_PLUGIN_PATH), in order.
std::vector<std::filesystem::path> PluginDirectories(const std::filesystem::path& executable_dir,
                                                     const char* search_path);

}  // namespace frameserve
