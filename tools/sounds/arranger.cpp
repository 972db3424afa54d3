#include "arranger.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "melody.h"
#include "rng.h"

namespace vuzed::sounds {
namespace {

struct Quality {
  std::string_view Name;
  std::vector<int> Intervals;
};

const std::array<Quality, 13> kQualities = {{
    {"", {0, 4, 7}},          {"m", {0, 3, 7}},         {"7", {0, 4, 7, 10}},   {"m7", {0, 3, 7, 10}},
    {"maj7", {0, 4, 7, 11}},  {"sus4", {0, 5, 7}},      {"sus2", {0, 2, 7}},    {"dim", {0, 3, 6}},
    {"add9", {0, 4, 7, 14}},  {"madd9", {0, 3, 7, 14}}, {"5", {0, 7}},          {"aug", {0, 4, 8}},
    {"m7b5", {0, 3, 6, 10}},
}};

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t at = 0;
  while (at < text.size()) {
    size_t start = text.find_first_not_of(' ', at);
    if (start == std::string_view::npos) break;
    size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    words.push_back(text.substr(start, end - start));
    at = end;
  }
  return words;
}

// A pitch class placed in [low, low + 11].
int Place(int pitchClass, int low) { return low + ((pitchClass - low) % 12 + 12) % 12; }

void Add(std::vector<NoteEvent>& out, double step, double length, int pitch, float velocity, Part part) {
  out.push_back({step, length, pitch, velocity, part, LeadVoice::None});
}

void WriteBass(const Section& s, const std::vector<Chord>& chords, std::vector<NoteEvent>& out) {
  constexpr int kLow = 33;  // A1
  for (const Chord& c : chords) {
    int root = Place(c.Root, kLow);
    int fifth = root + 7;
    int len = int(c.Length);
    switch (s.Bass) {
      case BassStyle::None: break;
      case BassStyle::Held: Add(out, c.Start, c.Length - 0.5, root, 0.9f, Part::Bass); break;
      case BassStyle::Eighths:
        for (int t = 0; t < len; t += 2) Add(out, c.Start + t, 1.6, (t % 16 == 12) ? root + 12 : root, t % 4 == 0 ? 0.95f : 0.8f, Part::Bass);
        break;
      case BassStyle::RootFifth:
        for (int t = 0; t < len; t += 4) {
          constexpr std::array<int, 4> kWalk = {0, 7, 12, 7};
          Add(out, c.Start + t, 3.2, root + kWalk[size_t(t / 4 % 4)], 0.9f, Part::Bass);
        }
        break;
      case BassStyle::Syncopated: {
        constexpr std::array<std::array<int, 2>, 6> kHits = {{{0, 3}, {3, 3}, {6, 2}, {8, 2}, {10, 3}, {13, 3}}};
        for (int bar = 0; bar < len; bar += 16)
          for (size_t k = 0; k < kHits.size(); ++k) {
            if (bar + kHits[k][0] >= len) break;
            int pitch = k == 5 ? fifth : (k == 2 ? root + 12 : root);
            Add(out, c.Start + bar + kHits[k][0], kHits[k][1] * 0.85, pitch, k % 2 == 0 ? 0.95f : 0.8f, Part::Bass);
          }
        break;
      }
      case BassStyle::Octaves:
        for (int t = 0; t < len; t += 2) Add(out, c.Start + t, 1.5, (t / 2) % 2 ? root + 12 : root, 0.85f, Part::Bass);
        break;
    }
  }
}

// Chord tones voiced closest to `centre`, so consecutive chords move little.
std::vector<int> Voicing(const Chord& c, int centre) {
  std::vector<int> notes;
  for (int i : c.Intervals) notes.push_back(Place(c.Root + i, centre - 6));
  std::sort(notes.begin(), notes.end());
  return notes;
}

void WriteHarmony(const Section& s, const std::vector<Chord>& chords, std::vector<NoteEvent>& out) {
  bool pad = s.Chords == Harmony::Pad || s.Chords == Harmony::PadArp;
  bool arp = s.Chords == Harmony::Arp || s.Chords == Harmony::PadArp;
  for (const Chord& c : chords) {
    std::vector<int> notes = Voicing(c, 64);
    if (pad)
      for (int p : notes) Add(out, c.Start, c.Length - 0.3, p, 0.8f, Part::Pad);
    if (s.Chords == Harmony::Stabs) {
      constexpr std::array<int, 5> kStabs = {0, 3, 6, 10, 12};
      for (int bar = 0; bar < int(c.Length); bar += 16)
        for (int t : kStabs)
          if (bar + t < int(c.Length))
            for (int p : notes) Add(out, c.Start + bar + t, 1.5, p, t == 0 ? 0.95f : 0.8f, Part::Stab);
    }
    if (arp) {
      std::vector<int> up = Voicing(c, 76);
      for (int p : Voicing(c, 88)) up.push_back(p);
      std::sort(up.begin(), up.end());
      int stride = pad ? 2 : 1;
      size_t k = 0;
      for (int t = 0; t < int(c.Length); t += stride, ++k) {
        // Up, then down again, without repeating the top note.
        size_t period = std::max<size_t>(1, 2 * up.size() - 2);
        size_t at = k % period;
        int p = at < up.size() ? up[at] : up[period - at];
        Add(out, c.Start + t, stride * 0.9, p, t % 4 == 0 ? 0.9f : 0.7f, Part::Arp);
      }
    }
  }
}

struct DrumPattern {
  std::string_view Kick, Snare, Closed, Open;
};

// Sixteen steps each: X accent, x hit, o ghost, . rest. Indexed by DrumStyle.
constexpr std::array<DrumPattern, 6> kPatterns = {{
    {"................", "................", "................", "................"},
    {"x...x...x...x...", "....X.......X...", "x...x...x...x...", "..x...x...x...x."},
    {"x.....x.x.....x.", "....X.......X...", "x.x.x.x.x.x.x.x.", "................"},
    {"x.x.......x..x..", "....X..o.o..X..o", "xxxxxxxxxxxxxxxx", "..............x."},
    {"x.........x.....", "........X.......", "x.x.x.x.x.x.x.x.", "................"},
    {"x.xx..x.x.xx..x.", "....X.......X...", "xxxxxxxxxxxxxxxx", "................"},
}};

float HitVelocity(char c) { return c == 'X' ? 1.0f : c == 'x' ? 0.8f : c == 'o' ? 0.35f : 0.0f; }

void WriteDrums(const Section& s, double firstStep, Rng& rng, std::vector<NoteEvent>& out) {
  if (s.Drums == DrumStyle::None) return;
  const DrumPattern& p = kPatterns[size_t(s.Drums)];
  const int fillSteps = s.Energy >= 0.75f ? 8 : s.Energy >= 0.45f ? 4 : 0;
  for (int bar = 0; bar < s.Bars; ++bar) {
    double barStep = firstStep + 16.0 * bar;
    bool fillBar = bar == s.Bars - 1 && fillSteps > 0;
    for (int t = 0; t < 16; ++t) {
      double step = barStep + t;
      float human = 0.92f + 0.08f * rng.Uniform();
      if (fillBar && t >= 16 - fillSteps) {
        // Sixteenths falling over the toms, the last on the snare.
        int k = t - (16 - fillSteps);
        if (t == 15)
          Add(out, step, 1, 0, human, Part::Snare);
        else
          Add(out, step, 1, 50 - 12 * k / fillSteps, human * (0.7f + 0.3f * float(k) / float(fillSteps)), Part::Tom);
        if (t % 4 == 0) Add(out, step, 1, 0, 0.8f, Part::Kick);
        continue;
      }
      if (float v = HitVelocity(p.Kick[size_t(t)])) Add(out, step, 1, 0, v * human, Part::Kick);
      if (float v = HitVelocity(p.Snare[size_t(t)])) Add(out, step, 1, 0, v * human, Part::Snare);
      if (float v = HitVelocity(p.Open[size_t(t)]))
        Add(out, step, 2, 0, v * human, Part::OpenHat);
      else if (float v2 = HitVelocity(p.Closed[size_t(t)]))
        Add(out, step, 1, 0, v2 * human * (t % 4 == 0 ? 1.0f : 0.7f), Part::ClosedHat);
    }
  }
  if (s.Energy >= 0.45f) Add(out, firstStep, 16, 0, 0.9f, Part::Crash);
}

}  // namespace

Chord ParseChord(std::string_view token) {
  Chord chord;
  chord.Intervals = kQualities[0].Intervals;
  size_t colon = token.find(':');
  if (colon != std::string_view::npos) {
    int steps = 0;
    auto [end, ec] = std::from_chars(token.data() + colon + 1, token.data() + token.size(), steps);
    if (ec == std::errc() && end == token.data() + token.size() && steps > 0 && steps <= 256) chord.Length = steps;
    token = token.substr(0, colon);
  }
  if (token.empty()) return chord;
  constexpr std::string_view kLetters = "CDEFGAB";
  constexpr std::array<int, 7> kClasses = {0, 2, 4, 5, 7, 9, 11};
  size_t letter = kLetters.find(token[0]);
  if (letter == std::string_view::npos) return chord;
  chord.Root = kClasses[letter];
  token.remove_prefix(1);
  if (!token.empty() && (token[0] == '#' || token[0] == 'b')) {
    chord.Root = (chord.Root + (token[0] == '#' ? 1 : 11)) % 12;
    token.remove_prefix(1);
  }
  for (const Quality& q : kQualities)
    if (q.Name == token) chord.Intervals = q.Intervals;
  return chord;
}

std::vector<Chord> SectionChords(const Section& section, double firstStep) {
  std::vector<Chord> chords;
  std::vector<std::string_view> words = Words(section.Progression);
  if (words.empty()) words.push_back("C");
  const double end = firstStep + 16.0 * section.Bars;
  double at = firstStep;
  for (size_t k = 0; at < end; ++k) {
    Chord c = ParseChord(words[k % words.size()]);
    c.Start = at;
    c.Length = std::min(c.Length, end - at);
    at += c.Length;
    chords.push_back(c);
  }
  return chords;
}

std::vector<NoteEvent> Arrange(const Song& song) {
  std::vector<NoteEvent> out;
  Rng rng(uint64_t(song.Bpm * 1000.0) + uint64_t(song.Tonic));
  double step = 0.0;
  for (const Section& s : song.Sections) {
    std::vector<Chord> chords = SectionChords(s, step);
    ComposeLead(song, s, chords, step, out);
    WriteBass(s, chords, out);
    WriteHarmony(s, chords, out);
    WriteDrums(s, step, rng, out);
    step += 16.0 * s.Bars;
  }
  return out;
}

}  // namespace vuzed::sounds
