#include "frameserver/loader/plugin_loader.h"

#include <dlfcn.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <system_error>

#include "frameserver/env/errors.h"

namespace frameserve {
namespace {

constexpr const char* kEntryName = "AvisynthPluginInit2";

Error LoadError(const std::filesystem::path& library, std::string_view cause) {
  return Error("cannot load plug-in '" + library.string() + "': " + std::string(cause));
}

// dlerror() starts with the path we already name: keep only its cause.
std::string DlCause(const std::filesystem::path& library) {
  const char* raw = dlerror();
  std::string cause = raw ? raw : "unknown error";
  const std::string prefix = library.string() + ": ";
  if (cause.starts_with(prefix)) cause.erase(0, prefix.size());
  return cause;
}

}  // namespace

void PluginLoader::Load(const std::filesystem::path& library, IScriptEnvironment& env) {
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::canonical(library, error);
  if (error) throw LoadError(library, error.message());
  if (!std::filesystem::is_regular_file(canonical)) throw LoadError(library, "not a file");
  if (loaded_.contains(canonical)) return;

  void* handle = dlopen(canonical.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) throw LoadError(library, DlCause(canonical));
  auto* entry = reinterpret_cast<PluginInitFunc>(dlsym(handle, kEntryName));
  if (!entry) {
    dlclose(handle);
    throw LoadError(library, std::string("no entry ") + kEntryName);
  }
  entry(&env);
  loaded_.insert(canonical);
}

void PluginLoader::LoadDirectory(const std::filesystem::path& directory, IScriptEnvironment& env) {
  std::error_code error;
  if (!std::filesystem::is_directory(directory, error)) return;
  std::vector<std::filesystem::path> libraries;
  for (const auto& item : std::filesystem::directory_iterator(directory, error))
    if (item.path().extension() == ".so") libraries.push_back(item.path());
  std::sort(libraries.begin(), libraries.end());
  for (const auto& library : libraries) Load(library, env);
}

std::vector<std::filesystem::path> PluginDirectories(const std::filesystem::path& executable_dir,
                                                     const char* search_path) {
  std::vector<std::filesystem::path> directories{executable_dir / ".." / "plugins"};
  std::string_view rest = search_path ? search_path : "";
  while (!rest.empty()) {
    const size_t colon = rest.find(':');
    const std::string_view item = rest.substr(0, colon);
    if (!item.empty()) directories.emplace_back(item);
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
  }
  return directories;
}

}  // namespace frameserve
