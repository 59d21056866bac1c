#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frameserver/writers/wav_writer.h"
#include "host/audio_math.h"
#include "tests/frameserver/writers/render_fixture.h"

namespace writers_test {
namespace {

using test_support::ScriptedClip;
using test_support::Video;
using test_support::WithAudio;

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= uint32_t{b.at(at + i)} << (8 * i);
  return v;
}

// The ScriptedClip's ramp: element i of the interleaved stream holds i, in the sample's width.
std::vector<uint8_t> Ramp(int64_t first_sample, int64_t samples, int channels, int width) {
  std::vector<uint8_t> bytes;
  for (int64_t i = first_sample * channels; i < (first_sample + samples) * channels; ++i)
    for (int b = 0; b < width; ++b) bytes.push_back(static_cast<uint8_t>(static_cast<uint64_t>(i) >> (8 * b)));
  return bytes;
}

struct WavCase {
  const char* name;
  int sample_type;
  int channels;
  uint16_t format_tag;  // 1 PCM, 0xFFFE extensible
  uint16_t subtype;     // extensible only: 1 PCM, 3 float
};

class WavBytes : public RenderTest, public ::testing::WithParamInterface<WavCase> {};

TEST_P(WavBytes, HeaderDescribesTheSamplesThatFollowUnchanged) {
  const WavCase& c = GetParam();
  const int64_t samples = 1001;  // odd: 8-bit mono data needs the pad byte
  PClip clip = new ScriptedClip(WithAudio(Video(0, 0, kPixelTypeNone, 0), 44100, c.channels, c.sample_type, samples));
  frameserve::Render(clip, env, dir / "out.wav", {});
  const std::vector<uint8_t> wav = ReadBytes(dir / "out.wav");
  const int width = SampleWidth(c.sample_type);
  const uint32_t fmt_size = c.format_tag == 1 ? 16 : 40;
  const uint32_t data_bytes = static_cast<uint32_t>(samples * c.channels * width);
  const size_t data_at = 12 + 8 + fmt_size + 8;
  ASSERT_EQ(wav.size(), data_at + data_bytes + (data_bytes & 1));
  EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
  EXPECT_EQ(Le(wav, 4, 4), wav.size() - 8);
  EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(Le(wav, 16, 4), fmt_size);
  EXPECT_EQ(Le(wav, 20, 2), c.format_tag);
  EXPECT_EQ(Le(wav, 22, 2), uint32_t(c.channels));
  EXPECT_EQ(Le(wav, 24, 4), 44100u);
  EXPECT_EQ(Le(wav, 28, 4), uint32_t(44100 * c.channels * width));
  EXPECT_EQ(Le(wav, 32, 2), uint32_t(c.channels * width));
  EXPECT_EQ(Le(wav, 34, 2), uint32_t(8 * width));
  if (c.format_tag == 0xFFFE) {
    EXPECT_EQ(Le(wav, 36, 2), 22u);
    EXPECT_EQ(Le(wav, 38, 2), uint32_t(8 * width));
    EXPECT_EQ(Le(wav, 40, 4), c.channels == 2 ? 3u : c.channels == 1 ? 4u : 0u);
    const std::vector<uint8_t> guid(wav.begin() + 44, wav.begin() + 60);
    const std::vector<uint8_t> expected_guid = {static_cast<uint8_t>(c.subtype), 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0,
                                                0, 0xAA, 0, 0x38, 0x9B, 0x71};
    EXPECT_EQ(guid, expected_guid);
  }
  EXPECT_EQ(std::string(wav.begin() + data_at - 8, wav.begin() + data_at - 4), "data");
  EXPECT_EQ(Le(wav, data_at - 4, 4), data_bytes);
  const std::vector<uint8_t> data(wav.begin() + data_at, wav.begin() + data_at + data_bytes);
  EXPECT_EQ(data, Ramp(0, samples, c.channels, width));
}

INSTANTIATE_TEST_SUITE_P(SampleTypes, WavBytes,
                         ::testing::Values(WavCase{"Unsigned8Mono", kSampleInt8, 1, 1, 0},
                                           WavCase{"Signed16Stereo", kSampleInt16, 2, 1, 0},
                                           WavCase{"Signed16ThreeChannels", kSampleInt16, 3, 0xFFFE, 1},
                                           WavCase{"Signed24Stereo", kSampleInt24, 2, 0xFFFE, 1},
                                           WavCase{"Signed32Mono", kSampleInt32, 1, 0xFFFE, 1},
                                           WavCase{"FloatStereo", kSampleFloat, 2, 0xFFFE, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RenderTest, WavOfAFrameRangeHoldsThoseFramesAudioInChunks) {
  // 25 fps at 48 kHz: frames 2 to 4 are samples 3840 to 9599.
  auto* source = new ScriptedClip(WithAudio(Video(8, 8, kPixelTypeYV12, 250), 48000, 2));
  PClip clip = source;
  frameserve::RenderOptions options;
  options.start = 2;
  options.count = 3;
  int last_done = 0, last_total = 0;
  options.progress = [&](int done, int total) { last_done = done, last_total = total; };
  frameserve::Render(clip, env, dir / "out.wav", options);
  const std::vector<uint8_t> wav = ReadBytes(dir / "out.wav");
  ASSERT_EQ(wav.size(), 44u + 5760 * 4);
  EXPECT_EQ(std::vector<uint8_t>(wav.begin() + 44, wav.end()), Ramp(3840, 5760, 2, 2));
  EXPECT_EQ(source->audio_requests, (std::vector<test_support::AudioRequest>{{3840, 5760}}));
  EXPECT_EQ(last_done, 3);
  EXPECT_EQ(last_total, 3);

  // All of a long clip's audio goes in requests of one second.
  source->audio_requests.clear();
  frameserve::Render(clip, env, dir / "all.wav", {});
  ASSERT_EQ(source->audio_requests.size(), 10u);
  EXPECT_EQ(source->audio_requests[0], (test_support::AudioRequest{0, 48000}));
  EXPECT_EQ(source->audio_requests[9], (test_support::AudioRequest{432000, 48000}));
}

TEST_F(RenderTest, WavPastFourGibibytesIsRefusedBeforeWriting) {
  PClip clip = new ScriptedClip(WithAudio(Video(0, 0, kPixelTypeNone, 0), 48000, 2, kSampleInt16, int64_t{1} << 30));
  EXPECT_EQ(RenderError(clip, env, dir / "out.wav"), frameserve::kWavTooLarge);
  EXPECT_TRUE(Files().empty());
}

}  // namespace
}  // namespace writers_test
