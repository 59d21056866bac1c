#include "frameserver/sources/media_video.h"

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace frameserve {
namespace {

int OutputFormatFor(int pixel_type) {
  switch (pixel_type) {
    case kPixelTypeYUY2: return FFMS_GetPixFmt("yuyv422");
    case kPixelTypeRGB32: return FFMS_GetPixFmt("bgra");  // B G R A bytes, top row first
    default: return FFMS_GetPixFmt("yuv420p");            // YV12 and I420 differ only in plane order
  }
}

const char* PixelTypeName(int pixel_type) {
  switch (pixel_type) {
    case kPixelTypeYUY2: return "YUY2";
    case kPixelTypeRGB32: return "RGB32";
    case kPixelTypeI420: return "I420";
    default: return "YV12";
  }
}

int DefaultPixelType(int source_format) {
  const AVPixFmtDescriptor* desc = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(source_format));
  const bool yuv422 = desc && !(desc->flags & AV_PIX_FMT_FLAG_RGB) && desc->nb_components >= 3 &&
                      desc->log2_chroma_w == 1 && desc->log2_chroma_h == 0;
  return yuv422 ? kPixelTypeYUY2 : kPixelTypeYV12;
}

}  // namespace

MediaVideo::MediaVideo(const std::string& path, int track, FFMS_Index* index, int pixel_type)
    : decode_failure_("cannot decode the video of '" + path + "'") {
  // 0 threads: as many decoding threads as FFMS2 sees fit.
  source_.reset(CallFfms(decode_failure_, [&](FFMS_ErrorInfo* e) {
    return FFMS_CreateVideoSource(path.c_str(), track, index, 0, FFMS_SEEK_NORMAL, e);
  }));
  const FFMS_Frame& first = Decode(0);
  width_ = first.EncodedWidth;
  height_ = first.EncodedHeight;
  pixel_type_ = pixel_type != kPixelTypeNone ? pixel_type : DefaultPixelType(first.EncodedPixelFormat);
  output_format_ = OutputFormatFor(pixel_type_);
  convert_failure_ = "cannot convert the video of '" + path + "' to " + PixelTypeName(pixel_type_);
  // FFMS2 converts only when it must: a source already in the output format is copied unchanged.
  const int formats[] = {output_format_, -1};
  CallFfms(convert_failure_, [&](FFMS_ErrorInfo* e) {
    return FFMS_SetOutputFormatV2(source_.get(), formats, width_, height_, FFMS_RESIZER_BICUBIC, e);
  });
  DecodeConverted(0);  // a conversion that cannot be made fails here, not on some later frame
}

void MediaVideo::Describe(VideoInfo& vi) const {
  const FFMS_VideoProperties& props = *FFMS_GetVideoProperties(source_.get());
  vi.width = width_;
  vi.height = height_;
  vi.pixel_type = pixel_type_;
  const bool rate_known = props.FPSNumerator > 0 && props.FPSDenominator > 0;
  vi.fps_numerator = rate_known ? static_cast<unsigned>(props.FPSNumerator) : 25;
  vi.fps_denominator = rate_known ? static_cast<unsigned>(props.FPSDenominator) : 1;
  vi.num_frames = props.NumFrames;
}

const FFMS_Frame& MediaVideo::Decode(int n) {
  return *CallFfms(decode_failure_, [&](FFMS_ErrorInfo* e) { return FFMS_GetFrame(source_.get(), n, e); });
}

// FFMS2 picks the least lossy format of those it is offered, which need not be the one it was offered.
const FFMS_Frame& MediaVideo::DecodeConverted(int n) {
  const FFMS_Frame& frame = Decode(n);
  if (frame.ConvertedPixelFormat != output_format_ || frame.ScaledWidth != width_ || frame.ScaledHeight != height_)
    throw MediaError("MediaSource: " + convert_failure_ + ": FFMS2 made another format");
  return frame;
}

PVideoFrame MediaVideo::Frame(int n, const VideoInfo& vi, IScriptEnvironment* env) {
  const FFMS_Frame& decoded = DecodeConverted(n);
  PVideoFrame frame = env->NewVideoFrame(vi);
  // Rows are copied one by one: FFMS2's line sizes may be unpadded, even odd.
  const int planes = vi.IsPlanar() ? 3 : 1;
  for (int plane = 0; plane < planes; ++plane)
    env->BitBlt(frame->GetWritePtr(plane), frame->GetPitch(plane), decoded.Data[plane], decoded.Linesize[plane],
                frame->GetRowSize(plane), frame->GetHeight(plane));
  return frame;
}

}  // namespace frameserve
