#include "frameserver/env/script_environment.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "frameserver/env/errors.h"

namespace frameserve {

void ScriptEnvironment::AddFunction(const char* name, const char* params, ApplyFunc apply, void* user_data) {
  functions_.Add(name, params, apply, user_data);
}

void ScriptEnvironment::ThrowError(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string message(length > 0 ? static_cast<size_t>(length) : 0, '\0');
  if (length > 0) std::vsnprintf(message.data(), message.size() + 1, format, again);
  va_end(again);
  throw ScriptError(message);
}

PVideoFrame ScriptEnvironment::NewVideoFrame(const VideoInfo& vi, int align) { return frames_.NewFrame(vi, align); }

void ScriptEnvironment::BitBlt(uint8_t* dst, int dst_pitch, const uint8_t* src, int src_pitch, int row_size,
                               int height) {
  if (row_size <= 0 || height <= 0) return;
  if (dst_pitch == row_size && src_pitch == row_size) {
    std::memcpy(dst, src, static_cast<size_t>(row_size) * static_cast<size_t>(height));
    return;
  }
  for (int y = 0; y < height; ++y, dst += dst_pitch, src += src_pitch)
    std::memcpy(dst, src, static_cast<size_t>(row_size));
}

const char* ScriptEnvironment::SaveString(const char* text) { return strings_.emplace_back(text).c_str(); }

AVSValue ScriptEnvironment::Invoke(std::string_view name, std::span<const Argument> args) {
  const Function* function = functions_.Find(name);
  if (!function) throw ScriptError("there is no function named '" + std::string(name) + "'");
  const std::vector<AVSValue> bound = BindArguments(*function, args);
  return function->apply(AVSValue(bound.data(), static_cast<int>(bound.size())), function->user_data, this);
}

}  // namespace frameserve
