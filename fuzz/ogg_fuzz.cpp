// libFuzzer: the music decoder's stream callbacks on arbitrary bytes. The
// bytes are opened as a std::FILE in memory and handed to libvorbisfile
// through OggFileCallbacks, as the music player hands it a track: a failed
// open leaves the file to the caller, an open one is decoded to its end,
// rewound to the start and decoded once more (a looping track), then closed
// by the decoder through the close callback. Decoding is capped per pass so
// that a long stream stays quick.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "state/ogg_file_callbacks.h"

namespace {

constexpr long kFuzzPassBytes = 1 << 20;

// Decodes 16-bit little-endian signed stereo as the music player does, up
// to the end of the stream, a read error or the cap.
void DecodePass(OggVorbis_File& decoder) {
  static std::vector<char> buffer(4096);
  long total = 0;
  int bitstream = 0;
  while (total < kFuzzPassBytes) {
    long got = ov_read(&decoder, buffer.data(), int(buffer.size()), 0, 2, 1, &bitstream);
    if (got <= 0) break;
    total += got;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::vector<uint8_t> bytes(data, data + size);
  std::FILE* stream = fmemopen(bytes.data(), bytes.size(), "rb");
  if (!stream) return 0;
  OggVorbis_File decoder{};
  if (ov_open_callbacks(stream, &decoder, nullptr, 0, vuzed::OggFileCallbacks()) != 0) {
    std::fclose(stream);
    return 0;
  }
  DecodePass(decoder);
  if (ov_time_seek(&decoder, 0.0) == 0) DecodePass(decoder);
  ov_clear(&decoder);
  return 0;
}
