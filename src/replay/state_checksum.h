#pragma once
// The checksum a replay stores every 60 passes: FNV-1a over the game's state
// as a replay must reproduce it. It covers the random generator, the scene,
// the stage clock and mode, the score, the ship (position, lives, bombs, hp,
// power, graze, timers) and the position of every object on the playfield:
// the ship's shots, enemies, bullets (with angle and speed), items and
// effects, each list with its length. Floats go in by their bits, so the
// smallest difference shows. Stored in files: its inputs and their order
// never change within one replay version.

#include <cstdint>

namespace vuzed {

struct TGameContext;

uint64_t GameStateChecksum(const TGameContext& game);

}  // namespace vuzed
