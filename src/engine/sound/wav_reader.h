#pragma once
// Reading a WAV file: a RIFF file of form "WAVE" holding a "fmt " chunk and,
// after it, a "data" chunk. Chunks are found by name, so other chunks (such
// as "LIST") may sit anywhere before them; odd-sized chunks are followed by
// one pad byte. Only PCM with 8-bit unsigned or 16-bit signed samples, one
// or two channels and a rate of 100..200000 Hz is accepted. A data chunk that
// claims more bytes than the file holds gives the bytes that are there.
// Nothing is read outside the file.

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string_view>
#include <vector>

#include "engine/sound/wave_format.h"

namespace vuzed {

enum class WavError { None, NotFound, NotWave, NoFmt, BadFmt, NoData };

struct WavContents {
  WavError Error = WavError::None;
  TWaveFormat Format;
  std::vector<uint8_t> Data;  // the data chunk's bytes as far as the file holds them
};

WavContents ReadWavFile(const std::filesystem::path& path);
// The same from a stream, from its position to its end; a stream that cannot
// be read at all gives NotFound.
WavContents ReadWav(std::istream& in);

// What follows the file name in the loader's message for this error.
std::string_view WavErrorText(WavError error);

}  // namespace vuzed
