#pragma once
// The enemy side's sound effects. Channels: 4 enemy shot, 6 laser, 8 death
// and explosions, 9 the script's SETSE. Without an initialised sound device
// every call does nothing.

#include <cstdint>

namespace vuzed {

struct TPlayfield;

constexpr int kEnemyShotChannel = 4;
constexpr int kLaserChannel = 6;
constexpr int kDeathChannel = 8;
constexpr int kScriptSoundChannel = 9;

// Stop, then play once from the start.
void RestartChannel(TPlayfield& playfield, int channel);
// The same, only when the channel is not playing.
void RestartChannelIfIdle(TPlayfield& playfield, int channel);
// Sound-table entry n on channel 9 at the sound-effect volume (v * 50 - 5000
// hundredths of a decibel); nothing when the table has no entry n.
void PlayScriptSound(TPlayfield& playfield, int32_t number);

}  // namespace vuzed
