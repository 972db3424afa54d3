// "Pages of the Quiet Room": the tune the dialogue pages play
// (data\Music\BGM\0.wav). C major at 60 beats a minute, bells over a soft
// pad; 8 bars (32 s), rendered at 22050 Hz to keep the plain WAV small.
#include "score.h"

namespace vuzed::sounds {

Song DialogueTune() {
  Song song;
  song.Title = "Pages of the Quiet Room";
  song.Bpm = 60.0;
  song.Tonic = 60;  // C
  song.Mode = Scale::Major;
  song.Rate = 22050;
  song.Reverb = 0.4f;
  song.RoomSize = 0.85f;
  song.Sections = {
      {8, "Fmaj7 Em7 Dm7 Cmaj7 Fmaj7 G Em7 Am", 81, LeadVoice::Bell, BassStyle::Held, DrumStyle::None, Harmony::Pad,
       0.25f, 5},
  };
  return song;
}

}  // namespace vuzed::sounds
