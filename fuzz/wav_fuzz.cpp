// libFuzzer: the WAV reader on arbitrary bytes, from a memory stream. What it
// accepts is converted to the mixer's format the way a loaded sound is; the
// frames are capped here so that a low rate's resampling stays quick (the cap
// itself is the converter's, and is what is tested).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "engine/sound/pcm_convert.h"
#include "engine/sound/wav_reader.h"

namespace {

constexpr size_t kFuzzFrameLimit = 1 << 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  const vuzed::WavContents wav = vuzed::ReadWav(in);
  if (wav.Error != vuzed::WavError::None) {
    if (vuzed::WavErrorText(wav.Error).empty() || !wav.Data.empty()) std::abort();
    return 0;
  }
  // Nothing is read outside the file.
  if (wav.Data.size() > size) std::abort();
  const vuzed::PcmFrames frames = vuzed::ConvertToMixFormat(wav.Data, wav.Format, kFuzzFrameLimit);
  // Interleaved stereo: two samples a frame.
  if (frames.size() > 2 * kFuzzFrameLimit || frames.size() % 2 != 0) std::abort();
  return 0;
}
