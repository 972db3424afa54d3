#pragma once
// The program-wide random generator. Its whole state is one 32-bit seed that
// the game context owns (`TGameContext::RandSeed`); every draw steps it once:
//   seed := seed * 134775813 + 1 (mod 2^32)
// and the draw for a range n is the high 32 bits of the unsigned 64-bit
// product of the new seed and n, so it lies in [0, n - 1] (0 for n = 0).

#include <cstdint>

namespace vuzed {

uint32_t NextRandom(uint32_t& seed, uint32_t range);

}  // namespace vuzed
