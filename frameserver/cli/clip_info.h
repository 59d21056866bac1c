// What `frameserve info` prints about a clip.
#pragma once

#include <string>

#include "host/plugin_interface.h"

namespace frameserve {

// "YUY2", "YV12", "I420", "RGB32"; "" for a clip without video.
std::string PixelTypeName(const VideoInfo& vi);

// One JSON object on one line, ended by a newline.
std::string InfoJson(const VideoInfo& vi);

// The same properties as aligned "name: value" lines, with the durations they make.
std::string InfoText(const VideoInfo& vi);

}  // namespace frameserve
