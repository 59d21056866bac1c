#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

#include "host/audio_math.h"
#include "tests/frameserver/writers/render_fixture.h"

namespace writers_test {
namespace {

using test_support::ScriptedClip;
using test_support::Video;
using test_support::WithAudio;

std::string Probe(const fs::path& file, const std::string& entries) {
  return RunText("ffprobe -v error -count_frames -show_entries " + entries + " -of default=nw=1 '" +
                 file.string() + "'");
}

// What ffmpeg decodes from the file, as raw bytes of the given format.
std::vector<uint8_t> Decode(const fs::path& file, const std::string& stream_and_format) {
  return RunCommand("ffmpeg -v error -i '" + file.string() + "' " + stream_and_format + " -");
}

// The clip's own frames, planes Y, U, V one after another, as a raw yuv420p stream holds them.
std::vector<uint8_t> RawYuv420(ScriptedClip& clip, IScriptEnvironment& env) {
  const VideoInfo& vi = clip.GetVideoInfo();
  std::vector<uint8_t> raw;
  for (int n = 0; n < vi.num_frames; ++n) {
    const PVideoFrame frame = clip.GetFrame(n, &env);
    for (int plane : {kPlaneY, kPlaneU, kPlaneV})
      for (int y = 0; y < frame->GetHeight(plane); ++y)
        raw.insert(raw.end(), frame->GetReadPtr(plane) + y * frame->GetPitch(plane),
                   frame->GetReadPtr(plane) + y * frame->GetPitch(plane) + frame->GetRowSize(plane));
  }
  return raw;
}

std::vector<uint8_t> RawAudio(ScriptedClip& clip, IScriptEnvironment& env) {
  const VideoInfo& vi = clip.GetVideoInfo();
  std::vector<uint8_t> raw(static_cast<size_t>(vi.num_audio_samples * vi.nchannels * SampleWidth(vi.sample_type)));
  clip.GetAudio(raw.data(), 0, vi.num_audio_samples, &env);
  return raw;
}

TEST_F(RenderTest, MkvHoldsYv12AndItsAudioLosslessly) {
  auto* source = new ScriptedClip(WithAudio(Video(16, 8, kPixelTypeYV12, 10), 48000, 2));
  source->sample = [](int64_t p, int c) { return (p * 37 + c * 1000) % 65536 - 32768; };
  PClip clip = source;
  std::vector<int> progress;
  frameserve::RenderOptions options;
  options.progress = [&](int done, int total) { progress.push_back(done * 100 + total); };
  frameserve::Render(clip, env, dir / "out.mkv", options);
  const fs::path mkv = dir / "out.mkv";
  EXPECT_EQ(Probe(mkv, "stream=codec_name,pix_fmt,sample_fmt,nb_read_frames"),
            "codec_name=ffv1\npix_fmt=yuv420p\nnb_read_frames=10\n"
            "codec_name=flac\nsample_fmt=s16\nnb_read_frames=5\n");
  EXPECT_EQ(Probe(mkv, "format=duration"), "duration=0.400000\n");
  EXPECT_EQ(Decode(mkv, "-map 0:v -f rawvideo"), RawYuv420(*source, env));
  EXPECT_EQ(Decode(mkv, "-map 0:a -f s16le"), RawAudio(*source, env));
  ASSERT_EQ(progress.size(), 10u);
  EXPECT_EQ(progress.back(), 1010);
}

struct AudioCase {
  const char* name;
  int sample_type;
  const char* codec;
  const char* raw_format;  // how ffmpeg writes the decoded samples back in the clip's layout
};

class MkvAudio : public RenderTest, public ::testing::WithParamInterface<AudioCase> {};

TEST_P(MkvAudio, AudioOnlyRoundTripsExactly) {
  const AudioCase& c = GetParam();
  auto* source = new ScriptedClip(WithAudio(Video(0, 0, kPixelTypeNone, 0), 44100, 3, c.sample_type, 20000));
  // Values that use every bit of the sample; a float is kept to ordinary numbers in -1..1.
  source->sample = [&c](int64_t p, int ch) -> int64_t {
    const uint32_t bits = static_cast<uint32_t>((p * 2654435761u) ^ (ch * 40503u));
    if (c.sample_type != kSampleFloat) return bits;
    const float value = static_cast<float>(static_cast<int32_t>(bits)) / 4294967296.0f;
    return std::bit_cast<uint32_t>(value);
  };
  PClip clip = source;
  frameserve::Render(clip, env, dir / "out.mkv", {});
  const fs::path mkv = dir / "out.mkv";
  EXPECT_EQ(Probe(mkv, "stream=codec_type,codec_name"), std::string("codec_name=") + c.codec + "\ncodec_type=audio\n");
  EXPECT_EQ(Decode(mkv, std::string("-f ") + c.raw_format), RawAudio(*source, env));
}

INSTANTIATE_TEST_SUITE_P(SampleTypes, MkvAudio,
                         ::testing::Values(AudioCase{"Unsigned8", kSampleInt8, "pcm_u8", "u8"},
                                           AudioCase{"Signed16", kSampleInt16, "flac", "s16le"},
                                           AudioCase{"Signed24", kSampleInt24, "flac", "s24le"},
                                           AudioCase{"Signed32", kSampleInt32, "pcm_s32le", "s32le"},
                                           AudioCase{"Float", kSampleFloat, "pcm_f32le", "f32le"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RenderTest, MkvOfYuy2AndRgb32KeepTheirPictureExactly) {
  for (const auto& [pixel_type, raw_format] : {std::pair{kPixelTypeYUY2, "yuyv422"}, {kPixelTypeRGB32, "bgra"}}) {
    SCOPED_TRACE(raw_format);
    auto* source = new ScriptedClip(Video(8, 4, pixel_type, 3));
    PClip clip = source;
    frameserve::Render(clip, env, dir / "out.mkv", {});
    EXPECT_EQ(Probe(dir / "out.mkv", "stream=codec_name"), "codec_name=ffv1\n");
    std::vector<uint8_t> raw;
    for (int n = 0; n < 3; ++n) {
      const PVideoFrame frame = source->GetFrame(n, &env);
      for (int y = 0; y < 4; ++y)
        raw.insert(raw.end(), frame->GetReadPtr() + y * frame->GetPitch(),
                   frame->GetReadPtr() + y * frame->GetPitch() + frame->GetRowSize());
    }
    EXPECT_EQ(Decode(dir / "out.mkv", std::string("-f rawvideo -pix_fmt ") + raw_format), raw);
  }
}

TEST_F(RenderTest, MkvEncodersAreChosenByName) {
  PClip clip = new ScriptedClip(WithAudio(Video(16, 16, kPixelTypeYV12, 25), 48000, 2, kSampleInt24));
  frameserve::RenderOptions options;
  options.vcodec = "mpeg4";
  options.acodec = "aac";  // takes planar float: the samples are converted
  frameserve::Render(clip, env, dir / "out.mkv", options);
  EXPECT_EQ(Probe(dir / "out.mkv", "stream=codec_name,nb_read_frames"),
            "codec_name=mpeg4\nnb_read_frames=25\ncodec_name=aac\nnb_read_frames=48\n");

  options.vcodec = "nope";
  EXPECT_EQ(RenderError(clip, env, dir / "bad.mkv", options), "there is no video encoder named 'nope'");
  options.vcodec = "flac";
  EXPECT_EQ(RenderError(clip, env, dir / "bad.mkv", options), "'flac' is not a video encoder");
  options.vcodec = "";
  options.acodec = "ffv1";
  EXPECT_EQ(RenderError(clip, env, dir / "bad.mkv", options), "'ffv1' is not an audio encoder");
  EXPECT_EQ(Files(), (std::vector<std::string>{"out.mkv"}));
}

}  // namespace
}  // namespace writers_test
