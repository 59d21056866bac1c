// One frame as 8-bit RGB PNG: the scaler turns the clip's planes into RGB, libpng encodes it in memory.
#include <png.h>

#include <vector>

#include "frameserver/env/errors.h"
#include "frameserver/writers/av_util.h"
#include "frameserver/writers/writers.h"

namespace frameserve {
namespace {

// libpng's simplified interface reports errors by return value, so no longjmp crosses our frames.
std::vector<uint8_t> EncodePng(const AVFrame& rgb) {
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(rgb.width);
  image.height = static_cast<png_uint_32>(rgb.height);
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (png_image_write_get_memory_size(image, size, 0, rgb.data[0], rgb.linesize[0], nullptr)) {
    std::vector<uint8_t> png(size);
    if (png_image_write_to_memory(&image, png.data(), &size, 0, rgb.data[0], rgb.linesize[0], nullptr)) {
      png.resize(size);
      return png;
    }
  }
  const std::string cause = image.message;
  png_image_free(&image);
  throw MediaError("cannot encode the PNG: " + cause);
}

}  // namespace

void WritePng(const PClip& clip, ScriptEnvironment& env, OutputFile& out, int frame_number) {
  const VideoInfo& vi = clip->GetVideoInfo();
  FramePlanes planes(vi);
  const AvPtr<AVFrame> source = NewVideoFrame(PlanesPixelFormat(vi), vi.width, vi.height);
  CopyPlanes(planes.Of(clip->GetFrame(frame_number, &env)), StoredPlaneSizes(vi), source.get());
  const AvPtr<AVFrame> rgb = NewVideoFrame(AV_PIX_FMT_RGB24, vi.width, vi.height);
  const AvPtr<SwsContext> scaler = NewScaler(vi, AV_PIX_FMT_RGB24);
  sws_scale(scaler.get(), source->data, source->linesize, 0, vi.height, rgb->data, rgb->linesize);
  const std::vector<uint8_t> png = EncodePng(*rgb);
  out.Write(png.data(), png.size());
}

}  // namespace frameserve
