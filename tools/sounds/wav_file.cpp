#include "wav_file.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

namespace vuzed::sounds {
namespace {

void Put16(std::string& out, uint16_t v) {
  out += char(v & 0xFF);
  out += char(v >> 8);
}

void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += char((v >> (8 * i)) & 0xFF);
}

bool WriteWav(const std::filesystem::path& path, const std::vector<int16_t>& interleaved, int channels, int rate) {
  const uint32_t dataBytes = uint32_t(interleaved.size() * 2);
  const uint16_t blockAlign = uint16_t(2 * channels);
  std::string out;
  out.reserve(44 + dataBytes);
  out += "RIFF";
  Put32(out, 36 + dataBytes);
  out += "WAVE";
  out += "fmt ";
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, uint16_t(channels));
  Put32(out, uint32_t(rate));
  Put32(out, uint32_t(rate) * blockAlign);
  Put16(out, blockAlign);
  Put16(out, 16);
  out += "data";
  Put32(out, dataBytes);
  for (int16_t s : interleaved) Put16(out, uint16_t(s));
  std::filesystem::create_directories(path.parent_path());
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(out.data(), std::streamsize(out.size()));
  return bool(file);
}

}  // namespace

int16_t ToPcm16(float sample) {
  float scaled = std::nearbyint(sample * 32767.0f);
  if (!(scaled > -32768.0f)) return -32768;  // also NaN
  if (scaled > 32767.0f) return 32767;
  return int16_t(scaled);
}

bool WriteWavMono(const std::filesystem::path& path, const std::vector<float>& samples, int rate) {
  std::vector<int16_t> pcm;
  pcm.reserve(samples.size());
  for (float s : samples) pcm.push_back(ToPcm16(s));
  return WriteWav(path, pcm, 1, rate);
}

bool WriteWavStereo(const std::filesystem::path& path, const Stereo& samples, int rate) {
  std::vector<int16_t> pcm;
  pcm.reserve(samples.Frames() * 2);
  for (size_t i = 0; i < samples.Frames(); ++i) {
    pcm.push_back(ToPcm16(samples.L[i]));
    pcm.push_back(ToPcm16(samples.R[i]));
  }
  return WriteWav(path, pcm, 2, rate);
}

}  // namespace vuzed::sounds
