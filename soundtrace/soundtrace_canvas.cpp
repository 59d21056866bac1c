// SoundTrace's frames: the picture copied into a frame of the output geometry, the panel's background,
// border lines and tick marks; then the waveform (soundtrace_waveform.cpp) over them.
#include <algorithm>
#include <cstring>

#include "soundtrace/panel.h"
#include "soundtrace/soundtrace.h"

namespace {

constexpr uint8_t kWhite = 0xFF;
constexpr uint8_t kBackgroundLuma = 0x20;
constexpr uint8_t kNeutralChroma = 0x80;
constexpr int kTickRows = 4;  // at each edge of the panel

// Row size from the new frame, row count from the source: in strip mode the new frame's last rows are
// the panel and are not copied. Both are capped by the other frame, so a child whose frames do not
// match its own clip properties cannot make the copy leave either frame.
void CopyPlane(const VideoFrame& source, const VideoFrame& frame, int plane, IScriptEnvironment* env) {
  env->BitBlt(frame.GetWritePtr(plane), frame.GetPitch(plane), source.GetReadPtr(plane), source.GetPitch(plane),
              std::min(frame.GetRowSize(plane), source.GetRowSize(plane)),
              std::min(frame.GetHeight(plane), source.GetHeight(plane)));
}

void CopyPicture(const VideoFrame& source, const VideoFrame& frame, bool chroma_planes, IScriptEnvironment* env) {
  CopyPlane(source, frame, kPlaneY, env);
  if (!chroma_planes) return;
  CopyPlane(source, frame, kPlaneU, env);
  CopyPlane(source, frame, kPlaneV, env);
}

// One run over the panel's rows, the spare bytes past each row included.
void FillBackground(const Panel& panel, const VideoFrame& frame, int top) {
  const size_t bytes = static_cast<size_t>(panel.height) * static_cast<size_t>(panel.pitch);
  if (!panel.chroma_planes) {
    // The pixel pair Y U Y V, that is the little-endian word 0x80208020.
    const uint8_t pair[4] = {kBackgroundLuma, kNeutralChroma, kBackgroundLuma, kNeutralChroma};
    for (size_t offset = 0; offset + 4 <= bytes; offset += 4) std::memcpy(panel.base + offset, pair, 4);
    return;
  }
  std::memset(panel.base, kBackgroundLuma, bytes);
  // Chroma rows top/2 on, rounded down: with an odd top the row above the panel goes neutral too, and
  // the panel's last row keeps the picture's chroma.
  const int pitch_uv = frame.GetPitch(kPlaneU);
  const size_t offset_uv = static_cast<size_t>(top / 2) * static_cast<size_t>(pitch_uv);
  const size_t bytes_uv = static_cast<size_t>(panel.height / 2) * static_cast<size_t>(pitch_uv);
  std::memset(frame.GetWritePtr(kPlaneU) + offset_uv, kNeutralChroma, bytes_uv);
  std::memset(frame.GetWritePtr(kPlaneV) + offset_uv, kNeutralChroma, bytes_uv);
}

// Column x, panel rows first to last - 1, as far as they lie in the panel (panels under 4 rows are
// shorter than their ticks).
void MarkColumn(const Panel& panel, int x, int first, int last) {
  for (int row = std::max(first, 0); row < std::min(last, panel.height); ++row) panel.Luma(x, row) = kWhite;
}

void DrawBorders(const Panel& panel) {
  if (panel.height == 0) return;
  for (int x = 0; x < panel.width; ++x) {
    panel.Luma(x, 0) = kWhite;
    panel.Luma(x, panel.height - 1) = kWhite;
  }
}

// Ticks stand at multiples of width / window_frames, rounded down: the columns that remain all fall to
// the last segment, so the ticks drift left of the plotted frame boundaries when the width is not a
// multiple of the window.
void DrawTicks(const Panel& panel, int window_frames) {
  if (panel.width == 0) return;
  const int spacing = panel.width / window_frames;
  for (int j = 1; j < window_frames; ++j) {
    MarkColumn(panel, j * spacing, 0, kTickRows);
    MarkColumn(panel, j * spacing, panel.height - kTickRows, panel.height);
  }
}

}  // namespace

// Should anything fail, the handles give the new frame back first, then the source frame.
PVideoFrame SoundTrace::GetFrame(int n, IScriptEnvironment* env) {
  const PVideoFrame source = child->GetFrame(n, env);
  PVideoFrame frame = env->NewVideoFrame(vi, 16);
  const Panel panel = PanelOf(*frame.get(), vi, top, panel_height);
  CopyPicture(*source.get(), *frame.get(), panel.chroma_planes, env);
  if (fill) FillBackground(panel, *frame.get(), top);
  DrawBorders(panel);
  DrawTicks(panel, window_frames);
  FetchWindow(n, env);
  PlotWindow(panel);
  return frame;
}
