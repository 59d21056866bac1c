// YUV4MPEG2: a text header, then per frame "FRAME\n" and the planes Y, Cb, Cr, row by row.
#include <string>
#include <vector>

#include "frameserver/env/errors.h"
#include "frameserver/writers/frame_planes.h"
#include "frameserver/writers/writers.h"

namespace frameserve {
namespace {

std::string Header(const VideoInfo& vi) {
  const char* colourspace = vi.IsYUY2() ? "422" : "420jpeg";
  return "YUV4MPEG2 W" + std::to_string(vi.width) + " H" + std::to_string(vi.height) + " F" +
         std::to_string(vi.fps_numerator) + ":" + std::to_string(vi.fps_denominator) + " Ip A1:1 C" +
         colourspace + "\n";
}

}  // namespace

void WriteY4m(const PClip& clip, ScriptEnvironment& env, OutputFile& out, FrameRange frames,
              const RenderOptions& options) {
  const VideoInfo& vi = clip->GetVideoInfo();
  // Y4M carries YUV only; a conversion here would hide a lossy step the user did not ask for.
  if (!vi.IsPlanar() && !vi.IsYUY2()) throw Error("Y4M holds YUV video only: render an RGB32 clip to .mkv or .png");
  FramePlanes planes(vi);
  const std::vector<PlaneSize> sizes = StoredPlaneSizes(vi);
  std::vector<uint8_t> scratch;
  const std::string header = Header(vi);
  out.Write(header.data(), header.size());
  for (int i = 0; i < frames.count; ++i) {
    const PVideoFrame frame = clip->GetFrame(frames.start + i, &env);
    out.Write("FRAME\n", 6);
    const auto views = planes.Of(frame);
    for (size_t p = 0; p < views.size(); ++p) {
      const PlaneView& plane = views[p];
      const int width = sizes[p].width, height = sizes[p].height;
      // Rows that follow one another without padding go out as one block: a large plane skips the
      // output buffer altogether.
      if (plane.pitch == width && plane.width == width && plane.height == height) {
        out.Write(plane.data, static_cast<size_t>(width) * static_cast<size_t>(height));
        continue;
      }
      for (int y = 0; y < height; ++y) out.Write(PaddedRow(plane, y, width, scratch), static_cast<size_t>(width));
    }
    if (options.progress) options.progress(i + 1, frames.count);
  }
}

}  // namespace frameserve
