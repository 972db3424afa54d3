#pragma once
// The PCM format record of a sound, as a WAV file's "fmt " chunk stores it
// (little-endian, in this order).

#include <cstdint>

namespace vuzed {

struct TWaveFormat {
  static constexpr uint16_t kPcm = 1;

  uint16_t FormatTag = kPcm;
  uint16_t Channels = 0;
  uint32_t SamplesPerSec = 0;
  uint32_t AvgBytesPerSec = 0;
  uint16_t BlockAlign = 0;
  uint16_t BitsPerSample = 0;

  // PCM with block align = bits / 8 x channels, average bytes per second =
  // rate x block align.
  static TWaveFormat Pcm(uint16_t channels, uint32_t rate, uint16_t bits) {
    TWaveFormat f;
    f.Channels = channels;
    f.SamplesPerSec = rate;
    f.BitsPerSample = bits;
    f.BlockAlign = uint16_t(bits / 8 * channels);
    f.AvgBytesPerSec = rate * f.BlockAlign;
    return f;
  }
};

}  // namespace vuzed
