// MediaSource's video: one FFMS2 video source, converted to the clip's pixel type and copied into the
// host's frames.
#pragma once

#include <string>

#include "frameserver/sources/ffms_call.h"
#include "host/plugin_interface.h"

namespace frameserve {

class MediaVideo {
 public:
  // pixel_type kPixelTypeNone picks the type nearest the source: YUY2 for 4:2:2, else YV12.
  MediaVideo(const std::string& path, int track, FFMS_Index* index, int pixel_type);

  // Fills the video half of a clip's properties.
  void Describe(VideoInfo& vi) const;

  // Frame n, which must lie in the clip, in a new frame of vi's geometry.
  PVideoFrame Frame(int n, const VideoInfo& vi, IScriptEnvironment* env);

 private:
  const FFMS_Frame& Decode(int n);
  const FFMS_Frame& DecodeConverted(int n);

  FfmsHandle<FFMS_VideoSource> source_;
  std::string decode_failure_;
  std::string convert_failure_;
  int pixel_type_;
  int output_format_;  // FFmpeg's pixel format for pixel_type_
  int width_, height_;
};

}  // namespace frameserve
