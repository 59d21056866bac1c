// Indexing a media file in memory for MediaSource.
#pragma once

#include <string>

#include "frameserver/sources/ffms_call.h"

namespace frameserve {

// The index of every video and audio track of the file; nothing is written to disk. Shows progress on
// stderr when it is a terminal and indexing takes a while. Throws MediaError naming the path.
FfmsHandle<FFMS_Index> IndexMedia(const std::string& path);

}  // namespace frameserve
