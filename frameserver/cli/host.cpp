#include "frameserver/cli/host.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

#include "frameserver/env/errors.h"
#include "frameserver/script/interpreter.h"
#include "frameserver/sources/sources.h"

namespace frameserve {
namespace {

// LoadPlugin("path"): a plug-in's functions, from the script on. A relative path is taken from the
// working directory.
AVSValue LoadPlugin(AVSValue args, void* user_data, IScriptEnvironment* env) {
  static_cast<PluginLoader*>(user_data)->Load(args[0].AsString(""), *env);
  return AVSValue();
}

std::string ReadScriptFile(const std::string& path) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) throw IoError("cannot read script '" + path + "': " + std::strerror(errno));
  std::string text;
  char buffer[1 << 16];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, got);
  if (std::ferror(file.get())) throw IoError("cannot read script '" + path + "': " + std::strerror(errno));
  return text;
}

std::string Article(char type) { return (type == 'i' || type == 'a' ? "an " : "a ") + TypeName(type); }

}  // namespace

std::filesystem::path ExecutableDirectory() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) throw Error("cannot find the tool's own path in /proc/self/exe: " + error.message());
  return self.parent_path();
}

Host::Host(const std::filesystem::path& executable_dir, const char* search_path) {
  RegisterSources(env_);
  env_.AddFunction("LoadPlugin", "s", LoadPlugin, &loader_);
  for (const std::filesystem::path& directory : PluginDirectories(executable_dir, search_path))
    loader_.LoadDirectory(directory, env_);
}

PClip Host::ScriptClip(const Command& command) {
  const std::string text = command.script_text ? *command.script_text : ReadScriptFile(command.script_path);
  const AVSValue value = RunScript(env_, text);
  if (!value.IsClip()) throw ScriptError("the script's value is " + Article(value.Type()) + ", not a clip");
  return value.AsClip();
}

}  // namespace frameserve
