// The host's side of the plug-in interface: the function registry, script errors, frames and row copies.
#pragma once

#include <deque>
#include <span>
#include <string>
#include <string_view>

#include "frameserver/env/function_table.h"
#include "frameserver/frames/frame_pool.h"
#include "host/plugin_interface.h"

namespace frameserve {

class ScriptEnvironment final : public IScriptEnvironment {
 public:
  ScriptEnvironment() = default;
  ScriptEnvironment(const ScriptEnvironment&) = delete;
  ScriptEnvironment& operator=(const ScriptEnvironment&) = delete;

  void AddFunction(const char* name, const char* params, ApplyFunc apply, void* user_data) override;
  [[noreturn]] void ThrowError(const char* format, ...) override;
  PVideoFrame NewVideoFrame(const VideoInfo& vi, int align = 16) override;
  void BitBlt(uint8_t* dst, int dst_pitch, const uint8_t* src, int src_pitch, int row_size, int height) override;
  const char* SaveString(const char* text) override;

  const FunctionTable& Functions() const { return functions_; }
  // Calls a script function by name as a script would; throws ScriptError for an unknown function or
  // arguments that do not fit its parameters.
  AVSValue Invoke(std::string_view name, std::span<const Argument> args);

  FramePool& Frames() { return frames_; }

 private:
  FramePool frames_;
  FunctionTable functions_;
  std::deque<std::string> strings_;  // a deque never moves its elements, so saved texts stay put
};

}  // namespace frameserve
