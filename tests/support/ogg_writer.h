#pragma once
// Encodes Ogg Vorbis files for tests with libvorbisenc.

#include <string>

namespace vuzed::test {

// A stereo sine of the given length, frequency and peak (0..1) at 44100 Hz.
std::string MakeSineOgg(double seconds, double hz = 440.0, float peak = 0.5f);

}  // namespace vuzed::test
