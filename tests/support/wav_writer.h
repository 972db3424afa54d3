#pragma once
// Builds WAV files for tests, chunk by chunk, so that broken layouts can be
// made as easily as good ones.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vuzed::test {

// id, 4-byte little-endian size, body, and a pad byte after an odd body.
std::string WavChunk(std::string_view id, const std::string& body);
// Size is the declared size, whatever the body holds.
std::string WavChunkDeclaring(std::string_view id, uint32_t declaredSize, const std::string& body);
// A 16-byte "fmt " body.
std::string FmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits);
// "RIFF", size, "WAVE", then the chunks.
std::string RiffWave(const std::string& chunks);
// Signed 16-bit little-endian samples.
std::string Pcm16(const std::vector<int16_t>& samples);
// A plain PCM WAV file.
std::string MakeWav(uint16_t channels, uint32_t rate, uint16_t bits, const std::string& data);

}  // namespace vuzed::test
