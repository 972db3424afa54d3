#include "instruments.h"

#include <algorithm>
#include <cmath>

#include "dsp.h"
#include "rng.h"

namespace vuzed::sounds {
namespace {

using Samples = std::vector<float>;

// Filter sweeps are updated every this many samples (a control rate).
constexpr size_t kControl = 16;

// Vibrato that sets in after the first moments of a held note.
double Vibrato(double t, double depthSemitones) {
  double amount = std::clamp((t - 0.18) / 0.25, 0.0, 1.0) * depthSemitones;
  return amount * std::sin(2.0 * kPi * 5.5 * t);
}

Samples Lead(const NoteEvent& n, double held, int rate) {
  const double hz = MidiToHz(n.Pitch);
  Adsr env{0.006f, 0.18f, 0.72f, 0.09f};
  if (n.Voice == LeadVoice::Flute) env = {0.035f, 0.1f, 0.85f, 0.12f};
  if (n.Voice == LeadVoice::Bell) env = {0.002f, 0.6f, 0.0f, 0.3f};
  const double length = n.Voice == LeadVoice::Bell ? std::max(held, 0.6) + 0.3 : env.Length(held);
  Samples s(size_t(length * rate));
  Oscillator a(n.Voice == LeadVoice::Pulse ? Wave::Square : Wave::Saw, rate);
  Oscillator b(Wave::Saw, rate), sine(Wave::Sine, rate), mod(Wave::Sine, rate);
  a.SetPulseWidth(0.32);
  Svf lp;
  Rng breath(uint64_t(n.Pitch) * 7919u);
  Svf breathBand;
  breathBand.Set(hz * 2.0, 2.0, rate);
  double carrier = 0.0;
  double f = hz;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = double(i) / rate;
    if (i % kControl == 0) f = hz * std::pow(2.0, Vibrato(t, n.Voice == LeadVoice::Flute ? 0.22 : 0.14) / 12.0);
    float e = env.At(t, held);
    float v = 0.0f;
    switch (n.Voice) {
      case LeadVoice::None: break;
      case LeadVoice::Pulse:
        a.SetFrequency(f);
        if (i % kControl == 0) lp.Set(2200.0 + 3500.0 * std::exp(-t * 8.0), 0.8, rate);
        v = lp.Lowpass(a.Next());
        break;
      case LeadVoice::Saw:
        a.SetFrequency(f * 1.0035);
        b.SetFrequency(f / 1.0035);
        if (i % kControl == 0) lp.Set(1800.0 + 3000.0 * std::exp(-t * 6.0), 1.1, rate);
        v = lp.Lowpass(0.6f * (a.Next() + b.Next()));
        break;
      case LeadVoice::Bell: {
        mod.SetFrequency(f * 2.0);
        float index = float(1.6 * std::exp(-t * 5.0));
        carrier += f / rate;
        carrier -= std::floor(carrier);
        v = float(std::sin(2.0 * kPi * carrier + index * mod.Next())) * Decay60(t, 1.4) *
            std::min(1.0f, float(t / 0.002));
        e = held + 0.3 > t ? 1.0f : 0.0f;
        if (t > held) e = float(std::max(0.0, 1.0 - (t - held) / 0.3));
        break;
      }
      case LeadVoice::Flute: {
        sine.SetFrequency(f);
        b.SetFrequency(f * 2.0);
        float tone = sine.Next();
        v = tone + 0.12f * tone * tone * tone + 0.08f * b.Next() +
            0.18f * breathBand.Bandpass(breath.Bipolar()) * float(0.4 + 0.6 * std::exp(-t * 10.0));
        break;
      }
    }
    s[i] = v * e;
  }
  return s;
}

Samples Bass(const NoteEvent& n, double held, int rate) {
  const double hz = MidiToHz(n.Pitch);
  Adsr env{0.003f, 0.25f, 0.6f, 0.05f};
  Samples s(size_t(env.Length(held) * rate));
  Oscillator saw(Wave::Saw, rate), sub(Wave::Sine, rate);
  saw.SetFrequency(hz);
  sub.SetFrequency(hz);
  Svf lp;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = double(i) / rate;
    if (i % kControl == 0) lp.Set(220.0 + 1500.0 * std::exp(-t * 14.0) * n.Velocity, 1.3, rate);
    s[i] = (lp.Lowpass(saw.Next()) * 0.8f + sub.Next() * 0.6f) * env.At(t, held);
  }
  return s;
}

// Pad and stab: three detuned saws through a low-pass.
Samples Chordal(const NoteEvent& n, double held, int rate, bool stab) {
  const double hz = MidiToHz(n.Pitch);
  Adsr env = stab ? Adsr{0.003f, 0.14f, 0.0f, 0.05f} : Adsr{0.15f, 0.4f, 0.8f, 0.4f};
  Samples s(size_t(env.Length(held) * rate));
  Oscillator o1(Wave::Saw, rate), o2(Wave::Saw, rate), o3(Wave::Saw, rate);
  o1.SetFrequency(hz * 0.9954);
  o2.SetFrequency(hz);
  o3.SetFrequency(hz * 1.0046);
  o2.SetPhase(0.33);
  o3.SetPhase(0.71);
  Svf lp;
  if (!stab) lp.Set(1700.0, 0.7, rate);
  for (size_t i = 0; i < s.size(); ++i) {
    double t = double(i) / rate;
    if (stab && i % kControl == 0) lp.Set(900.0 + 3500.0 * std::exp(-t * 25.0), 1.0, rate);
    s[i] = lp.Lowpass((o1.Next() + o2.Next() + o3.Next()) * 0.33f) * env.At(t, held);
  }
  return s;
}

Samples Arp(const NoteEvent& n, double held, int rate) {
  Samples s(size_t((held + 0.2) * rate));
  Oscillator sq(Wave::Square, rate);
  sq.SetFrequency(MidiToHz(n.Pitch));
  sq.SetPulseWidth(0.4);
  Svf lp;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = double(i) / rate;
    if (i % kControl == 0) lp.Set(1200.0 + 4000.0 * std::exp(-t * 30.0), 0.9, rate);
    s[i] = lp.Lowpass(sq.Next()) * Decay60(t, 0.35) * std::min(1.0f, float(t / 0.002));
  }
  return s;
}

Samples Drum(const NoteEvent& n, int rate, uint64_t seed) {
  Rng rng(seed);
  auto make = [rate](double seconds) { return Samples(size_t(seconds * rate)); };
  Samples s;
  switch (n.Instrument) {
    case Part::Kick: {
      s = make(0.4);
      double phase = 0.0;
      for (size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / rate;
        phase += (45.0 + 120.0 * std::exp(-t * 35.0)) / rate;
        float click = t < 0.004 ? rng.Bipolar() * 0.3f * float(1.0 - t / 0.004) : 0.0f;
        s[i] = float(std::sin(2.0 * kPi * phase)) * Decay60(t, 0.38) + click;
      }
      break;
    }
    case Part::Snare: {
      s = make(0.25);
      Svf bp, hp;
      bp.Set(1900.0, 0.7, rate);
      hp.Set(400.0, 0.7, rate);
      for (size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / rate;
        float noise = hp.Highpass(bp.Bandpass(rng.Bipolar()) + 0.3f * rng.Bipolar());
        s[i] = noise * Decay60(t, 0.2) + 0.6f * float(std::sin(2.0 * kPi * 185.0 * t)) * Decay60(t, 0.09);
      }
      break;
    }
    case Part::ClosedHat:
    case Part::OpenHat:
    case Part::Crash: {
      double decay = n.Instrument == Part::ClosedHat ? 0.05 : n.Instrument == Part::OpenHat ? 0.28 : 1.7;
      s = make(decay);
      Svf hp;
      hp.Set(n.Instrument == Part::Crash ? 4500.0 : 7500.0, 0.8, rate);
      for (size_t i = 0; i < s.size(); ++i) s[i] = hp.Highpass(rng.Bipolar()) * Decay60(double(i) / rate, decay);
      break;
    }
    case Part::Tom: {
      s = make(0.35);
      double base = MidiToHz(n.Pitch), phase = 0.0;
      for (size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / rate;
        phase += base * (1.0 + 0.5 * std::exp(-t * 20.0)) / rate;
        s[i] = float(std::sin(2.0 * kPi * phase)) * Decay60(t, 0.3);
      }
      break;
    }
    default: break;
  }
  return s;
}

}  // namespace

std::vector<float> RenderNote(const NoteEvent& note, double seconds, int rate, uint64_t seed) {
  std::vector<float> s;
  switch (note.Instrument) {
    case Part::Lead: s = Lead(note, seconds, rate); break;
    case Part::Bass: s = Bass(note, seconds, rate); break;
    case Part::Pad: s = Chordal(note, seconds, rate, false); break;
    case Part::Stab: s = Chordal(note, seconds, rate, true); break;
    case Part::Arp: s = Arp(note, seconds, rate); break;
    default: s = Drum(note, rate, seed); break;
  }
  for (float& v : s) v *= note.Velocity;
  return s;
}

}  // namespace vuzed::sounds
