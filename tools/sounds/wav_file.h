#pragma once
// Writing WAV files the game's sound loader accepts: RIFF "WAVE" with a
// 16-byte PCM "fmt " chunk and a "data" chunk of signed 16-bit
// little-endian samples, one or two channels.

#include <filesystem>
#include <vector>

#include "dsp.h"

namespace vuzed::sounds {

// Samples in [-1, 1]; anything beyond is clamped. False when the file cannot be written.
bool WriteWavMono(const std::filesystem::path& path, const std::vector<float>& samples, int rate);
bool WriteWavStereo(const std::filesystem::path& path, const Stereo& samples, int rate);

// Rounds to the nearest 16-bit sample value, clamped to the range.
int16_t ToPcm16(float sample);

}  // namespace vuzed::sounds
