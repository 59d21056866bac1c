// The WAVE header, apart so tests and the size check before writing can use it.
#pragma once

#include <cstdint>
#include <vector>

#include "host/plugin_interface.h"

namespace frameserve {

inline constexpr const char* kWavTooLarge =
    "the audio is too long for a .wav file (4 GiB at most): render it to .mkv or choose frames with --start/--count";

// Header of a file of data_bytes of the clip's audio; throws Error when RIFF cannot hold that much.
std::vector<uint8_t> WavHeader(const VideoInfo& vi, uint64_t data_bytes);
// Throws the same error before anything is written.
void CheckWavSize(const VideoInfo& vi, int64_t samples);

}  // namespace frameserve
