#include "frameserver/sources/media_index.h"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace frameserve {
namespace {

using Clock = std::chrono::steady_clock;

// One updating line on stderr, shown only once indexing has taken a second: short files stay quiet.
class IndexProgress {
 public:
  explicit IndexProgress(const std::string& path) : path_(path), enabled_(isatty(STDERR_FILENO) == 1) {}
  IndexProgress(const IndexProgress&) = delete;
  IndexProgress& operator=(const IndexProgress&) = delete;
  ~IndexProgress() {
    if (shown_percent_ >= 0) std::fputs("\r\033[K", stderr);  // clear the line, success or not
  }

  static int FFMS_CC Update(int64_t current, int64_t total, void* self) {
    static_cast<IndexProgress*>(self)->Show(current, total);
    return 0;  // never cancel
  }

 private:
  void Show(int64_t current, int64_t total) {
    if (!enabled_ || total <= 0 || Clock::now() - start_ < std::chrono::seconds(1)) return;
    const int percent = static_cast<int>(100 * std::min(current, total) / total);
    if (percent == shown_percent_) return;
    shown_percent_ = percent;
    std::fprintf(stderr, "\rMediaSource: indexing '%s': %d%%", path_.c_str(), percent);
    std::fflush(stderr);
  }

  const std::string& path_;
  const bool enabled_;
  const Clock::time_point start_ = Clock::now();
  int shown_percent_ = -1;
};

}  // namespace

FfmsHandle<FFMS_Index> IndexMedia(const std::string& path) {
  // FFMS2 says only "Can't open" whatever the reason: ask the system first for a missing or unreadable file.
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    std::fclose(file);
  } else {
    throw MediaError("MediaSource: cannot open '" + path + "': " + std::strerror(errno));
  }
  // The file can be read, so FFmpeg found no container it knows in it.
  FfmsHandle<FFMS_Indexer> indexer(CallFfms(
      "cannot open '" + path + "'", [&](FFMS_ErrorInfo* e) { return FFMS_CreateIndexer(path.c_str(), e); },
      "not a media file, or a damaged one"));
  // Audio is left out of the index unless asked for, and an audio source needs it.
  FFMS_TrackTypeIndexSettings(indexer.get(), FFMS_TYPE_AUDIO, 1, 0);
  IndexProgress progress(path);
  FFMS_SetProgressCallback(indexer.get(), IndexProgress::Update, &progress);
  // DoIndexing2 destroys the indexer whatever happens.
  return FfmsHandle<FFMS_Index>(CallFfms("cannot index '" + path + "'", [&](FFMS_ErrorInfo* e) {
    return FFMS_DoIndexing2(indexer.release(), FFMS_IEH_ABORT, e);
  }));
}

}  // namespace frameserve
