#include "sound_effects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "dsp.h"
#include "rng.h"
#include "wav_file.h"

namespace vuzed::sounds {
namespace {

using Samples = std::vector<float>;
constexpr double kRate = kEffectRate;

size_t FramesFor(double seconds) { return size_t(seconds * kRate); }
double TimeOf(size_t i) { return double(i) / kRate; }

// Removes the DC offset, fades in over 1 ms and out over the last 8 ms (so
// a restart never clicks at the end) and scales the peak to `peak`.
void Finish(Samples& s, float peak) {
  if (s.empty()) return;
  double mean = 0.0;
  for (float v : s) mean += v;
  mean /= double(s.size());
  for (float& v : s) v -= float(mean);
  const size_t in = std::min(s.size(), FramesFor(0.001));
  const size_t out = std::min(s.size(), FramesFor(0.008));
  for (size_t i = 0; i < in; ++i) s[i] *= float(i) / float(in);
  for (size_t i = 0; i < out; ++i) s[s.size() - 1 - i] *= float(i) / float(out);
  float top = 0.0f;
  for (float v : s) top = std::max(top, std::abs(v));
  if (top > 0.0f)
    for (float& v : s) v *= peak / top;
}

// A tone whose pitch glides exponentially from `from` to `to` Hz over `glide` seconds.
Samples Sweep(Wave wave, double seconds, double from, double to, double glide) {
  Samples s(FramesFor(seconds));
  Oscillator osc(wave, kRate);
  for (size_t i = 0; i < s.size(); ++i) {
    double k = std::min(1.0, TimeOf(i) / glide);
    osc.SetFrequency(from * std::pow(to / from, k));
    s[i] = osc.Next();
  }
  return s;
}

// An FM bell: a sine carrier modulated at 3.5 times its frequency, the
// brightness dying away faster than the tone.
float Bell(double hz, double t, double decay) {
  if (t < 0.0) return 0.0f;
  double index = 2.2 * std::exp(-t / (decay * 0.25));
  double env = Decay60(t, decay) * std::min(1.0, t / 0.002);
  return float(env * std::sin(2.0 * kPi * hz * t + index * std::sin(2.0 * kPi * hz * 3.5 * t)));
}

Samples Noise(double seconds, uint64_t seed) {
  Rng rng(seed);
  Samples s(FramesFor(seconds));
  for (float& v : s) v = rng.Bipolar();
  return s;
}

// 0: graze - a tiny bright scratch.
Samples Graze() {
  Samples s = Noise(0.045, 100);
  Svf f;
  for (size_t i = 0; i < s.size(); ++i) {
    f.Set(5000.0 + 60000.0 * TimeOf(i), 2.0, kRate);
    s[i] = f.Bandpass(s[i]) * Decay60(TimeOf(i), 0.04);
  }
  Finish(s, 0.5f);
  return s;
}

// 1: player volley - a soft, short falling blip; shorter than the 6 frames
// between volleys so it always ends before it is restarted.
Samples PlayerShot() {
  Samples s = Sweep(Wave::Triangle, 0.07, 1700.0, 800.0, 0.05);
  Samples hiss = Noise(0.07, 101);
  OnePole lp;
  lp.SetCutoff(4500.0, kRate);
  Svf hp;
  hp.Set(6000.0, 0.7, kRate);
  for (size_t i = 0; i < s.size(); ++i) {
    double t = TimeOf(i);
    float env = std::min(1.0f, float(t / 0.002)) * Decay60(t, 0.07);
    s[i] = lp.Lowpass(s[i] * env + 0.15f * hp.Highpass(hiss[i]) * Decay60(t, 0.015));
  }
  Finish(s, 0.4f);
  return s;
}

// 2: enemy bullet - a quick square "pew".
Samples EnemyShot() {
  Samples s = Sweep(Wave::Square, 0.11, 1300.0, 330.0, 0.09);
  Svf lp;
  lp.Set(3200.0, 0.8, kRate);
  for (size_t i = 0; i < s.size(); ++i) s[i] = lp.Lowpass(s[i]) * Decay60(TimeOf(i), 0.12);
  Finish(s, 0.8f);
  return s;
}

// 3: item pick-up - two bright steps up.
Samples ItemPickUp() {
  Samples s(FramesFor(0.16));
  for (size_t i = 0; i < s.size(); ++i) {
    double t = TimeOf(i);
    s[i] = Bell(1318.5, t, 0.08) * 0.7f + Bell(1975.5, t - 0.05, 0.1);
  }
  Finish(s, 0.55f);
  return s;
}

// 4: small enemy pop.
Samples EnemyPop() {
  Samples s = Noise(0.16, 104);
  Samples tone = Sweep(Wave::Sine, 0.16, 600.0, 90.0, 0.08);
  Svf lp;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = TimeOf(i);
    lp.Set(5000.0 * std::exp(-t * 20.0) + 400.0, 0.9, kRate);
    s[i] = lp.Lowpass(s[i]) * Decay60(t, 0.14) + 0.7f * tone[i] * Decay60(t, 0.08);
  }
  Finish(s, 0.75f);
  return s;
}

// 5: laser - a short zap, then a humming beam that opens and fades.
Samples Laser() {
  const double seconds = 0.9;
  Samples s(FramesFor(seconds));
  Oscillator a(Wave::Saw, kRate), b(Wave::Saw, kRate), c(Wave::Square, kRate), zap(Wave::Sine, kRate);
  a.SetFrequency(220.0);
  b.SetFrequency(221.7);
  c.SetFrequency(440.0);
  Svf lp;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = TimeOf(i);
    double cutoff = t < 0.15 ? 300.0 * std::pow(14.0, t / 0.15) : 1400.0 + 2800.0 * std::exp(-(t - 0.15) * 6.0);
    lp.Set(cutoff, 1.6, kRate);
    float tremolo = 1.0f - 0.15f * float(0.5 + 0.5 * std::sin(2.0 * kPi * 28.0 * t));
    float body = lp.Lowpass(0.4f * (a.Next() + b.Next()) + 0.25f * c.Next()) * tremolo;
    float env = std::min(1.0f, float(t / 0.01)) * (t < 0.5 ? 1.0f : float(std::pow(1.0 - (t - 0.5) / 0.4, 2.0)));
    zap.SetFrequency(400.0 * std::pow(4.0, std::min(1.0, t / 0.12)));
    s[i] = body * env + 0.5f * zap.Next() * Decay60(t, 0.15);
  }
  Finish(s, 0.7f);
  return s;
}

// 6: bomb - a rising rush that bursts into a deep boom.
Samples Bomb() {
  const double seconds = 2.2;
  Samples s = Noise(seconds, 106);
  Samples boom = Sweep(Wave::Sine, seconds, 110.0, 32.0, 0.6);
  Svf bp, lp;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = TimeOf(i);
    float rush = 0.0f;
    if (t < 0.5) {
      bp.Set(300.0 * std::pow(20.0, t / 0.5), 1.5, kRate);
      rush = bp.Bandpass(s[i]) * float(t / 0.5);
    }
    double after = t - 0.45;
    lp.Set(2500.0 * std::exp(-std::max(0.0, after) * 3.0) + 150.0, 0.8, kRate);
    float burst = after < 0.0 ? 0.0f : lp.Lowpass(s[i]) * Decay60(after, 1.7);
    float low = after < 0.0 ? 0.0f : boom[size_t(after * kRate)] * Decay60(after, 1.2);
    s[i] = std::tanh(1.5f * (0.6f * rush + burst + 1.2f * low));
  }
  Finish(s, 0.9f);
  return s;
}

// 7: extend - a bright rising major arpeggio.
Samples Extend() {
  constexpr std::array<double, 5> kNotes = {72, 76, 79, 84, 88};
  Samples s(FramesFor(0.95));
  for (size_t i = 0; i < s.size(); ++i) {
    double t = TimeOf(i);
    float v = 0.0f;
    for (size_t n = 0; n < kNotes.size(); ++n) v += Bell(MidiToHz(kNotes[n]), t - 0.07 * double(n), n + 1 == kNotes.size() ? 0.7 : 0.35);
    s[i] = v;
  }
  Finish(s, 0.7f);
  return s;
}

// 8: power up - a fast upward sweep of square steps.
Samples PowerUp() {
  Samples s(FramesFor(0.36));
  Oscillator osc(Wave::Square, kRate);
  osc.SetPulseWidth(0.25);
  Svf lp;
  lp.Set(5000.0, 0.7, kRate);
  for (size_t i = 0; i < s.size(); ++i) {
    double t = TimeOf(i);
    int step = int(t / 0.03);
    osc.SetFrequency(MidiToHz(67.0 + 2.0 * step));
    s[i] = lp.Lowpass(osc.Next()) * Decay60(t, 0.5);
  }
  Finish(s, 0.55f);
  return s;
}

// 9: menu cancel - two soft steps down.
Samples MenuCancel() {
  Samples s(FramesFor(0.2));
  for (size_t i = 0; i < s.size(); ++i) {
    double t = TimeOf(i);
    s[i] = Bell(987.8, t, 0.08) + Bell(659.3, t - 0.06, 0.12);
  }
  Finish(s, 0.55f);
  return s;
}

// 10: spell-card declaration - a rising rush opening into a shimmering chord.
Samples SpellDeclaration() {
  const double seconds = 1.7;
  Samples s = Noise(seconds, 110);
  Svf bp;
  Oscillator swell(Wave::Sine, kRate);
  swell.SetFrequency(55.0);
  constexpr std::array<double, 4> kChord = {81, 88, 93, 97};  // A5 E6 A6 C#7
  for (size_t i = 0; i < s.size(); ++i) {
    double t = TimeOf(i);
    bp.Set(400.0 * std::pow(15.0, std::min(1.0, t / 0.45)), 2.0, kRate);
    float rush = bp.Bandpass(s[i]) * float(std::min(1.0, t / 0.4)) * Decay60(std::max(0.0, t - 0.4), 0.5);
    float chord = 0.0f;
    for (size_t n = 0; n < kChord.size(); ++n) chord += Bell(MidiToHz(kChord[n]), t - 0.38 - 0.03 * double(n), 1.2);
    float low = swell.Next() * float(std::sin(kPi * std::min(1.0, t / seconds)));
    s[i] = 0.8f * rush + 0.35f * chord + 0.5f * low;
  }
  Finish(s, 0.8f);
  return s;
}

// 11: explosion - noise falling in brightness over a low thump. Restarted
// every 5 frames while something blasts, so its attack carries it.
Samples Explosion() {
  const double seconds = 0.5;
  Samples s = Noise(seconds, 111);
  Samples thump = Sweep(Wave::Sine, seconds, 95.0, 38.0, 0.09);
  Svf lp;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = TimeOf(i);
    lp.Set(3000.0 * std::exp(-t * 6.0) + 250.0, 0.8, kRate);
    s[i] = std::tanh(1.6f * (lp.Lowpass(s[i]) * Decay60(t, 0.45) + thump[i] * Decay60(t, 0.22)));
  }
  Finish(s, 0.85f);
  return s;
}

// 12: boss blast - a long rolling explosion.
Samples BossBlast() {
  const double seconds = 2.6;
  Samples s = Noise(seconds, 112);
  Samples thump = Sweep(Wave::Sine, seconds, 80.0, 28.0, 0.4);
  Svf lp;
  Rng rng(1120);
  for (size_t i = 0; i < s.size(); ++i) {
    double t = TimeOf(i);
    double roll = 0.7 + 0.3 * std::sin(2.0 * kPi * 7.0 * t + 3.0 * std::sin(2.0 * kPi * 1.3 * t));
    lp.Set(1800.0 * std::exp(-t * 1.5) + 120.0, 0.9, kRate);
    s[i] = std::tanh(1.8f * (lp.Lowpass(s[i]) * float(roll) * Decay60(t, 2.4) + thump[i] * Decay60(t, 1.1)));
  }
  Finish(s, 0.9f);
  return s;
}

// 13: countdown tick - a dry wooden click.
Samples Tick() {
  Samples s(FramesFor(0.05));
  for (size_t i = 0; i < s.size(); ++i) {
    double t = TimeOf(i);
    s[i] = float(std::sin(2.0 * kPi * 1900.0 * t) + 0.5 * std::sin(2.0 * kPi * 2900.0 * t)) * Decay60(t, 0.03);
  }
  Finish(s, 0.5f);
  return s;
}

// 14: spell-card bonus - a bright fanfare chord.
Samples BonusGet() {
  constexpr std::array<double, 6> kNotes = {72, 79, 84, 88, 91, 96};
  Samples s(FramesFor(1.3));
  for (size_t i = 0; i < s.size(); ++i) {
    double t = TimeOf(i);
    float v = 0.0f;
    for (size_t n = 0; n < kNotes.size(); ++n) v += Bell(MidiToHz(kNotes[n]), t - 0.04 * double(n), 1.0);
    s[i] = v;
  }
  Finish(s, 0.7f);
  return s;
}

// 15: title cursor - a short light tick.
Samples MenuMove() {
  Samples s(FramesFor(0.06));
  for (size_t i = 0; i < s.size(); ++i) {
    double t = TimeOf(i);
    s[i] = float(std::sin(2.0 * kPi * 1318.5 * t) + 0.25 * std::sin(2.0 * kPi * 2637.0 * t)) * Decay60(t, 0.05);
  }
  Finish(s, 0.45f);
  return s;
}

// 16: title select - a confirming step up.
Samples MenuSelect() {
  Samples s(FramesFor(0.3));
  for (size_t i = 0; i < s.size(); ++i) {
    double t = TimeOf(i);
    s[i] = 0.8f * Bell(880.0, t, 0.12) + Bell(1318.5, t - 0.06, 0.22);
  }
  Finish(s, 0.6f);
  return s;
}

// 17: pause - a soft low chime.
Samples Pause() {
  Samples s(FramesFor(0.45));
  for (size_t i = 0; i < s.size(); ++i) {
    double t = TimeOf(i);
    s[i] = Bell(587.3, t, 0.4) + 0.6f * Bell(880.0, t, 0.3);
  }
  Finish(s, 0.5f);
  return s;
}

// 18: charge-up - a tone climbing with a quickening flutter.
Samples ChargeUp() {
  const double seconds = 1.0;
  Samples s = Sweep(Wave::Saw, seconds, 150.0, 1200.0, seconds);
  Svf lp;
  double flutter = 0.0;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = TimeOf(i);
    flutter += (8.0 + 30.0 * t) / kRate;
    lp.Set(600.0 + 3000.0 * t, 1.2, kRate);
    float env = float(std::min(1.0, t / 0.3)) * (t > 0.9 ? float((seconds - t) / 0.1) : 1.0f);
    s[i] = lp.Lowpass(s[i]) * env * float(0.75 + 0.25 * std::sin(2.0 * kPi * flutter));
  }
  Finish(s, 0.6f);
  return s;
}

// 19: warning - two swells of a two-tone siren.
Samples Warning() {
  const double seconds = 1.3;
  Samples s(FramesFor(seconds));
  Oscillator osc(Wave::Square, kRate);
  Svf lp;
  lp.Set(2500.0, 0.7, kRate);
  for (size_t i = 0; i < s.size(); ++i) {
    double t = TimeOf(i);
    double within = std::fmod(t, 0.65);
    osc.SetFrequency(within < 0.3 ? 740.0 : 554.4);
    float env = float(std::sin(kPi * std::min(1.0, within / 0.6)));
    s[i] = lp.Lowpass(osc.Next()) * env;
  }
  Finish(s, 0.4f);  // a steady square: quieter peak, same loudness as the others
  return s;
}

// 20: heavy shot - a low, round "thoom" for large bullets.
Samples HeavyShot() {
  Samples s = Sweep(Wave::Sine, 0.28, 320.0, 70.0, 0.18);
  Samples air = Noise(0.28, 120);
  OnePole lp;
  lp.SetCutoff(1200.0, kRate);
  for (size_t i = 0; i < s.size(); ++i) {
    double t = TimeOf(i);
    s[i] = s[i] * Decay60(t, 0.26) + 0.3f * lp.Lowpass(air[i]) * Decay60(t, 0.1);
  }
  Finish(s, 0.8f);
  return s;
}

struct Effect {
  std::string_view Use;
  Samples (*Make)();
};

// Indexed by sound number.
constexpr std::array<Effect, kEffectCount> kEffects = {{
    {"graze", Graze},
    {"player volley", PlayerShot},
    {"enemy bullet", EnemyShot},
    {"item pick-up", ItemPickUp},
    {"small enemy destroyed", EnemyPop},
    {"laser", Laser},
    {"bomb", Bomb},
    {"extra life", Extend},
    {"power up", PowerUp},
    {"menu cancel", MenuCancel},
    {"spell-card declaration", SpellDeclaration},
    {"explosion", Explosion},
    {"boss blast", BossBlast},
    {"countdown tick", Tick},
    {"spell-card bonus", BonusGet},
    {"menu cursor", MenuMove},
    {"menu select", MenuSelect},
    {"pause", Pause},
    {"charge-up", ChargeUp},
    {"warning", Warning},
    {"heavy shot", HeavyShot},
}};

}  // namespace

std::vector<float> MakeEffect(int number) {
  if (number < 0 || number >= kEffectCount) return {};
  return kEffects[size_t(number)].Make();
}

EffectInfo DescribeEffect(int number) {
  if (number < 0 || number >= kEffectCount) return {number, ""};
  return {number, kEffects[size_t(number)].Use};
}

bool WriteEffects(const std::filesystem::path& dataDir) {
  bool ok = true;
  for (int n = 0; n < kEffectCount; ++n) {
    std::filesystem::path file = dataDir / "Music" / "effect" / (std::to_string(n) + ".wav");
    ok = WriteWavMono(file, MakeEffect(n), kEffectRate) && ok;
  }
  return ok;
}

}  // namespace vuzed::sounds
