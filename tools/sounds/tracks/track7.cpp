// Track 7, "Where the Wind Settles": the closing theme. G major at 96 beats
// a minute, gentle, on flute and bells; 26 bars (65 s).
#include "score.h"

namespace vuzed::sounds {

Song Track7() {
  Song song;
  song.Title = "Where the Wind Settles";
  song.Bpm = 96.0;
  song.Tonic = 67;  // G
  song.Mode = Scale::Major;
  song.Reverb = 0.38f;
  song.RoomSize = 0.85f;
  song.Sections = {
      {8, "G D Em C", 71, LeadVoice::Flute, BassStyle::Held, DrumStyle::None, Harmony::Pad, 0.3f, 5},
      {8, "C D Bm Em C D G G", 72, LeadVoice::Bell, BassStyle::RootFifth, DrumStyle::HalfTime, Harmony::PadArp, 0.45f, 5},
      {8, "Em C G D Em C D D", 73, LeadVoice::Flute, BassStyle::RootFifth, DrumStyle::Rock, Harmony::PadArp, 0.6f, 5},
      {2, "C D", 0, LeadVoice::None, BassStyle::Held, DrumStyle::None, Harmony::Pad, 0.3f, 5},
  };
  return song;
}

}  // namespace vuzed::sounds
