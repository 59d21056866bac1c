#include "frameserver/sources/test_tone.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>

#include "host/plugin_interface.h"

namespace frameserve {
namespace {

constexpr double kLowHz = 220, kHighHz = 880;
constexpr double kQuiet = 0.1, kLoud = 0.8;
constexpr double kChannelLag = 1.0 / 16;     // of a cycle
constexpr double kChannelFade = 0.06;
constexpr int kSineSize = 4096;

const std::array<float, kSineSize>& SineTable() {
  static const std::array<float, kSineSize> table = [] {
    std::array<float, kSineSize> t{};
    for (int i = 0; i < kSineSize; ++i) t[i] = static_cast<float>(std::sin(2 * std::numbers::pi * i / kSineSize));
    return t;
  }();
  return table;
}

// Rounds half away from zero; |x| stays within the sample type's range.
int64_t Round(double x) { return static_cast<int64_t>(x + (x < 0 ? -0.5 : 0.5)); }

// One channel sample of value v in [-1, 1], little-endian as the host's audio is.
struct StoreU8 {
  static constexpr int kBytes = 1;
  static void Put(uint8_t* p, double v) { *p = static_cast<uint8_t>(128 + Round(v * 127)); }
};
struct StoreS16 {
  static constexpr int kBytes = 2;
  static void Put(uint8_t* p, double v) {
    const auto s = static_cast<int16_t>(Round(v * 32767));
    std::memcpy(p, &s, 2);
  }
};
struct StoreS24 {
  static constexpr int kBytes = 3;
  static void Put(uint8_t* p, double v) {
    const auto s = static_cast<uint32_t>(Round(v * 8388607));
    p[0] = static_cast<uint8_t>(s), p[1] = static_cast<uint8_t>(s >> 8), p[2] = static_cast<uint8_t>(s >> 16);
  }
};
struct StoreS32 {
  static constexpr int kBytes = 4;
  static void Put(uint8_t* p, double v) {
    const auto s = static_cast<int32_t>(Round(v * 2147483647.0));
    std::memcpy(p, &s, 4);
  }
};
struct StoreFloat {
  static constexpr int kBytes = 4;
  static void Put(uint8_t* p, double v) {
    const auto s = static_cast<float>(v);
    std::memcpy(p, &s, 4);
  }
};

}  // namespace

TestTone::TestTone(int rate, int channels, int sample_type)
    : rate_(rate), channels_(channels), click_samples_(std::max(2, rate / 500)) {
  switch (sample_type) {
    case kSampleInt8: write_ = WriteAs<StoreU8>; break;
    case kSampleInt24: write_ = WriteAs<StoreS24>; break;
    case kSampleInt32: write_ = WriteAs<StoreS32>; break;
    case kSampleFloat: write_ = WriteAs<StoreFloat>; break;
    default: write_ = WriteAs<StoreS16>; break;
  }
}

template <typename Store>
void TestTone::WriteAs(const TestTone& tone, uint8_t* out, int64_t start, int64_t count) {
  const std::array<float, kSineSize>& sine = SineTable();
  const double per_sample = 1.0 / tone.rate_;
  int64_t s = start % tone.rate_;  // position within its second
  for (int64_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(s) * per_sample;  // seconds into the sweep
    // The phase is the integral of the rising frequency, so the sweep has no jumps within a second.
    const double cycles = t * (kLowHz + (kHighHz - kLowHz) * 0.5 * t);
    const double level = kQuiet + (kLoud - kQuiet) * t;
    const double click = s < tone.click_samples_ / 2 ? 1 : -1;
    for (int c = 0; c < tone.channels_; ++c, out += Store::kBytes) {
      const double channel_level = 1 - kChannelFade * c;
      double v;
      if (s < tone.click_samples_) {
        v = click * channel_level;
      } else {
        const double phase = cycles - kChannelLag * c;
        const auto index = static_cast<int64_t>(std::floor(phase * kSineSize)) & (kSineSize - 1);
        v = level * channel_level * sine[static_cast<size_t>(index)];
      }
      Store::Put(out, v);
    }
    if (++s == tone.rate_) s = 0;
  }
}

}  // namespace frameserve
