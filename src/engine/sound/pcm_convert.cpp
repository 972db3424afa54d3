#include "engine/sound/pcm_convert.h"

#include <algorithm>
#include <cmath>

namespace vuzed {
namespace {

int16_t SampleAt(const uint8_t* p, uint16_t bits) {
  if (bits == 8) return int16_t((int(p[0]) - 128) * 256);
  return int16_t(uint16_t(p[0] | (p[1] << 8)));
}

}  // namespace

PcmFrames ConvertToMixFormat(std::span<const uint8_t> data, const TWaveFormat& format, size_t maxFrames) {
  const uint16_t bits = format.BitsPerSample;
  const size_t channels = format.Channels;
  const uint64_t rate = format.SamplesPerSec;
  if ((bits != 8 && bits != 16) || (channels != 1 && channels != 2) || rate == 0) return {};
  const size_t bytesPerSample = bits / 8;
  const size_t blockAlign = bytesPerSample * channels;
  const size_t inFrames = data.size() / blockAlign;
  if (inFrames == 0) return {};

  // Source frames as stereo pairs.
  PcmFrames source(inFrames * 2);
  for (size_t i = 0; i < inFrames; ++i) {
    const uint8_t* frame = data.data() + i * blockAlign;
    source[2 * i] = SampleAt(frame, bits);
    source[2 * i + 1] = channels == 2 ? SampleAt(frame + bytesPerSample, bits) : source[2 * i];
  }
  if (rate == uint64_t(Mixer::kRate)) {
    if (inFrames > maxFrames) source.resize(maxFrames * 2);
    return source;
  }

  constexpr uint64_t kOut = Mixer::kRate;
  uint64_t outFrames = (uint64_t(inFrames) * kOut + rate - 1) / rate;
  outFrames = std::min<uint64_t>(outFrames, maxFrames);
  PcmFrames out(size_t(outFrames) * 2);
  for (uint64_t i = 0; i < outFrames; ++i) {
    // Output frame i lies at source position i x rate / 44100.
    uint64_t position = i * rate;
    size_t index = size_t(position / kOut);
    double fraction = double(position % kOut) / double(kOut);
    size_t next = std::min(index + 1, inFrames - 1);
    for (size_t c = 0; c < 2; ++c) {
      double a = source[2 * index + c];
      double b = source[2 * next + c];
      out[size_t(2 * i + c)] = int16_t(std::lround(a + (b - a) * fraction));
    }
  }
  return out;
}

}  // namespace vuzed
