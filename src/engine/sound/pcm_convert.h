#pragma once
// Converting loaded PCM to the mixer's format (44100 Hz stereo signed
// 16-bit): 8-bit samples are unsigned with 128 as silence, 16-bit samples
// signed little-endian; mono is played on both sides; other rates are
// resampled linearly. A trailing partial frame is dropped.

#include <cstddef>
#include <cstdint>
#include <span>

#include "engine/sound/mixer.h"
#include "engine/sound/wave_format.h"

namespace vuzed {

// At most maxFrames output frames (the rest is cut).
PcmFrames ConvertToMixFormat(std::span<const uint8_t> data, const TWaveFormat& format, size_t maxFrames);

}  // namespace vuzed
