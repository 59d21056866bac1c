#include "tests/frameserver/cli/tool_runner.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

namespace test_support {

ToolResult RunShell(const std::string& command_line) {
  const std::filesystem::path base = std::filesystem::temp_directory_path() / ("tool-" + std::to_string(std::random_device()()));
  const std::string out = base.string() + ".out", err = base.string() + ".err";
  const int raw = std::system((command_line + " >" + out + " 2>" + err).c_str());
  ToolResult result{WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw), ReadBytes(out), ReadBytes(err)};
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return result;
}

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ToolTest::ToolTest() {
  dir = std::filesystem::temp_directory_path() / ("frameserve-test-" + std::to_string(std::random_device()()));
  std::filesystem::create_directories(dir);
}

ToolTest::~ToolTest() { std::filesystem::remove_all(dir); }

ToolResult ToolTest::Tool(const std::string& args) const {
  return RunShell("cd " + Quoted(dir.string()) + " && env -u FRAMESERVE_PLUGIN_PATH " + Quoted(FRAMESERVE_TOOL) + " " + args);
}

std::string ToolTest::Probe(const std::filesystem::path& file, const std::string& stream, const std::string& entry) const {
  const ToolResult r = RunShell("ffprobe -v error -count_frames -select_streams " + stream + " -show_entries " + entry +
                                " -of default=noprint_wrappers=1:nokey=1 " + Quoted(file.string()));
  EXPECT_EQ(r.status, 0) << r.err;
  std::string value = r.out;
  while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) value.pop_back();
  return value;
}

std::filesystem::path ToolTest::Made(const std::string& name, const std::string& ffmpeg_args) {
  const std::filesystem::path file = dir / name;
  if (!std::filesystem::exists(file)) {
    const ToolResult r = RunShell("ffmpeg -nostdin -v error " + ffmpeg_args + " " + Quoted(file.string()));
    EXPECT_EQ(r.status, 0) << r.err;
  }
  return file;
}

std::filesystem::path ToolTest::Mp4() {
  return Made("clip.mp4",
              "-f lavfi -i testsrc2=size=64x48:rate=25:duration=2 -f lavfi -i sine=frequency=440:sample_rate=48000:duration=2 "
              "-c:v libx264 -pix_fmt yuv420p -c:a aac -shortest");
}

std::filesystem::path ToolTest::Y4m() {
  return Made("picture.y4m", "-f lavfi -i testsrc2=size=64x48:rate=25:duration=1 -pix_fmt yuv420p -f yuv4mpegpipe");
}

std::filesystem::path ToolTest::Wav() {
  return Made("sound.wav", "-f lavfi -i sine=frequency=1000:sample_rate=48000:duration=1 -ac 2 -c:a pcm_s16le");
}

void ExpectOneErrorLine(const ToolResult& result, const std::string& words) {
  EXPECT_NE(result.status, 0);
  ASSERT_FALSE(result.err.empty());
  EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;  // one line, ended
  EXPECT_TRUE(result.err.starts_with("frameserve: ")) << result.err;
  EXPECT_NE(result.err.find(words), std::string::npos) << result.err;
}

Y4m ParseY4m(const std::string& bytes) {
  Y4m y4m;
  size_t at = bytes.find('\n');
  if (at == std::string::npos) return y4m;
  y4m.header = bytes.substr(0, at);
  const std::string frame_line = "FRAME\n";
  // The frame size from the header's W and H, 4:2:0 or 4:2:2 by its C tag.
  const int w = std::stoi(y4m.header.substr(y4m.header.find(" W") + 2));
  const int h = std::stoi(y4m.header.substr(y4m.header.find(" H") + 2));
  const bool is422 = y4m.header.find(" C422") != std::string::npos;
  const size_t chroma = is422 ? size_t((w + 1) / 2) * h : size_t((w + 1) / 2) * ((h + 1) / 2);
  const size_t frame_bytes = size_t(w) * h + 2 * chroma;
  for (++at; at < bytes.size(); at += frame_line.size() + frame_bytes) {
    EXPECT_EQ(bytes.compare(at, frame_line.size(), frame_line), 0) << "no FRAME line at byte " << at;
    y4m.frames.push_back(bytes.substr(at + frame_line.size(), frame_bytes));
  }
  return y4m;
}

std::string WavData(const std::string& bytes) {
  for (size_t at = 12; at + 8 <= bytes.size();) {
    const uint32_t size = uint8_t(bytes[at + 4]) | uint8_t(bytes[at + 5]) << 8 | uint8_t(bytes[at + 6]) << 16 |
                          uint32_t(uint8_t(bytes[at + 7])) << 24;
    if (bytes.compare(at, 4, "data") == 0) return bytes.substr(at + 8, size);
    at += 8 + size + (size & 1);
  }
  ADD_FAILURE() << "no data chunk";
  return "";
}

}  // namespace test_support
