// Track 4, "Glass Orchard": the third stage. F sharp dorian at 150 beats a
// minute, airy and a little uncanny; 40 bars (64 s).
#include "score.h"

namespace vuzed::sounds {

Song Track4() {
  Song song;
  song.Title = "Glass Orchard";
  song.Bpm = 150.0;
  song.Tonic = 66;  // F sharp
  song.Mode = Scale::Dorian;
  song.Reverb = 0.3f;
  song.RoomSize = 0.7f;
  song.Sections = {
      {8, "F#m7 B F#m7 B", 41, LeadVoice::Flute, BassStyle::Syncopated, DrumStyle::Breakbeat, Harmony::Arp, 0.6f, 5},
      {8, "Dmaj7 E C#m7 F#m", 42, LeadVoice::Bell, BassStyle::Eighths, DrumStyle::Rock, Harmony::PadArp, 0.7f, 5},
      {8, "Bm7 E Amaj7 Dmaj7 Bm7 C#7 F#m F#m", 43, LeadVoice::Saw, BassStyle::Octaves, DrumStyle::Four, Harmony::PadArp, 0.85f, 5},
      {8, "F#m7 B F#m7 B", 44, LeadVoice::Pulse, BassStyle::Syncopated, DrumStyle::Breakbeat, Harmony::Stabs, 0.8f, 5},
      {8, "Dmaj7 E C#m7 C#7", 45, LeadVoice::Saw, BassStyle::Eighths, DrumStyle::Rock, Harmony::Pad, 0.9f, 5},
  };
  return song;
}

}  // namespace vuzed::sounds
