// Track 3, "Lanterns over Vuzed": the title theme. C major at 120 beats a
// minute, opening quietly on bells and rising to a full statement before
// it settles again; 32 bars (64 s).
#include "score.h"

namespace vuzed::sounds {

Song Track3() {
  Song song;
  song.Title = "Lanterns over Vuzed";
  song.Bpm = 120.0;
  song.Tonic = 60;  // C
  song.Mode = Scale::Major;
  song.Reverb = 0.35f;
  song.RoomSize = 0.8f;
  song.Sections = {
      {8, "C G Am F", 31, LeadVoice::Bell, BassStyle::Held, DrumStyle::None, Harmony::Pad, 0.35f, 5},
      {8, "F G Em Am F G C C", 32, LeadVoice::Flute, BassStyle::RootFifth, DrumStyle::HalfTime, Harmony::PadArp, 0.55f, 5},
      {8, "Am F C G Am F G G", 33, LeadVoice::Saw, BassStyle::Eighths, DrumStyle::Rock, Harmony::PadArp, 0.8f, 5},
      {8, "F G C Am F G Csus4 C", 34, LeadVoice::Saw, BassStyle::Eighths, DrumStyle::Rock, Harmony::PadArp, 0.85f, 5},
  };
  return song;
}

}  // namespace vuzed::sounds
