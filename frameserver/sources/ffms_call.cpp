#include "frameserver/sources/ffms_call.h"

#include <algorithm>
#include <mutex>

namespace frameserve {

void InitFfms() {
  static std::once_flag once;
  std::call_once(once, [] { FFMS_Init(0, 0); });
}

std::string FfmsErrorText::Line() const {
  std::string line(text_);
  std::replace_if(line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line.empty() ? "unknown error" : line;
}

}  // namespace frameserve
