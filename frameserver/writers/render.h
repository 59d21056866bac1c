// Rendering a clip to a file, the format chosen by the output's extension.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "frameserver/env/script_environment.h"
#include "host/plugin_interface.h"

namespace frameserve {

struct RenderOptions {
  std::optional<int> start;  // first frame (for .wav: first frame's audio); default 0
  std::optional<int> count;  // frames; default: to the end of the clip
  std::string vcodec;        // .mkv only; empty: lossless default
  std::string acodec;
  // Called after each frame written: frames done, frames in all.
  std::function<void(int done, int total)> progress;
};

// Writes clip to out: .y4m (or "-" for Y4M on standard output), .wav, .png, .mkv. The file appears only
// when complete: a failed render leaves no partial file and an existing one untouched. Throws Error.
void Render(const PClip& clip, ScriptEnvironment& env, const std::filesystem::path& out, const RenderOptions& options);

}  // namespace frameserve
