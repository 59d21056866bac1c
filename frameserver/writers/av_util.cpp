#include "frameserver/writers/av_util.h"

#include "frameserver/env/errors.h"

namespace frameserve {

std::string AvErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

int CheckAv(int code, const std::string& what) {
  if (code < 0) throw MediaError(what + ": " + AvErrorText(code));
  return code;
}

AVPixelFormat PlanesPixelFormat(const VideoInfo& vi) {
  if (vi.IsPlanar()) return AV_PIX_FMT_YUV420P;
  if (vi.IsYUY2()) return AV_PIX_FMT_YUV422P;
  return AV_PIX_FMT_BGRA;
}

AvPtr<AVFrame> NewVideoFrame(AVPixelFormat format, int width, int height) {
  AvPtr<AVFrame> frame(av_frame_alloc());
  if (!frame) throw std::bad_alloc();
  frame->format = format;
  frame->width = width;
  frame->height = height;
  CheckAv(av_frame_get_buffer(frame.get(), 0), "cannot allocate a video frame");
  return frame;
}

void CopyPlanes(std::span<const PlaneView> planes, const std::vector<PlaneSize>& sizes, AVFrame* frame) {
  CheckAv(av_frame_make_writable(frame), "cannot allocate a video frame");
  for (size_t p = 0; p < planes.size(); ++p) CopyPadded(planes[p], sizes[p], frame->data[p], frame->linesize[p]);
}

AvPtr<SwsContext> NewScaler(const VideoInfo& vi, AVPixelFormat format) {
  const int flags = SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT | SWS_FULL_CHR_H_INP;
  AvPtr<SwsContext> scaler(sws_getContext(vi.width, vi.height, PlanesPixelFormat(vi), vi.width, vi.height, format,
                                          flags, nullptr, nullptr, nullptr));
  if (!scaler) throw MediaError(std::string("cannot convert the video to ") + av_get_pix_fmt_name(format));
  // The clip's YUV is BT.601 limited range; YUV made from it stays so, RGB gets the full 0-255.
  const int* bt601 = sws_getCoefficients(SWS_CS_ITU601);
  const bool rgb_out = av_pix_fmt_desc_get(format)->flags & AV_PIX_FMT_FLAG_RGB;
  sws_setColorspaceDetails(scaler.get(), bt601, 0, bt601, rgb_out ? 1 : 0, 0, 1 << 16, 1 << 16);
  return scaler;
}

}  // namespace frameserve
