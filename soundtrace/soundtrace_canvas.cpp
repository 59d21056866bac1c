// SoundTrace's frames: the picture copied into a frame of the output geometry, then the panel's
// background, border lines and frame ticks; the waveform goes on top (soundtrace_waveform.cpp).
#include <algorithm>
#include <cstring>

#include "soundtrace/panel.h"
#include "soundtrace/soundtrace.h"

namespace {

constexpr uint8_t kWhite = 0xFF;
constexpr uint8_t kBackgroundLuma = 0x20;
constexpr uint8_t kNeutralChroma = 0x80;
constexpr int kTickRows = 4;  // at each edge of the panel

// Rows are copied up to the source's height: in strip mode the rows below are the panel's.
void CopyPicture(const VideoFrame& source, VideoFrame& frame, const VideoInfo& vi, IScriptEnvironment* env) {
  env->BitBlt(frame.GetWritePtr(), frame.GetPitch(), source.GetReadPtr(), source.GetPitch(), frame.GetRowSize(),
              source.GetHeight());
  if (!vi.IsPlanar()) return;
  for (int plane : {kPlaneU, kPlaneV})
    env->BitBlt(frame.GetWritePtr(plane), frame.GetPitch(plane), source.GetReadPtr(plane), source.GetPitch(plane),
                frame.GetRowSize(plane), source.GetHeight(plane));
}

// The panel's rows are painted whole, the padding up to the pitch included, as one run of memory.
void FillBackground(VideoFrame& frame, const VideoInfo& vi, const LumaPanel& panel, int top, bool strip) {
  const size_t luma_bytes = static_cast<size_t>(panel.height) * static_cast<size_t>(panel.pitch);
  if (vi.IsYUY2()) {
    // Y 32, U 128, Y 32, V 128: dark grey. Whole 4-byte groups only, so chroma stays paired.
    // The run is seeded with one group and then doubled, copying what is already painted: memcpy speed.
    const uint8_t group[4] = {kBackgroundLuma, kNeutralChroma, kBackgroundLuma, kNeutralChroma};
    const size_t run = luma_bytes / 4 * 4;
    if (run == 0) return;
    std::memcpy(panel.base, group, 4);
    for (size_t done = 4; done < run; done *= 2) std::memcpy(panel.base + done, panel.base, std::min(done, run - done));
    return;
  }
  std::memset(panel.base, kBackgroundLuma, luma_bytes);
  // Chroma rows from floor(top / 2) on, floor(height / 2) of them: with an odd top the first panel row
  // shares its chroma row with the picture row above, and the last panel row keeps the picture's.
  // A strip reaches the end of the plane instead: below an odd-height picture an odd strip would leave
  // the last chroma row unwritten, holding whatever a recycled frame had there.
  const int first_row = top / 2;
  const int rows = strip ? frame.GetHeight(kPlaneU) - first_row : panel.height / 2;
  const int pitch_uv = frame.GetPitch(kPlaneU);
  for (int plane : {kPlaneU, kPlaneV})
    std::memset(frame.GetWritePtr(plane) + static_cast<size_t>(first_row) * pitch_uv, kNeutralChroma,
                static_cast<size_t>(rows) * pitch_uv);
}

void DrawBorders(const LumaPanel& panel) {
  if (panel.height <= 0) return;
  for (int x = 0; x < panel.width; ++x) {
    panel.At(x, 0) = kWhite;
    panel.At(x, panel.height - 1) = kWhite;
  }
}

// Tick j stands at j x (width / window_frames): the columns left over all fall to the last segment.
// Panels under four rows get the tick rows that lie inside them.
void DrawTicks(const LumaPanel& panel, int window_frames) {
  if (panel.width <= 0) return;
  const int spacing = panel.width / window_frames;
  const int top_rows = std::min(kTickRows, panel.height);
  const int bottom_from = std::max(0, panel.height - kTickRows);
  for (int j = 1; j < window_frames; ++j) {
    const int x = j * spacing;
    for (int row = 0; row < top_rows; ++row) panel.At(x, row) = kWhite;
    for (int row = bottom_from; row < panel.height; ++row) panel.At(x, row) = kWhite;
  }
}

}  // namespace

PVideoFrame SoundTrace::GetFrame(int n, IScriptEnvironment* env) {
  // On an error both handles go back on the way out, the new frame first.
  const PVideoFrame source = child->GetFrame(n, env);
  PVideoFrame frame = env->NewVideoFrame(vi);
  CopyPicture(*source.get(), *frame.get(), vi, env);
  const LumaPanel panel = PanelOf(*frame.get(), vi, top, panel_height);
  if (fill) FillBackground(*frame.get(), vi, panel, top, frame->GetHeight() > source->GetHeight());
  DrawBorders(panel);
  DrawTicks(panel, window_frames);
  FetchWindow(n, env);
  PlotWaveform(panel);
  return frame;
}
