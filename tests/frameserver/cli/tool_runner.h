// Running the built tool as a user would, and making and reading the media of end-to-end tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace test_support {

struct ToolResult {
  int status;
  std::string out;  // standard output, as bytes
  std::string err;
};

// Runs a shell command line and collects its status and output.
ToolResult RunShell(const std::string& command_line);

// The text quoted for the shell: 'it'\''s'.
std::string Quoted(const std::string& text);

std::string ReadBytes(const std::filesystem::path& file);

// A fresh directory for one test, removed with it; media made in it on first use.
class ToolTest : public ::testing::Test {
 protected:
  ToolTest();
  ~ToolTest() override;

  // `frameserve` with these arguments (already quoted for the shell), FRAMESERVE_PLUGIN_PATH unset.
  ToolResult Tool(const std::string& args) const;
  // ffprobe's value of one entry of one stream: Probe(file, "v:0", "stream=width").
  std::string Probe(const std::filesystem::path& file, const std::string& stream, const std::string& entry) const;

  // Made with ffmpeg on first use: 2 s of H.264/AAC at 64x48 and 25 fps; 1 s of 4:2:0 Y4M at 64x48 and
  // 25 fps; 1 s of 16-bit stereo WAV at 48 kHz.
  std::filesystem::path Mp4();
  std::filesystem::path Y4m();
  std::filesystem::path Wav();

  std::filesystem::path dir;

 private:
  std::filesystem::path Made(const std::string& name, const std::string& ffmpeg_args);
};

// Expects a failed run: a non-zero status and exactly one stderr line, "frameserve: " then a text that
// holds the expected words.
void ExpectOneErrorLine(const ToolResult& result, const std::string& words);

// The frames of a Y4M stream: the header line, then each frame's planes without the FRAME line.
struct Y4m {
  std::string header;
  std::vector<std::string> frames;
};
Y4m ParseY4m(const std::string& bytes);

// The payload of a WAV file's data chunk.
std::string WavData(const std::string& bytes);

}  // namespace test_support
