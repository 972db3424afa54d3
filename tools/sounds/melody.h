#pragma once
// The lead line of a section, composed from a seeded motif: phrases of four
// bars built as motif, motif again on the next chord (a sequence), an
// answering variant, and a cadence that rests on a chord tone - open (third
// or fifth) halfway through a section, home (the root) at its end.

#include <vector>

#include "arranger.h"

namespace vuzed::sounds {

void ComposeLead(const Song& song, const Section& section, const std::vector<Chord>& chords, double firstStep,
                 std::vector<NoteEvent>& out);

// The MIDI notes of the song's scale between low and high, ascending.
std::vector<int> ScaleNotes(const Song& song, int low, int high);

}  // namespace vuzed::sounds
