// Tests of the frameserver's own script functions, called by name as a script would call them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "frameserver/env/errors.h"
#include "frameserver/env/script_environment.h"
#include "frameserver/sources/sources.h"
#include "host/audio_math.h"
#include "tests/support/plugin_fixture.h"

namespace test_support {

class SourcesTest : public ::testing::Test {
 protected:
  SourcesTest() { frameserve::RegisterSources(env); }

  PClip CallClip(const char* name, std::initializer_list<frameserve::Argument> args) {
    const std::vector<frameserve::Argument> list(args);
    const AVSValue value = env.Invoke(name, list);
    EXPECT_TRUE(value.IsClip()) << name << " made no clip";
    return value.AsClip();
  }

  // Every byte of a frame's planes, row by row without the padding.
  static std::vector<uint8_t> Bytes(const PVideoFrame& frame) {
    std::vector<uint8_t> bytes;
    const int planes = frame->GetPitch(kPlaneU) ? 3 : 1;
    for (int plane = 0; plane < planes; ++plane)
      for (int y = 0; y < frame->GetHeight(plane); ++y) {
        const uint8_t* row = frame->GetReadPtr(plane) + y * frame->GetPitch(plane);
        bytes.insert(bytes.end(), row, row + frame->GetRowSize(plane));
      }
    return bytes;
  }

  // count samples from start, with guard bytes after them that the clip must leave alone.
  std::vector<uint8_t> Audio(const PClip& clip, int64_t start, int64_t count) {
    const VideoInfo& vi = clip->GetVideoInfo();
    const size_t bytes = static_cast<size_t>(count * SampleWidth(vi.sample_type) * vi.nchannels);
    std::vector<uint8_t> buffer(bytes + kGuard, kGuardByte);
    clip->GetAudio(buffer.data(), start, count, &env);
    for (size_t i = bytes; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], kGuardByte) << "written past the request";
    buffer.resize(bytes);
    return buffer;
  }

  static constexpr size_t kGuard = 16;
  static constexpr uint8_t kGuardByte = 0x5A;

  frameserve::ScriptEnvironment env;  // outlives every clip a test makes
};

}  // namespace test_support
