#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/frameserver/sources/media_files.h"
#include "tests/frameserver/sources/sources_fixture.h"

namespace {

using test_support::MediaPath;
using test_support::SourcesTest;

class MediaSourceTest : public SourcesTest {
 protected:
  PClip Open(const std::string& name, const char* pixel_type = nullptr) {
    const std::string path = MediaPath(name);
    if (pixel_type) return CallClip("MediaSource", {{"", path.c_str()}, {"pixel_type", pixel_type}});
    return CallClip("MediaSource", {{"", path.c_str()}});
  }
};

// 170x98 4:2:0: chroma planes of 85x49, unpadded in the file and in FFMS2's frames.
constexpr size_t kClipFrameBytes = 170 * 98 + 2 * 85 * 49;

TEST_F(MediaSourceTest, Y4mFramesAreExactInAnyOrder) {
  const PClip clip = Open("clip.y4m");
  const VideoInfo& vi = clip->GetVideoInfo();
  EXPECT_EQ(vi.width, 170);
  EXPECT_EQ(vi.height, 98);
  EXPECT_EQ(vi.pixel_type, kPixelTypeYV12);
  EXPECT_EQ(vi.fps_numerator, 25u);
  EXPECT_EQ(vi.fps_denominator, 1u);
  EXPECT_EQ(vi.num_frames, 50);
  EXPECT_FALSE(vi.HasAudio());
  const std::string path = MediaPath("clip.y4m");
  for (int n : {37, 3, 49, 0, 36, 12}) {
    SCOPED_TRACE(n);
    EXPECT_EQ(Bytes(clip->GetFrame(n, &env)), test_support::Y4mFrame(path, n, kClipFrameBytes));
  }
  // Outside the clip: its first and last frames.
  EXPECT_EQ(Bytes(clip->GetFrame(-4, &env)), test_support::Y4mFrame(path, 0, kClipFrameBytes));
  EXPECT_EQ(Bytes(clip->GetFrame(1000, &env)), test_support::Y4mFrame(path, 49, kClipFrameBytes));
  EXPECT_EQ(Bytes(Open("clip.y4m", "I420")->GetFrame(5, &env)), test_support::Y4mFrame(path, 5, kClipFrameBytes));
}

TEST_F(MediaSourceTest, H264SeeksToTheFrameLinearDecodingGives) {
  const PClip linear = Open("clip.mp4"), random = Open("clip.mp4");
  const VideoInfo& vi = linear->GetVideoInfo();
  EXPECT_EQ(vi.width, 160);
  EXPECT_EQ(vi.height, 96);
  EXPECT_EQ(vi.num_frames, 50);
  EXPECT_EQ(vi.audio_samples_per_second, 48000);
  EXPECT_EQ(vi.nchannels, 2);
  EXPECT_EQ(vi.sample_type, kSampleFloat);  // AAC decodes to float
  EXPECT_GT(vi.num_audio_samples, 90000);
  std::vector<std::vector<uint8_t>> frames;
  for (int n = 0; n < vi.num_frames; ++n) frames.push_back(Bytes(linear->GetFrame(n, &env)));
  for (int n : {40, 13, 14, 2, 49, 25, 24, 0, 37}) {
    SCOPED_TRACE(n);
    EXPECT_EQ(Bytes(random->GetFrame(n, &env)), frames[static_cast<size_t>(n)]);
  }
}

TEST_F(MediaSourceTest, PixelTypesAndTheirDefaults) {
  // 4:2:2 comes as YUY2, packed Y0 U Y1 V from the file's planes.
  const PClip yuy2 = Open("clip422.y4m");
  ASSERT_EQ(yuy2->GetVideoInfo().pixel_type, kPixelTypeYUY2);
  const std::vector<uint8_t> planes = test_support::Y4mFrame(MediaPath("clip422.y4m"), 7, 64 * 48 * 2);
  const PVideoFrame frame = yuy2->GetFrame(7, &env);
  for (int y : {0, 21, 47})
    for (int x : {0, 2, 30, 62}) {
      const uint8_t* pair = frame->GetReadPtr() + y * frame->GetPitch() + 2 * x;
      const size_t u = 64 * 48 + static_cast<size_t>(y * 32 + x / 2), v = u + 32 * 48;
      EXPECT_EQ(std::vector<uint8_t>(pair, pair + 4),
                (std::vector<uint8_t>{planes[static_cast<size_t>(y * 64 + x)], planes[u],
                                      planes[static_cast<size_t>(y * 64 + x + 1)], planes[v]}))
          << x << "," << y;
    }
  EXPECT_EQ(Open("clip422.y4m", "yv12")->GetVideoInfo().pixel_type, kPixelTypeYV12);
  const PClip rgb = Open("clip.y4m", "RGB32");
  EXPECT_EQ(rgb->GetVideoInfo().pixel_type, kPixelTypeRGB32);
  const PVideoFrame bgra = rgb->GetFrame(0, &env);
  EXPECT_EQ(bgra->GetRowSize(), 170 * 4);
  EXPECT_EQ(bgra->GetReadPtr()[3], 255);  // opaque
  EXPECT_EQ(Open("clip.mp4", "YUY2")->GetFrame(3, &env)->GetRowSize(), 320);
}

TEST_F(MediaSourceTest, AudioIsTheFilesSamplesWithSilenceAround) {
  const PClip clip = Open("tone.wav");
  const VideoInfo& vi = clip->GetVideoInfo();
  // Audio only: no picture, and 25 fps frames that cover the sound.
  EXPECT_EQ(vi.width, 0);
  EXPECT_EQ(vi.pixel_type, kPixelTypeNone);
  EXPECT_EQ(vi.fps_numerator, 25u);
  EXPECT_EQ(vi.num_frames, 50);
  EXPECT_THROW(clip->GetFrame(0, &env), frameserve::MediaError);
  EXPECT_EQ(vi.audio_samples_per_second, 48000);
  EXPECT_EQ(vi.nchannels, 2);
  EXPECT_EQ(vi.sample_type, kSampleInt16);
  ASSERT_EQ(vi.num_audio_samples, 96000);
  const std::vector<uint8_t> wav = test_support::WavSamples(MediaPath("tone.wav"));
  EXPECT_EQ(Audio(clip, 0, 96000), wav);
  // 10 samples of silence on each side of the stream.
  const std::vector<uint8_t> around = Audio(clip, -10, 96020);
  EXPECT_EQ(std::vector<uint8_t>(around.begin(), around.begin() + 40), std::vector<uint8_t>(40, 0));
  EXPECT_TRUE(std::equal(wav.begin(), wav.end(), around.begin() + 40));
  EXPECT_EQ(std::vector<uint8_t>(around.end() - 40, around.end()), std::vector<uint8_t>(40, 0));
  EXPECT_EQ(Audio(clip, 200000, 3), std::vector<uint8_t>(12, 0));
}

TEST_F(MediaSourceTest, SampleFormatsMapToTheHostsTypes) {
  // 24-bit PCM arrives left-justified in 32 bits.
  const PClip s24 = Open("tone24.wav");
  ASSERT_EQ(s24->GetVideoInfo().sample_type, kSampleInt32);
  const std::vector<uint8_t> packed = test_support::WavSamples(MediaPath("tone24.wav"));
  const std::vector<uint8_t> wide = Audio(s24, 0, 100);
  for (size_t i = 0; i < 100; ++i)
    EXPECT_EQ(std::vector<uint8_t>(wide.begin() + 4 * i, wide.begin() + 4 * i + 4),
              (std::vector<uint8_t>{0, packed[3 * i], packed[3 * i + 1], packed[3 * i + 2]}));
  // Doubles become floats.
  const PClip dbl = Open("tone_double.wav");
  ASSERT_EQ(dbl->GetVideoInfo().sample_type, kSampleFloat);
  const std::vector<uint8_t> doubles = test_support::WavSamples(MediaPath("tone_double.wav"));
  const std::vector<uint8_t> floats = Audio(dbl, 1000, 50);
  for (size_t i = 0; i < 50; ++i) {
    double d;
    float f;
    std::memcpy(&d, doubles.data() + 8 * (1000 + i), 8);
    std::memcpy(&f, floats.data() + 4 * i, 4);
    EXPECT_EQ(f, static_cast<float>(d));
  }
}

TEST_F(MediaSourceTest, EightBitSilenceIsTheMidpoint) {
  const PClip wav = Open("tone_u8.wav");
  ASSERT_EQ(wav->GetVideoInfo().sample_type, kSampleInt8);
  const std::vector<uint8_t> samples = test_support::WavSamples(MediaPath("tone_u8.wav"));
  EXPECT_EQ(Audio(wav, 0, 8000), samples);
  EXPECT_EQ(Audio(wav, -5, 5), std::vector<uint8_t>(5, 0x80));
  EXPECT_EQ(Audio(wav, 8000, 5), std::vector<uint8_t>(5, 0x80));
  // Audio starting 0.2 s after the picture: 1600 samples of silence first, then the tone.
  const PClip late = Open("late_u8.mkv");
  ASSERT_EQ(late->GetVideoInfo().num_audio_samples, 9600);
  const std::vector<uint8_t> audio = Audio(late, 0, 9600);
  EXPECT_EQ(std::vector<uint8_t>(audio.begin(), audio.begin() + 1600), std::vector<uint8_t>(1600, 0x80));
  EXPECT_EQ(std::vector<uint8_t>(audio.begin() + 1600, audio.end()), samples);
}

TEST_F(MediaSourceTest, ErrorsNameThePathAndTheCause) {
  const std::string missing = test_support::MissingMediaPath();
  const std::string notes = MediaPath("notes.txt"), truncated = MediaPath("truncated.mp4");
  struct Case {
    std::string path;
    std::string error;
  };
  const std::vector<Case> cases = {
      {missing, "MediaSource: cannot open '" + missing + "': No such file or directory"},
      {notes, "MediaSource: cannot open '" + notes + "': not a media file, or a damaged one"},
      {truncated, "MediaSource: cannot open '" + truncated + "': not a media file, or a damaged one"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      CallClip("MediaSource", {{"", c.path.c_str()}});
      ADD_FAILURE() << "no error";
    } catch (const frameserve::MediaError& error) {
      EXPECT_EQ(error.what(), c.error);
    }
  }
  const std::string clip = MediaPath("clip.y4m");
  EXPECT_SCRIPT_ERROR(CallClip("MediaSource", {{"", clip.c_str()}, {"pixel_type", "NV12"}}),
                      "MediaSource: unknown pixel_type 'NV12' (YV12, I420, YUY2 or RGB32)");
}

}  // namespace
