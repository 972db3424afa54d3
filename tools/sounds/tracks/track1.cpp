// Track 1, "Skyward Departure": the first stage. Bright D major at 144 beats
// a minute, always moving forward; 48 bars (80 s).
#include "score.h"

namespace vuzed::sounds {

Song Track1() {
  Song song;
  song.Title = "Skyward Departure";
  song.Bpm = 144.0;
  song.Tonic = 62;  // D
  song.Mode = Scale::Major;
  song.Reverb = 0.22f;
  song.Sections = {
      {8, "D A Bm G", 10, LeadVoice::None, BassStyle::Eighths, DrumStyle::Four, Harmony::Arp, 0.5f, 5},
      {8, "Bm G D A", 11, LeadVoice::Pulse, BassStyle::Eighths, DrumStyle::Rock, Harmony::PadArp, 0.7f, 5},
      {8, "G A F#m Bm G A Em A", 12, LeadVoice::Pulse, BassStyle::Syncopated, DrumStyle::Rock, Harmony::Stabs, 0.75f, 5},
      {8, "D A Bm F#m G D G A", 13, LeadVoice::Saw, BassStyle::Octaves, DrumStyle::Four, Harmony::PadArp, 0.9f, 5},
      {8, "Em F#m G A", 14, LeadVoice::Bell, BassStyle::Held, DrumStyle::HalfTime, Harmony::Pad, 0.5f, 5},
      {8, "D A Bm F#m G D G A", 15, LeadVoice::Saw, BassStyle::Octaves, DrumStyle::Four, Harmony::PadArp, 1.0f, 5},
  };
  return song;
}

}  // namespace vuzed::sounds
