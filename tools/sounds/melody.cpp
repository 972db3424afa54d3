#include "melody.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "rng.h"

namespace vuzed::sounds {
namespace {

struct Hit {
  int Onset, Length;  // steps within a half bar
};
using Cell = std::vector<Hit>;

// Half-bar rhythm cells, calm ones first.
const std::array<Cell, 9> kCells = {{
    {{0, 8}},                          // half
    {{0, 4}, {4, 4}},                  // quarter, quarter
    {{0, 6}, {6, 2}},                  // dotted quarter, eighth
    {{2, 2}, {4, 4}},                  // rest, eighth, quarter
    {{0, 2}, {2, 2}, {4, 4}},          // eighth, eighth, quarter
    {{0, 2}, {2, 4}, {6, 2}},          // eighth, quarter, eighth
    {{0, 3}, {3, 3}, {6, 2}},          // 3 + 3 + 2
    {{0, 2}, {2, 2}, {4, 2}, {6, 2}},  // four eighths
    {{0, 1}, {1, 1}, {2, 2}, {4, 4}},  // two sixteenths, eighth, quarter
}};

struct Motif {
  std::vector<Hit> Hits;   // over one bar
  std::vector<int> Moves;  // scale steps from the previous note, one per hit
};

int PickCell(Rng& rng, float energy) {
  // Energy shifts the choice towards the busier cells.
  int centre = int(energy * 8.0f + 0.5f);
  int pick = centre + rng.Below(5) - 2;
  return std::clamp(pick, 0, int(kCells.size()) - 1);
}

int PickMove(Rng& rng) {
  constexpr std::array<int, 12> kMoves = {1, 1, 1, -1, -1, -1, 2, -2, 0, 3, -3, 2};
  return kMoves[size_t(rng.Below(int(kMoves.size())))];
}

Motif MakeMotif(Rng& rng, float energy) {
  Motif m;
  for (int half = 0; half < 2; ++half)
    for (const Hit& h : kCells[size_t(PickCell(rng, energy))]) m.Hits.push_back({h.Onset + 8 * half, h.Length});
  for (size_t i = 0; i < m.Hits.size(); ++i) m.Moves.push_back(i == 0 ? 0 : PickMove(rng));
  return m;
}

// The answer: the same first half, a new second half, the contour mirrored.
Motif Answer(const Motif& a, Rng& rng, float energy) {
  Motif m;
  for (size_t i = 0; i < a.Hits.size(); ++i)
    if (a.Hits[i].Onset < 8) {
      m.Hits.push_back(a.Hits[i]);
      m.Moves.push_back(-a.Moves[i]);
    }
  for (const Hit& h : kCells[size_t(PickCell(rng, energy))]) {
    m.Hits.push_back({h.Onset + 8, h.Length});
    m.Moves.push_back(PickMove(rng));
  }
  return m;
}

const Chord& ChordAt(const std::vector<Chord>& chords, double step) {
  for (const Chord& c : chords)
    if (step < c.Start + c.Length) return c;
  return chords.back();
}

bool IsChordTone(int pitch, const Chord& chord) {
  for (int i : chord.Intervals)
    if (((pitch - chord.Root - i) % 12 + 12) % 12 == 0) return true;
  return false;
}

int NearestChordTone(int pitch, const Chord& chord) {
  for (int d = 0; d < 12; ++d) {
    if (IsChordTone(pitch - d, chord)) return pitch - d;
    if (IsChordTone(pitch + d, chord)) return pitch + d;
  }
  return pitch;
}

// The chord tone nearest to `pitch` that keeps the line moving the way it
// was going (a move of 0 may repeat the previous note).
int ChordToneToward(int pitch, int previous, int move, const Chord& chord) {
  if (move == 0) return NearestChordTone(pitch, chord);
  const int direction = move > 0 ? 1 : -1;
  for (int d = 0; d < 12; ++d) {
    int candidate = pitch + direction * d;
    if (IsChordTone(candidate, chord) && candidate != previous) return candidate;
  }
  return NearestChordTone(pitch, chord);
}

// A chord tone near `near` whose pitch class is the chord's root (home) or its third or fifth (open).
int CadenceTone(int near, const Chord& chord, bool home) {
  int best = near, bestDistance = 99;
  for (size_t k = 0; k < chord.Intervals.size() && k < 3; ++k) {
    if (home && k != 0) continue;
    if (!home && k == 0) continue;
    for (int octave = -2; octave <= 2; ++octave) {
      int p = (near / 12 + octave) * 12 + (chord.Root + chord.Intervals[k]) % 12;
      if (std::abs(p - near) < bestDistance) {
        best = p;
        bestDistance = std::abs(p - near);
      }
    }
  }
  return best;
}

class LeadWriter {
 public:
  LeadWriter(const Song& song, const Section& section, const std::vector<Chord>& chords,
             std::vector<NoteEvent>& out)
      : Section_(section), Chords_(chords), Out_(out), Centre_(12 * (section.LeadOctave + 1) + song.Tonic % 12),
        Scale_(ScaleNotes(song, Centre_ - 14, Centre_ + 14)), Pitch_(Centre_) {}

  void Bar(const Motif& m, double barStep) {
    int at = ScaleIndex(NearestChordTone(Pitch_ + (Centre_ - Pitch_) / 3, ChordAt(Chords_, barStep)));
    for (size_t i = 0; i < m.Hits.size(); ++i) {
      const Hit& h = m.Hits[i];
      double step = barStep + h.Onset;
      if (i > 0) at += m.Moves[i];
      // Turn back at the edges of the lead's range.
      if (at < 0 || at >= int(Scale_.size())) at -= 2 * m.Moves[i];
      at = std::clamp(at, 0, int(Scale_.size()) - 1);
      int pitch = Scale_[size_t(at)];
      const Chord& chord = ChordAt(Chords_, step);
      bool strong = h.Onset % 8 == 0 || h.Length >= 6 || step == chord.Start;
      if (strong) {
        pitch = i > 0 ? ChordToneToward(pitch, Pitch_, m.Moves[i], chord) : NearestChordTone(pitch, chord);
        at = ScaleIndex(pitch);
      }
      Emit(step, h.Length, pitch, strong ? 0.95f : 0.8f);
    }
  }

  // Two steps leading to a long chord tone.
  void Cadence(double barStep, bool home) {
    const Chord& chord = ChordAt(Chords_, barStep);
    int target = CadenceTone(Pitch_, chord, home);
    int at = ScaleIndex(target);
    int from = at + (Pitch_ > target ? 2 : -2);
    from = std::clamp(from, 0, int(Scale_.size()) - 1);
    int next = std::clamp(from + (Pitch_ > target ? -1 : 1), 0, int(Scale_.size()) - 1);
    Emit(barStep, 2, Scale_[size_t(from)], 0.85f);
    Emit(barStep + 2, 2, Scale_[size_t(next)], 0.8f);
    Emit(barStep + 4, home ? 12 : 10, target, 1.0f);
  }

 private:
  int ScaleIndex(int pitch) const {
    auto it = std::lower_bound(Scale_.begin(), Scale_.end(), pitch);
    if (it == Scale_.end()) return int(Scale_.size()) - 1;
    return int(it - Scale_.begin());
  }

  void Emit(double step, double length, int pitch, float velocity) {
    Pitch_ = pitch;
    float v = velocity * (0.7f + 0.3f * Section_.Energy);
    Out_.push_back({step, length * 0.92, pitch, v, Part::Lead, Section_.Lead});
  }

  const Section& Section_;
  const std::vector<Chord>& Chords_;
  std::vector<NoteEvent>& Out_;
  int Centre_;
  std::vector<int> Scale_;
  int Pitch_;
};

}  // namespace

std::vector<int> ScaleNotes(const Song& song, int low, int high) {
  static constexpr std::array<std::array<int, 7>, 4> kSteps = {{
      {0, 2, 4, 5, 7, 9, 11},   // major
      {0, 2, 3, 5, 7, 8, 10},   // natural minor
      {0, 2, 3, 5, 7, 8, 11},   // harmonic minor
      {0, 2, 3, 5, 7, 9, 10},   // dorian
  }};
  const auto& steps = kSteps[size_t(song.Mode)];
  std::vector<int> notes;
  for (int p = low; p <= high; ++p)
    for (int s : steps)
      if (((p - song.Tonic - s) % 12 + 12) % 12 == 0) notes.push_back(p);
  return notes;
}

void ComposeLead(const Song& song, const Section& section, const std::vector<Chord>& chords, double firstStep,
                 std::vector<NoteEvent>& out) {
  if (section.Lead == LeadVoice::None || chords.empty()) return;
  Rng rng(section.MelodySeed);
  Motif a = MakeMotif(rng, section.Energy);
  Motif b = Answer(a, rng, section.Energy);
  Motif c = MakeMotif(rng, section.Energy);
  LeadWriter writer(song, section, chords, out);
  for (int bar = 0; bar < section.Bars; ++bar) {
    double step = firstStep + 16.0 * bar;
    int inPhrase = bar % 4;
    bool lastPhrase = bar / 4 == (section.Bars - 1) / 4;
    bool secondHalf = (bar / 4) % 2 == 1;
    switch (inPhrase) {
      case 0: writer.Bar(a, step); break;
      case 1: writer.Bar(secondHalf ? c : a, step); break;
      case 2: writer.Bar(b, step); break;
      default: writer.Cadence(step, lastPhrase || secondHalf); break;
    }
  }
}

}  // namespace vuzed::sounds
