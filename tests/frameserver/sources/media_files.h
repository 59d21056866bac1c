// Small media files made with the ffmpeg command, in a temporary directory of the test binary that is
// removed when its tests end; and readers for the raw formats, to check decoded bytes against.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace test_support {

// The path of a test file (clip.y4m, tone.wav, clip.mp4, ...), made on first use; a name with no
// recipe in media_files.cpp is a test failure.
std::string MediaPath(const std::string& name);
// A path in the same directory where no file is.
std::string MissingMediaPath();

std::vector<uint8_t> ReadFile(const std::filesystem::path& path);
// The bytes of a WAV file's data chunk.
std::vector<uint8_t> WavSamples(const std::filesystem::path& path);
// Frame n of a Y4M file whose frames take frame_bytes each.
std::vector<uint8_t> Y4mFrame(const std::filesystem::path& path, int n, size_t frame_bytes);

}  // namespace test_support
