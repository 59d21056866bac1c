// RIFF WAVE in the clip's own sample type. Plain PCM for up to two channels of up to 16 bits;
// WAVE_FORMAT_EXTENSIBLE otherwise, as readers expect for more channels, wider samples and float.
#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "frameserver/env/errors.h"
#include "frameserver/writers/wav_writer.h"
#include "frameserver/writers/writers.h"
#include "host/audio_math.h"

namespace frameserve {
namespace {

static_assert(std::endian::native == std::endian::little, "samples are written as the clip holds them");

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;
// The GUID tail shared by the KSDATAFORMAT_SUBTYPE_* GUIDs; the subtype's first two bytes are its format.
constexpr std::array<uint8_t, 14> kSubtypeTail = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                                  0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

class HeaderBytes {
 public:
  void Tag(const char (&tag)[5]) { bytes_.insert(bytes_.end(), tag, tag + 4); }
  void U16(uint16_t v) { Little(v, 2); }
  void U32(uint32_t v) { Little(v, 4); }
  void Raw(std::span<const uint8_t> raw) { bytes_.insert(bytes_.end(), raw.begin(), raw.end()); }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  void Little(uint32_t v, int n) {
    for (int i = 0; i < n; ++i) bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  std::vector<uint8_t> bytes_;
};

bool NeedsExtensible(const VideoInfo& vi) { return vi.nchannels > 2 || SampleWidth(vi.sample_type) > 2; }

// Speakers of the common layouts; past stereo the clip says nothing about its channels, so none are named.
uint32_t ChannelMask(int channels) { return channels == 1 ? 0x4 : channels == 2 ? 0x3 : 0; }

}  // namespace

std::vector<uint8_t> WavHeader(const VideoInfo& vi, uint64_t data_bytes) {
  const int width = SampleWidth(vi.sample_type);
  const bool extensible = NeedsExtensible(vi);
  const uint16_t format = vi.sample_type == kSampleFloat ? kFormatFloat : kFormatPcm;
  const uint32_t fmt_size = extensible ? 40 : 16;
  const uint64_t riff_size = 4 + (8 + fmt_size) + 8 + data_bytes + (data_bytes & 1);
  if (riff_size > UINT32_MAX) throw Error(kWavTooLarge);
  const auto block_align = static_cast<uint16_t>(width * vi.nchannels);
  HeaderBytes h;
  h.Tag("RIFF");
  h.U32(static_cast<uint32_t>(riff_size));
  h.Tag("WAVE");
  h.Tag("fmt ");
  h.U32(fmt_size);
  h.U16(extensible ? kFormatExtensible : format);
  h.U16(static_cast<uint16_t>(vi.nchannels));
  h.U32(static_cast<uint32_t>(vi.audio_samples_per_second));
  h.U32(static_cast<uint32_t>(vi.audio_samples_per_second) * block_align);
  h.U16(block_align);
  h.U16(static_cast<uint16_t>(8 * width));
  if (extensible) {
    h.U16(22);  // bytes that follow
    h.U16(static_cast<uint16_t>(8 * width));  // valid bits: all of them
    h.U32(ChannelMask(vi.nchannels));
    h.U16(format);
    h.Raw(kSubtypeTail);
  }
  h.Tag("data");
  h.U32(static_cast<uint32_t>(data_bytes));
  return h.Bytes();
}

void CheckWavSize(const VideoInfo& vi, int64_t samples) {
  const auto frame_bytes = static_cast<uint64_t>(SampleWidth(vi.sample_type)) * static_cast<uint64_t>(vi.nchannels);
  if (static_cast<uint64_t>(samples) > UINT32_MAX / frame_bytes) throw Error(kWavTooLarge);
  WavHeader(vi, static_cast<uint64_t>(samples) * frame_bytes);
}

void WriteWav(const PClip& clip, ScriptEnvironment& env, OutputFile& out, SampleRange samples,
              const AudioProgress& progress) {
  const VideoInfo& vi = clip->GetVideoInfo();
  const int64_t frame_bytes = int64_t{SampleWidth(vi.sample_type)} * vi.nchannels;
  const uint64_t data_bytes = static_cast<uint64_t>(samples.count * frame_bytes);
  const std::vector<uint8_t> header = WavHeader(vi, data_bytes);
  out.Write(header.data(), header.size());
  // About a second per request: few calls into the clip, a buffer of a few hundred kilobytes.
  const int64_t chunk = std::clamp<int64_t>(vi.audio_samples_per_second, 1, int64_t{1} << 20);
  std::vector<uint8_t> buffer(static_cast<size_t>(std::min(chunk, std::max<int64_t>(samples.count, 1)) * frame_bytes));
  for (int64_t done = 0; done < samples.count;) {
    const int64_t n = std::min<int64_t>(chunk, samples.count - done);
    clip->GetAudio(buffer.data(), samples.start + done, n, &env);
    out.Write(buffer.data(), static_cast<size_t>(n * frame_bytes));
    done += n;
    progress.Report(done);
  }
  if (data_bytes & 1) out.Write("", 1);  // chunks end on an even byte
}

}  // namespace frameserve
