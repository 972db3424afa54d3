#pragma once
// Rendering a score into one seamless loop: every note is added at its
// place modulo the loop's length, so a note (or echo, or reverb tail) that
// rings past the end sounds at the start, exactly as it would when the loop
// plays again. Effects with memory (echo, room, the DC filter) start with
// what the loop's end leaves in them.

#include "dsp.h"
#include "score.h"

namespace vuzed::sounds {

// The loop: whole bars, stereo at the song's rate, peak below full scale.
Stereo RenderSong(const Song& song);

}  // namespace vuzed::sounds
