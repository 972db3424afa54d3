#pragma once
// The instruments: one note of one part rendered on its own, mono, from its
// onset until it has died away.

#include <cstdint>
#include <vector>

#include "arranger.h"

namespace vuzed::sounds {

// seconds: how long the note is held; seed: the note's own noise.
std::vector<float> RenderNote(const NoteEvent& note, double seconds, int rate, uint64_t seed);

}  // namespace vuzed::sounds
