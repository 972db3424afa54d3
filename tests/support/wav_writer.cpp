#include "support/wav_writer.h"

namespace vuzed::test {
namespace {

void Put16(std::string& s, uint16_t v) {
  s += char(v & 0xFF);
  s += char(v >> 8);
}

void Put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += char((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::string WavChunkDeclaring(std::string_view id, uint32_t declaredSize, const std::string& body) {
  std::string s(id);
  Put32(s, declaredSize);
  s += body;
  if (body.size() % 2) s += '\0';
  return s;
}

std::string WavChunk(std::string_view id, const std::string& body) {
  return WavChunkDeclaring(id, uint32_t(body.size()), body);
}

std::string FmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
  std::string s;
  uint16_t align = uint16_t(bits / 8 * channels);
  Put16(s, tag);
  Put16(s, channels);
  Put32(s, rate);
  Put32(s, rate * align);
  Put16(s, align);
  Put16(s, bits);
  return s;
}

std::string RiffWave(const std::string& chunks) {
  std::string s = "RIFF";
  Put32(s, uint32_t(4 + chunks.size()));
  return s + "WAVE" + chunks;
}

std::string Pcm16(const std::vector<int16_t>& samples) {
  std::string s;
  for (int16_t v : samples) Put16(s, uint16_t(v));
  return s;
}

std::string MakeWav(uint16_t channels, uint32_t rate, uint16_t bits, const std::string& data) {
  return RiffWave(WavChunk("fmt ", FmtBody(1, channels, rate, bits)) + WavChunk("data", data));
}

}  // namespace vuzed::test
