#pragma once
// The arranger: from a score to the notes every part plays, in steps (a
// sixteenth of a 4/4 bar) from the start of the loop.

#include <string_view>
#include <vector>

#include "score.h"

namespace vuzed::sounds {

enum class Part { Lead, Bass, Pad, Stab, Arp, Kick, Snare, ClosedHat, OpenHat, Crash, Tom };

struct NoteEvent {
  double Step = 0.0;
  double Length = 1.0;  // in steps
  int Pitch = 60;       // MIDI note (drums: ignored except toms)
  float Velocity = 1.0f;
  Part Instrument = Part::Lead;
  LeadVoice Voice = LeadVoice::None;  // the lead's sound
};

struct Chord {
  int Root = 0;                // pitch class, 0 = C
  std::vector<int> Intervals;  // semitones above the root
  double Start = 0.0, Length = 16.0;
};

// "Am", "F#7", "Bbmaj7:8"; an unreadable token is C major.
Chord ParseChord(std::string_view token);
// The chords of a section laid end to end from firstStep over its bars.
std::vector<Chord> SectionChords(const Section& section, double firstStep);

std::vector<NoteEvent> Arrange(const Song& song);

}  // namespace vuzed::sounds
