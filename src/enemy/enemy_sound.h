#pragma once
// The enemy side's sound effects. Channels: 4 enemy shot, 6 laser, 8 death
// and explosions, 9 the script's SETSE. Without an initialised sound device
// every call does nothing.

#include <cstdint>

namespace vuzed {

struct TGameContext;

constexpr int kEnemyShotChannel = 4;
constexpr int kLaserChannel = 6;
constexpr int kDeathChannel = 8;
constexpr int kScriptSoundChannel = 9;

// Stop, then play once from the start.
void RestartChannel(TGameContext& context, int channel);
// The same, only when the channel is not playing.
void RestartChannelIfIdle(TGameContext& context, int channel);
// Sound-table entry n on channel 9 at the sound-effect volume (v * 50 - 5000
// hundredths of a decibel); nothing when the table has no entry n.
void PlayScriptSound(TGameContext& context, int32_t number);

}  // namespace vuzed
