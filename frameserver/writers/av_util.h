// Owning handles for FFmpeg's objects, its error codes as our errors, and frames filled from a clip's.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libavutil/pixdesc.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include "frameserver/writers/frame_planes.h"
#include "host/plugin_interface.h"

namespace frameserve {

struct AvDeleter {
  void operator()(AVFrame* p) const { av_frame_free(&p); }
  void operator()(AVPacket* p) const { av_packet_free(&p); }
  void operator()(AVCodecContext* p) const { avcodec_free_context(&p); }
  void operator()(SwsContext* p) const { sws_freeContext(p); }
  void operator()(SwrContext* p) const { swr_free(&p); }
  // A muxer's own output is closed with it (what it wrote so far is left to the caller to discard).
  void operator()(AVFormatContext* p) const {
    if (p->pb && !(p->oformat->flags & AVFMT_NOFILE)) avio_closep(&p->pb);
    avformat_free_context(p);
  }
};
template <typename T>
using AvPtr = std::unique_ptr<T, AvDeleter>;

std::string AvErrorText(int code);
// Passes a non-negative code through; a negative one becomes MediaError "<what>: <FFmpeg's text>".
int CheckAv(int code, const std::string& what);

// The format of the planes FramePlanes gives: yuv420p (YV12, I420), yuv422p (YUY2), bgra (RGB32).
AVPixelFormat PlanesPixelFormat(const VideoInfo& vi);

// A frame of the clip's size in format, its buffers allocated.
AvPtr<AVFrame> NewVideoFrame(AVPixelFormat format, int width, int height);
// The planes into frame (of PlanesPixelFormat and the clip's size), chroma padded as files store it.
void CopyPlanes(std::span<const PlaneView> planes, const std::vector<PlaneSize>& sizes, AVFrame* frame);

// A scaler from the clip's planes to format, reading BT.601 limited range.
AvPtr<SwsContext> NewScaler(const VideoInfo& vi, AVPixelFormat format);

}  // namespace frameserve
