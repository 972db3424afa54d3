#pragma once
// Small pieces the ship, its attack and its control share: the keys the ship
// reads beside the stick and buttons, sounds on fixed channels, explosions
// scattered around a point, and the spell-bonus cut.

#include <cstdint>

namespace vuzed {

struct TPlayfield;

// Sound channels of the ship: its volley on 1 (sound 1), explosions on 8.
constexpr int kShotChannel = 1;
constexpr int kShotSound = 1;
constexpr int32_t kShotVolume = -1000;
constexpr int kExplosionChannel = 8;

// A keyboard key by its DIK code, read directly (not through the key table).
bool ShipKeyDown(TPlayfield& playfield, uint8_t dik);
// Slow movement: either Shift key, or the slow button.
bool ShipSlowHeld(TPlayfield& playfield);
// Stops the channel, then plays its sound once from the start.
void ShipRestartChannel(TPlayfield& playfield, int channel);
// Puts the volley sound (sound 1 at -1000) on the shot channel.
void ShipTakeShotChannel(TPlayfield& playfield);
// A volley's sound: the shot channel restarted. A talk's SETSE plays its
// sound on that channel; the first volley after the talk takes it back.
void ShipRestartShotChannel(TPlayfield& playfield);
// An explosion (angle 0) at (x + r1 - 50, y + r2 - 50), r1 and r2 drawn in
// that order from the game's generator, each 0..99.
void ShipAddExplosion(TPlayfield& playfield, float x, float y);
// A running spell card's bonus cut in half, rounded half to even (5 -> 2,
// 7 -> 4); the bomb and every survived hit during a spell card take it.
void ShipHalveSpellBonus(TPlayfield& playfield);

}  // namespace vuzed
