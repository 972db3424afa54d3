#pragma once
// A track's score: tempo, key, and its sections in loop order, each with a
// chord progression and the style each part plays in. The arranger turns a
// score into notes (the lead melody is composed from a seeded motif), the
// mixdown renders them as one seamless loop.

#include <cstdint>
#include <string_view>
#include <vector>

namespace vuzed::sounds {

enum class Scale { Major, Minor, HarmonicMinor, Dorian };
enum class LeadVoice { None, Pulse, Saw, Bell, Flute };
enum class BassStyle { None, Held, Eighths, RootFifth, Syncopated, Octaves };
enum class DrumStyle { None, Four, Rock, Breakbeat, HalfTime, Gallop };
enum class Harmony { None, Pad, Stabs, Arp, PadArp };

struct Section {
  int Bars = 8;
  // One chord per bar, written as root and quality: "Am F C G", "D/F#" is
  // not used; qualities m, 7, m7, maj7, sus4, sus2, dim, add9, 5 (power).
  // "Am:8" lasts 8 sixteenths instead of a bar; the list repeats to fill.
  std::string_view Progression;
  uint32_t MelodySeed = 1;  // motif of this section's lead line
  LeadVoice Lead = LeadVoice::Pulse;
  BassStyle Bass = BassStyle::Eighths;
  DrumStyle Drums = DrumStyle::Rock;
  Harmony Chords = Harmony::Pad;
  float Energy = 0.7f;      // 0..1: velocity, note density, drum fills
  int LeadOctave = 5;       // octave of the lead's centre (C5 = MIDI 72)
};

struct Song {
  std::string_view Title;   // the track's own name, written into the file
  double Bpm = 120.0;
  int Tonic = 62;           // MIDI note of the key's tonic (any octave)
  Scale Mode = Scale::Major;
  int Rate = 44100;
  float Reverb = 0.25f;     // send level of the room
  float RoomSize = 0.6f;
  std::vector<Section> Sections;

  int Bars() const {
    int bars = 0;
    for (const Section& s : Sections) bars += s.Bars;
    return bars;
  }
  // One bar of 4/4 is 16 steps.
  double SamplesPerStep() const { return double(Rate) * 15.0 / Bpm; }
};

// The nine scores: track n = 1..8 of the music folder, and the dialogue
// scene's tune (0.wav).
Song Track1();
Song Track2();
Song Track3();
Song Track4();
Song Track5();
Song Track6();
Song Track7();
Song Track8();
Song DialogueTune();

}  // namespace vuzed::sounds
