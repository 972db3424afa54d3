#pragma once
// The game's sound effects: "data\Music\effect\" + n + ".wav", n = 0..20,
// 44100 Hz mono 16-bit. The game code plays 1 (player volley, restarted
// every 6 frames on channel 1), 2 (enemy bullets, channel 4, restarted only
// when it has finished), 5 (lasers), 10 (spell-card declaration), 11
// (explosions: enemy death, the ship, a blasting boss every 5 frames), 15
// (title cursor) and 16 (title select); the other numbers are there for the
// stage scripts' SETSE.

#include <filesystem>
#include <string_view>
#include <vector>

namespace vuzed::sounds {

inline constexpr int kEffectRate = 44100;
inline constexpr int kEffectCount = 21;

struct EffectInfo {
  int Number;
  std::string_view Use;
};

// Sound n as samples in [-1, 1]; empty for a number outside 0..20.
std::vector<float> MakeEffect(int number);
EffectInfo DescribeEffect(int number);

// Writes every effect into dataDir/Music/effect/. False when a file cannot be written.
bool WriteEffects(const std::filesystem::path& dataDir);

}  // namespace vuzed::sounds
