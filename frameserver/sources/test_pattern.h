// TestSource's picture: colour bars with the frame number in the top-left corner, above a band in
// which a white box moves a step to the right each frame.
#pragma once

#include <cstdint>
#include <vector>

#include "host/plugin_interface.h"

namespace frameserve {

class TestPattern {
 public:
  explicit TestPattern(const VideoInfo& vi);

  // Draws frame n into a writable frame of the clip's format.
  void Draw(const VideoFrame& frame, int n);

  // Writes one row of shades (see test_pattern.cpp) as the format's bytes; planar formats also write
  // the chroma row of every even row.
  using RowWriter = void (*)(const VideoFrame& frame, int y, const uint8_t* shades, int width);

 private:
  void FillRow(int n, int y, const char* digits, uint8_t* shades) const;

  int width_, height_;
  int bars_height_;     // rows of colour bars; the moving box fills the rows below
  int box_side_;
  int64_t box_step_;    // pixels the box moves per frame
  int digit_scale_;     // pixels per dot of the frame number's 3x5 font
  RowWriter write_row_;
  std::vector<uint8_t> bar_shades_;  // the shade of each column of the bars
  std::vector<uint8_t> shades_;      // scratch: the row being drawn
};

}  // namespace frameserve
