// Track 8, "Beyond the Star Gate": the extra stage's theme, heard on the
// climb to the gate and again from the top when its keeper fights. E minor
// at 240 beats a minute, brighter and stranger than the boss theme: bells
// over a gallop, a major turn in the middle like a door opening onto the
// morning, and a last charge; 64 bars (64 s, whole half-seconds, so the
// player loops it without a gap).
#include "score.h"

namespace vuzed::sounds {

Song Track8() {
  Song song;
  song.Title = "Beyond the Star Gate";
  song.Bpm = 240.0;
  song.Tonic = 64;  // E
  song.Mode = Scale::Minor;
  song.Reverb = 0.3f;
  song.RoomSize = 0.75f;
  song.Sections = {
      {8, "Em C D Bm", 80, LeadVoice::Bell, BassStyle::Octaves, DrumStyle::HalfTime, Harmony::Arp, 0.7f, 6},
      {8, "Em C D Bm", 81, LeadVoice::Saw, BassStyle::Eighths, DrumStyle::Gallop, Harmony::PadArp, 0.85f, 5},
      {8, "Am Em C D Am Em B7 B7", 82, LeadVoice::Pulse, BassStyle::Syncopated, DrumStyle::Breakbeat, Harmony::PadArp, 0.9f, 5},
      {8, "C D Em Em C D B7 B7", 83, LeadVoice::Saw, BassStyle::Octaves, DrumStyle::Four, Harmony::Stabs, 0.95f, 5},
      {8, "Em A Em A G D A A", 84, LeadVoice::Bell, BassStyle::Held, DrumStyle::HalfTime, Harmony::Pad, 0.55f, 6},
      {8, "G D Em C G D B7 B7", 85, LeadVoice::Flute, BassStyle::RootFifth, DrumStyle::Rock, Harmony::PadArp, 0.8f, 5},
      {8, "Em C Am B7 Em C D B7", 86, LeadVoice::Saw, BassStyle::Octaves, DrumStyle::Gallop, Harmony::PadArp, 1.0f, 5},
      {8, "C D Bm Em C D B7 B7", 87, LeadVoice::Pulse, BassStyle::Eighths, DrumStyle::Rock, Harmony::Stabs, 0.9f, 5},
  };
  return song;
}

}  // namespace vuzed::sounds
