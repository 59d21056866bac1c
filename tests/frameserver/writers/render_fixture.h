// What the writers' tests share: a scratch directory, file contents, external commands, and a ScriptedClip
// that fails part-way through.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "frameserver/env/script_environment.h"
#include "frameserver/writers/render.h"
#include "tests/support/scripted_clip.h"

namespace writers_test {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadBytes(const fs::path& path);
void WriteBytes(const fs::path& path, const std::string& text);
// Runs a shell command and returns its standard output; fails the test on a non-zero status.
std::vector<uint8_t> RunCommand(const std::string& command);
std::string RunText(const std::string& command);
// The message of the Error Render throws; empty when it succeeds.
std::string RenderError(const PClip& clip, frameserve::ScriptEnvironment& env, const fs::path& out,
                        const frameserve::RenderOptions& options = {});

// Serves good frames and audio for a while, then fails as a broken source would.
class FailingClip : public test_support::ScriptedClip {
 public:
  FailingClip(const VideoInfo& vi, int good_requests) : ScriptedClip(vi), good_requests_(good_requests) {}
  PVideoFrame GetFrame(int n, IScriptEnvironment* env) override {
    fail_frames = static_cast<int>(frame_requests.size()) >= good_requests_;
    return ScriptedClip::GetFrame(n, env);
  }
  void GetAudio(void* buf, int64_t start, int64_t count, IScriptEnvironment* env) override {
    fail_audio = static_cast<int>(audio_requests.size()) >= good_requests_;
    ScriptedClip::GetAudio(buf, start, count, env);
  }

 private:
  int good_requests_;
};

class RenderTest : public ::testing::Test {
 protected:
  RenderTest();
  ~RenderTest() override;

  // Files in the scratch directory, the temporaries of a failed render included.
  std::vector<std::string> Files() const;

  frameserve::ScriptEnvironment env;
  fs::path dir;
};

}  // namespace writers_test
