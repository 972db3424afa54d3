// Track 5, "Iron Comet": the fourth stage. C harmonic minor at 180 beats a
// minute with a galloping kick, heavy and relentless; 48 bars (64 s).
#include "score.h"

namespace vuzed::sounds {

Song Track5() {
  Song song;
  song.Title = "Iron Comet";
  song.Bpm = 180.0;
  song.Tonic = 60;  // C
  song.Mode = Scale::HarmonicMinor;
  song.Reverb = 0.18f;
  song.Sections = {
      {4, "Cm Cm Ab G", 50, LeadVoice::None, BassStyle::Octaves, DrumStyle::Gallop, Harmony::Stabs, 0.7f, 5},
      {8, "Cm Ab Fm G", 51, LeadVoice::Saw, BassStyle::Eighths, DrumStyle::Rock, Harmony::Arp, 0.8f, 5},
      {8, "Ab Bb Gm Cm Ab Bb G G", 52, LeadVoice::Pulse, BassStyle::Syncopated, DrumStyle::Gallop, Harmony::PadArp, 0.85f, 5},
      {8, "Fm G Cm Ab Fm G Cm G", 53, LeadVoice::Saw, BassStyle::Octaves, DrumStyle::Four, Harmony::PadArp, 0.95f, 5},
      {8, "Ab Bb Cm Cm", 54, LeadVoice::Bell, BassStyle::Held, DrumStyle::HalfTime, Harmony::Pad, 0.5f, 5},
      {8, "Cm Ab Fm G", 55, LeadVoice::Saw, BassStyle::Eighths, DrumStyle::Gallop, Harmony::PadArp, 1.0f, 5},
      {4, "Ab Ab G G", 56, LeadVoice::Pulse, BassStyle::Octaves, DrumStyle::Gallop, Harmony::Stabs, 0.9f, 5},
  };
  return song;
}

}  // namespace vuzed::sounds
