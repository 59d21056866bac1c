#include "tests/frameserver/sources/media_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace test_support {
namespace {

// What each file is made from: the ffmpeg arguments before the output name, and a file they read.
struct Recipe {
  const char* name;
  const char* args;
  const char* needs = nullptr;
};
constexpr Recipe kRecipes[] = {
    {"clip.y4m", "-f lavfi -i testsrc=size=170x98:rate=25:duration=2 -pix_fmt yuv420p"},
    {"clip422.y4m", "-f lavfi -i testsrc=size=64x48:rate=25:duration=1 -pix_fmt yuv422p"},
    {"tone.wav", "-f lavfi -i sine=frequency=440:sample_rate=48000:duration=2 -ac 2 -c:a pcm_s16le"},
    {"tone24.wav", "-f lavfi -i sine=frequency=300:sample_rate=44100:duration=1 -c:a pcm_s24le"},
    {"tone_double.wav", "-f lavfi -i sine=frequency=300:sample_rate=44100:duration=1 -c:a pcm_f64le"},
    {"tone_u8.wav", "-f lavfi -i sine=frequency=300:sample_rate=8000:duration=1 -c:a pcm_u8"},
    // The u8 tone starting 0.2 s after the first frame.
    {"late_u8.mkv", "-f lavfi -i testsrc=size=64x48:rate=25:duration=1 -itsoffset 0.2 -i tone_u8.wav -c:v ffv1 -c:a copy",
     "tone_u8.wav"},
    {"clip.mp4", "-f lavfi -i testsrc=size=160x96:rate=25:duration=2 -f lavfi -i sine=sample_rate=48000:duration=2 "
                 "-ac 2 -c:v libx264 -g 12 -bf 2 -pix_fmt yuv420p -c:a aac"},
};

// Removes the directory once every test of the binary has run.
class MediaEnvironment : public ::testing::Environment {
 public:
  void TearDown() override {
    if (!directory.empty()) std::filesystem::remove_all(directory);
  }
  std::filesystem::path directory;
};

MediaEnvironment* const environment =
    static_cast<MediaEnvironment*>(::testing::AddGlobalTestEnvironment(new MediaEnvironment));

void Make(const std::filesystem::path& dir, const std::string& name) {
  if (name == "notes.txt") {
    std::ofstream(dir / name) << "no media here\n";
    return;
  }
  if (name == "truncated.mp4") {  // cut short before its index, which ffmpeg writes at the end
    const std::vector<uint8_t> mp4 = ReadFile(MediaPath("clip.mp4"));
    std::ofstream(dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(mp4.data()), static_cast<std::streamsize>(mp4.size() / 2));
    return;
  }
  const auto recipe = std::find_if(std::begin(kRecipes), std::end(kRecipes), [&](const Recipe& r) { return name == r.name; });
  ASSERT_NE(recipe, std::end(kRecipes)) << "no recipe for " << name;
  if (recipe->needs) MediaPath(recipe->needs);
  const std::string command = "cd '" + dir.string() + "' && ffmpeg -nostdin -hide_banner -loglevel error -y " +
                              recipe->args + " -bitexact " + name;
  ASSERT_EQ(std::system(command.c_str()), 0) << "could not make " << name << ": " << command;
}

}  // namespace

namespace {

const std::filesystem::path& Directory() {
  if (environment->directory.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "mediasource-XXXXXX").string();
    if (!mkdtemp(pattern.data())) ADD_FAILURE() << "no temporary directory: " << std::strerror(errno);
    environment->directory = pattern;
  }
  return environment->directory;
}

}  // namespace

// Files are made when first asked for: CTest runs each test in a process of its own.
std::string MediaPath(const std::string& name) {
  const std::filesystem::path path = Directory() / name;
  if (!std::filesystem::exists(path)) Make(Directory(), name);
  return path.string();
}

std::string MissingMediaPath() { return (Directory() / "missing.mp4").string(); }

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<uint8_t> WavSamples(const std::filesystem::path& path) {
  const std::vector<uint8_t> file = ReadFile(path);
  const auto u32 = [&](size_t at) {
    uint32_t v;
    std::memcpy(&v, file.data() + at, 4);
    return v;
  };
  for (size_t at = 12; at + 8 <= file.size(); at += 8 + ((u32(at + 4) + 1) & ~1u)) {
    if (std::memcmp(file.data() + at, "data", 4) == 0) {
      const size_t size = std::min<size_t>(u32(at + 4), file.size() - at - 8);
      return std::vector<uint8_t>(file.begin() + static_cast<long>(at + 8), file.begin() + static_cast<long>(at + 8 + size));
    }
  }
  ADD_FAILURE() << "no data chunk in " << path;
  return {};
}

std::vector<uint8_t> Y4mFrame(const std::filesystem::path& path, int n, size_t frame_bytes) {
  const std::vector<uint8_t> file = ReadFile(path);
  const std::string header = "FRAME\n";
  size_t at = static_cast<size_t>(std::find(file.begin(), file.end(), '\n') - file.begin()) + 1;
  at += static_cast<size_t>(n) * (header.size() + frame_bytes) + header.size();
  if (at + frame_bytes > file.size()) {
    ADD_FAILURE() << "no frame " << n << " in " << path;
    return {};
  }
  return std::vector<uint8_t>(file.begin() + static_cast<long>(at), file.begin() + static_cast<long>(at + frame_bytes));
}

}  // namespace test_support
