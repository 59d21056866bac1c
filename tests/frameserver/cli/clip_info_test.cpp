#include "frameserver/cli/clip_info.h"

#include <gtest/gtest.h>

#include "frameserver/cli/progress.h"
#include "tests/support/scripted_clip.h"

namespace {

using test_support::Video;
using test_support::WithAudio;

TEST(ClipInfo, JsonHasEveryProperty) {
  const VideoInfo vi = WithAudio(Video(640, 480, kPixelTypeYV12, 250), 48000, 2, kSampleInt16);
  EXPECT_EQ(frameserve::InfoJson(vi),
            "{\"width\": 640, \"height\": 480, \"fps_numerator\": 25, \"fps_denominator\": 1, \"num_frames\": 250, "
            "\"pixel_type\": \"YV12\", \"audio_samples_per_second\": 48000, \"sample_type\": 2, \"nchannels\": 2, "
            "\"num_audio_samples\": 480000}\n");
}

TEST(ClipInfo, PixelTypeNames) {
  EXPECT_EQ(frameserve::PixelTypeName(Video(8, 8, kPixelTypeYUY2)), "YUY2");
  EXPECT_EQ(frameserve::PixelTypeName(Video(8, 8, kPixelTypeYV12)), "YV12");
  EXPECT_EQ(frameserve::PixelTypeName(Video(8, 8, kPixelTypeI420)), "I420");
  EXPECT_EQ(frameserve::PixelTypeName(Video(8, 8, kPixelTypeRGB32)), "RGB32");
  EXPECT_EQ(frameserve::PixelTypeName(VideoInfo{}), "");
}

TEST(ClipInfo, TextLinesWithDurations) {
  const VideoInfo vi = WithAudio(Video(720, 576, kPixelTypeYUY2, 1501, 30000, 1001), 44100, 1, kSampleFloat, 2205000);
  EXPECT_EQ(frameserve::InfoText(vi),
            "width:                    720\n"
            "height:                   576\n"
            "fps_numerator:            30000\n"
            "fps_denominator:          1001 (29.970 fps)\n"
            "num_frames:               1501 (0:00:50.083)\n"
            "pixel_type:               YUY2\n"
            "audio_samples_per_second: 44100\n"
            "sample_type:              16 (32-bit float)\n"
            "nchannels:                1\n"
            "num_audio_samples:        2205000 (0:00:50.000)\n");
  const std::string silent = frameserve::InfoText(Video(8, 8, kPixelTypeYV12, 90000));
  EXPECT_NE(silent.find("num_frames:               90000 (1:00:00.000)\n"), std::string::npos) << silent;
  EXPECT_NE(silent.find("audio_samples_per_second: 0 (no audio)\n"), std::string::npos) << silent;
}

TEST(Progress, FramesRateAndTimeLeft) {
  EXPECT_EQ(frameserve::FormatProgress(0, 250, 0), "frame 0 of 250 (0%)");
  EXPECT_EQ(frameserve::FormatProgress(100, 250, 2), "frame 100 of 250 (40%), 50.0 fps, 0:00:03 left");
  EXPECT_EQ(frameserve::FormatProgress(250, 250, 5), "frame 250 of 250 (100%), 50.0 fps, 0:00:00 left");
  EXPECT_EQ(frameserve::FormatProgress(1, 100000, 1), "frame 1 of 100000 (0%), 1.0 fps, 27:46:39 left");
}

}  // namespace
