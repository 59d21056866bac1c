// Drawing SoundTrace frames over a scripted child, and reading back what was drawn.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/frame_pixels.h"
#include "tests/support/plugin_fixture.h"
#include "tests/support/scripted_clip.h"

namespace soundtrace_test {

class DrawTest : public test_support::PluginTest {
 protected:
  // The child's picture keeps clear of the values the panel draws (0x20, 0x80, 0xFF); its audio is
  // silence until a test says otherwise.
  test_support::ScriptedClip& Child(const VideoInfo& vi) {
    child = new test_support::ScriptedClip(vi);
    child_clip = child;
    child->pixel = [](int plane, int x, int y, int) {
      return static_cast<uint8_t>(40 + (x + 3 * y + 11 * plane) % 80);
    };
    const int64_t silence = vi.sample_type == kSampleInt8 ? 128 : 0;
    child->sample = [silence](int64_t, int) { return silence; };
    return *child;
  }

  // Frame n of SoundTrace over the child, called with these arguments after the clip.
  test_support::FramePixels Draw(std::vector<frameserve::Argument> args, int n = 5) {
    args.insert(args.begin(), {"", child_clip});
    trace = env.Invoke("SoundTrace", args).AsClip();
    return {trace->GetFrame(n, &env), trace->GetVideoInfo().pixel_type};
  }
  // The child's own frame n, to compare the copied picture with.
  test_support::FramePixels Source(int n = 5) { return {child->GetFrame(n, &env), child->GetVideoInfo().pixel_type}; }

  // Rows first to first + rows - 1 of column x whose luma is white, counted from first.
  static std::vector<int> WhiteRows(const test_support::FramePixels& frame, int x, int first, int rows) {
    std::vector<int> white;
    for (int r = 0; r < rows; ++r)
      if (frame.Luma(x, first + r) == 0xFF) white.push_back(r);
    return white;
  }
  static std::vector<int> WhiteColumns(const test_support::FramePixels& frame, int y) {
    std::vector<int> white;
    for (int x = 0; x < frame.Width(); ++x)
      if (frame.Luma(x, y) == 0xFF) white.push_back(x);
    return white;
  }

  test_support::ScriptedClip* child = nullptr;  // owned through child_clip
  PClip child_clip;
  PClip trace;
};

}  // namespace soundtrace_test
