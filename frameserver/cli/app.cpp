#include "frameserver/cli/app.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "frameserver/cli/clip_info.h"
#include "frameserver/cli/command_line.h"
#include "frameserver/cli/host.h"
#include "frameserver/cli/progress.h"
#include "frameserver/writers/render.h"

namespace frameserve {
namespace {

void PrintToStdout(const std::string& text) {
  std::fputs(text.c_str(), stdout);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) throw IoError("cannot write to standard output");
}

bool ShowProgress(ProgressMode mode) {
  return mode == ProgressMode::kOn || (mode == ProgressMode::kAuto && isatty(STDERR_FILENO));
}

void RenderClip(const PClip& clip, ScriptEnvironment& env, const Command& command) {
  RenderOptions options{command.start, command.count, command.vcodec, command.acodec, nullptr};
  std::optional<ProgressLine> progress;
  if (ShowProgress(command.progress)) {
    progress.emplace(stderr);
    options.progress = [&progress](int done, int total) { progress->Update(done, total); };
  }
  Render(clip, env, command.output, options);
}

}  // namespace

int RunTool(std::span<const std::string> args) {
  const Command command = ParseCommandLine(args);
  if (command.kind == Command::Kind::kHelp) {
    PrintToStdout(command.help);
    return 0;
  }
  Host host(ExecutableDirectory(), std::getenv("FRAMESERVE_PLUGIN_PATH"));
  const PClip clip = host.ScriptClip(command);  // released before the host that made it
  if (command.kind == Command::Kind::kInfo) {
    const VideoInfo& vi = clip->GetVideoInfo();
    PrintToStdout(command.json ? InfoJson(vi) : InfoText(vi));
  } else {
    RenderClip(clip, host.Environment(), command);
  }
  return 0;
}

std::string ErrorLine(const char* what) {
  std::string line = std::string("frameserve: ") + what;
  for (char& c : line)
    if (c == '\n' || c == '\r') c = ' ';
  return line;
}

}  // namespace frameserve
