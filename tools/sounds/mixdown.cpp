#include "mixdown.h"

#include <algorithm>
#include <cmath>

#include "arranger.h"
#include "instruments.h"

namespace vuzed::sounds {
namespace {

struct Placement {
  float Level, Pan, Send;  // pan -1 left .. 1 right; send: share into the reverb
};

Placement PlacementOf(const NoteEvent& n) {
  switch (n.Instrument) {
    case Part::Lead: return {0.30f, 0.05f, 0.35f};
    case Part::Bass: return {0.36f, 0.0f, 0.02f};
    case Part::Pad: return {0.085f, float((n.Pitch % 5) - 2) * 0.25f, 0.6f};
    case Part::Stab: return {0.075f, float((n.Pitch % 3) - 1) * 0.35f, 0.3f};
    case Part::Arp: return {0.10f, (n.Pitch % 2) ? 0.45f : -0.45f, 0.4f};
    case Part::Kick: return {0.55f, 0.0f, 0.03f};
    case Part::Snare: return {0.30f, 0.05f, 0.25f};
    case Part::ClosedHat: return {0.09f, 0.3f, 0.05f};
    case Part::OpenHat: return {0.08f, 0.3f, 0.1f};
    case Part::Crash: return {0.13f, -0.3f, 0.2f};
    case Part::Tom: return {0.28f, float(n.Pitch - 44) * 0.08f, 0.2f};
  }
  return {0.0f, 0.0f, 0.0f};
}

// Runs fx over the loop in place as if it had been playing before: the
// loop's last kWarmUp seconds go through fx first (output dropped), so its
// memory (echoes, the room) holds what the end of the loop left in it.
// Every effect here dies away well within that time.
constexpr double kWarmUp = 6.0;

template <typename Fx>
void Circular(Stereo& buffer, int rate, Fx&& fx) {
  const size_t n = buffer.Frames();
  const size_t warm = std::min(n, size_t(kWarmUp * rate));
  for (size_t i = n - warm; i < n; ++i) {
    float l = buffer.L[i], r = buffer.R[i];
    fx(l, r);
  }
  for (size_t i = 0; i < n; ++i) fx(buffer.L[i], buffer.R[i]);
}

// Loud enough to sit with other games' music, never clipping: a gain to a
// fixed RMS, a soft knee above 0.6, and a final peak at 0.89 at most.
void Master(Stereo& mix) {
  double sum = 0.0;
  for (size_t i = 0; i < mix.Frames(); ++i) sum += double(mix.L[i]) * mix.L[i] + double(mix.R[i]) * mix.R[i];
  double rms = std::sqrt(sum / double(std::max<size_t>(1, 2 * mix.Frames())));
  float gain = rms > 0.0 ? float(0.16 / rms) : 1.0f;
  auto knee = [](float x) {
    float a = std::abs(x);
    if (a <= 0.6f) return x;
    float over = std::tanh((a - 0.6f) / 0.4f) * 0.4f;
    return std::copysign(0.6f + over, x);
  };
  float peak = 0.0f;
  for (size_t i = 0; i < mix.Frames(); ++i) {
    mix.L[i] = knee(mix.L[i] * gain);
    mix.R[i] = knee(mix.R[i] * gain);
    peak = std::max({peak, std::abs(mix.L[i]), std::abs(mix.R[i])});
  }
  if (peak > 0.89f)
    for (size_t i = 0; i < mix.Frames(); ++i) {
      mix.L[i] *= 0.89f / peak;
      mix.R[i] *= 0.89f / peak;
    }
}

}  // namespace

Stereo RenderSong(const Song& song) {
  const double sps = song.SamplesPerStep();
  const size_t frames = size_t(std::llround(16.0 * song.Bars() * sps));
  Stereo dry(frames), lead(frames), send(frames);
  if (frames == 0) return dry;
  std::vector<NoteEvent> notes = Arrange(song);
  uint64_t seed = 1;
  for (const NoteEvent& n : notes) {
    std::vector<float> voice = RenderNote(n, n.Length * sps / song.Rate, song.Rate, seed++);
    Placement p = PlacementOf(n);
    float gl = p.Level * std::sqrt(0.5f * (1.0f - p.Pan)), gr = p.Level * std::sqrt(0.5f * (1.0f + p.Pan));
    Stereo& bus = n.Instrument == Part::Lead ? lead : dry;
    size_t at = size_t(std::llround(n.Step * sps)) % frames;
    for (float v : voice) {
      bus.L[at] += v * gl;
      bus.R[at] += v * gr;
      send.L[at] += v * gl * p.Send;
      send.R[at] += v * gr * p.Send;
      if (++at == frames) at = 0;
    }
  }
  // The lead echoes a dotted eighth later, the repeats leaning to the sides.
  Echo echoL(size_t(std::llround(3.0 * sps)), 0.35f, 3000.0, song.Rate);
  Echo echoR(size_t(std::llround(6.0 * sps)), 0.25f, 2500.0, song.Rate);
  Circular(lead, song.Rate, [&](float& l, float& r) {
    float mono = 0.5f * (l + r);
    l += 0.28f * echoL.Process(mono);
    r += 0.22f * echoR.Process(mono);
  });
  for (size_t i = 0; i < frames; ++i) {
    dry.L[i] += lead.L[i];
    dry.R[i] += lead.R[i];
    send.L[i] += 0.15f * lead.L[i];
    send.R[i] += 0.15f * lead.R[i];
  }
  Reverb room(song.Rate, song.RoomSize, 0.5f);
  Circular(send, song.Rate, [&](float& l, float& r) {
    float wl, wr;
    room.Process(l, r, wl, wr);
    l = wl;
    r = wr;
  });
  // No DC: a 20 Hz high-pass over the mix.
  OnePole dcL, dcR;
  dcL.SetCutoff(20.0, song.Rate);
  dcR.SetCutoff(20.0, song.Rate);
  for (size_t i = 0; i < frames; ++i) {
    dry.L[i] += send.L[i] * song.Reverb * 3.0f;
    dry.R[i] += send.R[i] * song.Reverb * 3.0f;
  }
  Circular(dry, song.Rate, [&](float& l, float& r) {
    l = dcL.Highpass(l);
    r = dcR.Highpass(r);
  });
  Master(dry);
  return dry;
}

}  // namespace vuzed::sounds
