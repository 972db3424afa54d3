// Track 6, "Sealed Verdict": the boss theme. A harmonic minor at 192 beats
// a minute, urgent from the first bar, with one held breath before the
// last charge; 56 bars (70 s).
#include "score.h"

namespace vuzed::sounds {

Song Track6() {
  Song song;
  song.Title = "Sealed Verdict";
  song.Bpm = 192.0;
  song.Tonic = 69;  // A
  song.Mode = Scale::HarmonicMinor;
  song.Reverb = 0.2f;
  song.Sections = {
      {8, "Am Am F E", 60, LeadVoice::None, BassStyle::Octaves, DrumStyle::Gallop, Harmony::Stabs, 0.75f, 5},
      {8, "Am F Dm E", 61, LeadVoice::Saw, BassStyle::Eighths, DrumStyle::Gallop, Harmony::Arp, 0.85f, 5},
      {8, "Am F Dm E", 62, LeadVoice::Pulse, BassStyle::Syncopated, DrumStyle::Breakbeat, Harmony::PadArp, 0.85f, 5},
      {8, "Dm E Am F Dm E Am E", 63, LeadVoice::Saw, BassStyle::Octaves, DrumStyle::Four, Harmony::PadArp, 0.95f, 5},
      {8, "F G E Am", 64, LeadVoice::Bell, BassStyle::Held, DrumStyle::HalfTime, Harmony::Pad, 0.55f, 5},
      {8, "Dm E C F Dm E Am E", 65, LeadVoice::Saw, BassStyle::Octaves, DrumStyle::Gallop, Harmony::PadArp, 1.0f, 5},
      {8, "Am F Dm E", 66, LeadVoice::Pulse, BassStyle::Eighths, DrumStyle::Rock, Harmony::Stabs, 0.9f, 5},
  };
  return song;
}

}  // namespace vuzed::sounds
