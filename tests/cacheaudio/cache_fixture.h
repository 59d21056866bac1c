// A CacheAudio clip made through the real plug-in in front of a scripted child, with helpers that
// read its audio (checking that nothing is written past the request) and the audio it should serve.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/support/plugin_fixture.h"
#include "tests/support/scripted_clip.h"

namespace test_support {

class CacheAudioTest : public PluginTest {
 protected:
  // Makes a new child of these properties and the cache in front of it.
  void Make(const VideoInfo& vi, const std::vector<frameserve::Argument>& args = {});

  // count samples from start, as the cache serves them; fails the test if the cache writes outside.
  std::vector<uint8_t> Read(int64_t start, int64_t count);
  // The child's audio from start on, silence outside the clip.
  std::vector<uint8_t> Expected(int64_t start, int64_t count) const;
  // The child's requests since the last call.
  std::vector<AudioRequest> TakeRequests();

  int SampleBytes() const;

  ScriptedClip* child = nullptr;
  PClip held_child;  // keeps the child even when the cache could not be made
  PClip cache;
};

}  // namespace test_support
