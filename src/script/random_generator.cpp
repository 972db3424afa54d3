#include "script/random_generator.h"

namespace vuzed {

uint32_t NextRandom(uint32_t& seed, uint32_t range) {
  seed = seed * 134775813u + 1u;
  return uint32_t((uint64_t(seed) * range) >> 32);
}

}  // namespace vuzed
