// Track 2, "Crimson Lattice": the second stage. E minor at 160 beats a
// minute over a broken beat, pushing harder with each section; 48 bars (72 s).
#include "score.h"

namespace vuzed::sounds {

Song Track2() {
  Song song;
  song.Title = "Crimson Lattice";
  song.Bpm = 160.0;
  song.Tonic = 64;  // E
  song.Mode = Scale::Minor;
  song.Reverb = 0.2f;
  song.Sections = {
      {4, "Em C D Em", 20, LeadVoice::None, BassStyle::Syncopated, DrumStyle::Breakbeat, Harmony::Stabs, 0.6f, 5},
      {8, "Em C G D", 21, LeadVoice::Saw, BassStyle::Syncopated, DrumStyle::Breakbeat, Harmony::Arp, 0.75f, 5},
      {8, "Em C G D", 22, LeadVoice::Pulse, BassStyle::Eighths, DrumStyle::Rock, Harmony::PadArp, 0.8f, 5},
      {8, "C D Bm Em C D B7 B7", 23, LeadVoice::Saw, BassStyle::Octaves, DrumStyle::Four, Harmony::PadArp, 0.9f, 5},
      {4, "Am B7", 0, LeadVoice::None, BassStyle::Held, DrumStyle::HalfTime, Harmony::Pad, 0.4f, 5},
      {8, "C D Em Em C D B7 B7", 24, LeadVoice::Pulse, BassStyle::Octaves, DrumStyle::Four, Harmony::PadArp, 1.0f, 5},
      {8, "Em C D Bm", 25, LeadVoice::Saw, BassStyle::Eighths, DrumStyle::Rock, Harmony::Stabs, 0.8f, 5},
  };
  return song;
}

}  // namespace vuzed::sounds
