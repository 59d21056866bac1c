// The one way MediaSource talks to FFMS2: owned handles, and every call that can fail run through
// CallFfms, which turns FFMS2's error info into a MediaError.
#pragma once

#include <ffms.h>

#include <memory>
#include <string>
#include <string_view>

#include "frameserver/env/errors.h"

namespace frameserve {

// FFMS_Init, once per process, before anything else of FFMS2.
void InitFfms();

struct FfmsDeleter {
  void operator()(FFMS_Indexer* p) const { FFMS_CancelIndexing(p); }  // also destroys it
  void operator()(FFMS_Index* p) const { FFMS_DestroyIndex(p); }
  void operator()(FFMS_VideoSource* p) const { FFMS_DestroyVideoSource(p); }
  void operator()(FFMS_AudioSource* p) const { FFMS_DestroyAudioSource(p); }
  void operator()(FFMS_ResampleOptions* p) const { FFMS_DestroyResampleOptions(p); }
};
template <typename T>
using FfmsHandle = std::unique_ptr<T, FfmsDeleter>;

// Room for FFMS2's message about one failed call.
class FfmsErrorText {
 public:
  FfmsErrorText() : info_{0, 0, sizeof text_, text_} {}
  FfmsErrorText(const FfmsErrorText&) = delete;
  FfmsErrorText& operator=(const FfmsErrorText&) = delete;

  FFMS_ErrorInfo* Info() { return &info_; }
  std::string Line() const;  // the message on one line

 private:
  char text_[1024] = {};
  FFMS_ErrorInfo info_;
};

inline bool FfmsFailed(const void* handle) { return handle == nullptr; }
inline bool FfmsFailed(int status) { return status != 0; }

// Runs call(FFMS_ErrorInfo*). A failure (a null handle, a non-zero status) throws
// MediaError("MediaSource: <failure>: <cause>"), the cause being FFMS2's message unless the caller
// knows a better one.
template <typename Call>
auto CallFfms(std::string_view failure, Call&& call, std::string_view cause = {}) {
  FfmsErrorText error;
  auto result = call(error.Info());
  if (FfmsFailed(result))
    throw MediaError("MediaSource: " + std::string(failure) + ": " + (cause.empty() ? error.Line() : std::string(cause)));
  return result;
}

}  // namespace frameserve
