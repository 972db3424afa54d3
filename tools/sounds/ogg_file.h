#pragma once
// Writing Ogg Vorbis music files with libvorbisenc (VBR). The stream's
// serial number is fixed and no comment but the title is written, so the
// same samples always give the same bytes.

#include <filesystem>
#include <string_view>

#include "dsp.h"

namespace vuzed::sounds {

// Samples in [-1, 1]; quality as libvorbisenc takes it (-0.1 .. 1.0).
// False when encoding or writing fails.
bool WriteOggVorbis(const std::filesystem::path& path, const Stereo& samples, int rate, float quality,
                    std::string_view title);

}  // namespace vuzed::sounds
