// The built tool on real media: each output format checked with ffprobe and by bytes.
#include <gtest/gtest.h>

#include "tests/frameserver/cli/tool_runner.h"

namespace {

using test_support::ParseY4m;
using test_support::Quoted;
using test_support::ReadBytes;
using test_support::ToolResult;
using test_support::WavData;

class EndToEnd : public test_support::ToolTest {
 protected:
  // Renders a script to out (in the test's directory) and expects success without a word on stderr.
  std::string Render(const std::string& script, const std::string& out, const std::string& options = "") {
    const ToolResult r = Tool("render -e " + Quoted(script) + " -o " + out + " --quiet " + options);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return out == "-" ? r.out : ReadBytes(dir / out);
  }
};

TEST_F(EndToEnd, InfoOfTestSource) {
  const ToolResult json = Tool("info -e 'TestSource(width=64, height=48, frames=10)' --json");
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(json.out,
            "{\"width\": 64, \"height\": 48, \"fps_numerator\": 25, \"fps_denominator\": 1, \"num_frames\": 10, "
            "\"pixel_type\": \"YV12\", \"audio_samples_per_second\": 48000, \"sample_type\": 2, \"nchannels\": 2, "
            "\"num_audio_samples\": 19200}\n");
  const ToolResult text = Tool("info -e 'TestSource(audio=false)'");
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("num_frames:               250 (0:00:10.000)\n"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("audio_samples_per_second: 0 (no audio)\n"), std::string::npos) << text.out;
}

TEST_F(EndToEnd, InfoOfAnMp4) {
  Mp4();
  const ToolResult info = Tool("info --json -e " + Quoted("MediaSource(\"clip.mp4\")"));
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find("\"width\": 64, \"height\": 48, \"fps_numerator\": 25, \"fps_denominator\": 1, \"num_frames\": 50"),
            std::string::npos) << info.out;
  EXPECT_NE(info.out.find("\"audio_samples_per_second\": 48000"), std::string::npos) << info.out;
}

// A Y4M picture goes through the tool unchanged, whole or in part, to a file or to standard output.
TEST_F(EndToEnd, Y4mRoundTripIsByteExact) {
  const auto source = ParseY4m(ReadBytes(Y4m()));
  ASSERT_EQ(source.frames.size(), 25u);
  const std::string script = "MediaSource(\"picture.y4m\")";
  const auto copy = ParseY4m(Render(script, "copy.y4m"));
  EXPECT_EQ(copy.header, "YUV4MPEG2 W64 H48 F25:1 Ip A1:1 C420jpeg");
  EXPECT_EQ(copy.frames, source.frames);
  EXPECT_EQ(Probe(dir / "copy.y4m", "v:0", "stream=nb_read_frames"), "25");

  EXPECT_EQ(Render(script, "-"), ReadBytes(dir / "copy.y4m"));

  const auto part = ParseY4m(Render(script, "part.y4m", "--start 2 --count 3"));
  ASSERT_EQ(part.frames.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(part.frames[i], source.frames[2 + i]) << "frame " << i;
}

// SoundTrace on a picture and its sound from separate files: the picture is copied whole and the strip
// below it has its white border lines.
TEST_F(EndToEnd, SoundTraceStripOverAY4mAndWavPair) {
  Y4m(), Wav();
  const auto source = ParseY4m(ReadBytes(dir / "picture.y4m"));
  const auto traced = ParseY4m(
      Render("AudioDub(MediaSource(\"picture.y4m\"), MediaSource(\"sound.wav\"))\nSoundTrace(height=20)", "trace.y4m"));
  EXPECT_EQ(traced.header, "YUV4MPEG2 W64 H68 F25:1 Ip A1:1 C420jpeg");
  ASSERT_EQ(traced.frames.size(), 25u);
  const size_t w = 64, picture = w * 48, panel_rows = 20;
  for (size_t n = 0; n < traced.frames.size(); ++n) {
    SCOPED_TRACE("frame " + std::to_string(n));
    const std::string& frame = traced.frames[n];
    EXPECT_EQ(frame.compare(0, picture, source.frames[n], 0, picture), 0) << "the picture's luma is changed";
    EXPECT_EQ(frame.substr(picture, w), std::string(w, '\xFF')) << "top border";
    EXPECT_EQ(frame.substr(picture + (panel_rows - 1) * w, w), std::string(w, '\xFF')) << "bottom border";
    const size_t luma = w * 68, chroma_picture = 32 * 24, chroma_plane = 32 * 34;
    for (size_t plane = 0; plane < 2; ++plane)
      EXPECT_EQ(frame.compare(luma + plane * chroma_plane, chroma_picture, source.frames[n],
                              picture + plane * chroma_picture, chroma_picture), 0) << "chroma plane " << plane;
  }
}

TEST_F(EndToEnd, WavKeepsTheSamples) {
  Wav();
  const std::string copy = Render("MediaSource(\"sound.wav\")", "copy.wav");
  EXPECT_EQ(WavData(copy), WavData(ReadBytes(dir / "sound.wav")));
  EXPECT_EQ(Probe(dir / "copy.wav", "a:0", "stream=codec_name,sample_rate,channels"), "pcm_s16le\n48000\n2");
}

TEST_F(EndToEnd, WavInEverySampleType) {
  struct Case {
    const char* sample_type;
    const char* codec;
    size_t bytes;  // of one sample of one channel
  };
  for (const Case& c : {Case{"8bit", "pcm_u8", 1}, Case{"16bit", "pcm_s16le", 2}, Case{"24bit", "pcm_s24le", 3},
                        Case{"32bit", "pcm_s32le", 4}, Case{"float", "pcm_f32le", 4}}) {
    SCOPED_TRACE(c.sample_type);
    const std::string file = std::string(c.sample_type) + ".wav";
    const std::string wav = Render("TestSource(frames=5, channels=3, sample_type=\"" + std::string(c.sample_type) + "\")", file);
    EXPECT_EQ(WavData(wav).size(), 9600 * 3 * c.bytes);  // 5 frames at 25 fps of 48 kHz
    EXPECT_EQ(Probe(dir / file, "a:0", "stream=codec_name,sample_rate,channels"), std::string(c.codec) + "\n48000\n3");
  }
}

TEST_F(EndToEnd, PngSnapshot) {
  Render("TestSource(width=64, height=48).SoundTrace", "snap.png", "--start 7");
  EXPECT_EQ(Probe(dir / "snap.png", "v:0", "stream=codec_name,width,height,pix_fmt"), "png\n64\n96\nrgb24");
}

// The MKV holds FFV1 and FLAC by default: its decoded picture equals the Y4M render of the same script.
TEST_F(EndToEnd, MkvIsLosslessByDefault) {
  const std::string script = "TestSource(width=64, height=48, frames=10).CacheAudio().SoundTrace(frames=3)";
  Render(script, "out.mkv");
  EXPECT_EQ(Probe(dir / "out.mkv", "v:0", "stream=codec_name,width,height,nb_read_frames"), "ffv1\n64\n96\n10");
  EXPECT_EQ(Probe(dir / "out.mkv", "a:0", "stream=codec_name,sample_rate,channels"), "flac\n48000\n2");
  const auto y4m = ParseY4m(Render(script, "out.y4m"));
  std::string planes;
  for (const std::string& frame : y4m.frames) planes += frame;
  const ToolResult decoded = test_support::RunShell("ffmpeg -nostdin -v error -i " + Quoted((dir / "out.mkv").string()) +
                                                    " -f rawvideo -pix_fmt yuv420p -");
  ASSERT_EQ(decoded.status, 0) << decoded.err;
  EXPECT_TRUE(decoded.out == planes) << "decoded " << decoded.out.size() << " bytes, rendered " << planes.size();
}

TEST_F(EndToEnd, MkvFromAnMp4WithChosenEncoders) {
  Mp4();
  Render("MediaSource(\"clip.mp4\").SoundTrace", "out.mkv", "--vcodec libx264 --acodec aac");
  EXPECT_EQ(Probe(dir / "out.mkv", "v:0", "stream=codec_name,width,height,nb_read_frames"), "h264\n64\n96\n50");
  EXPECT_EQ(Probe(dir / "out.mkv", "a:0", "stream=codec_name"), "aac");
}

}  // namespace
