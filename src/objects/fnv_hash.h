#pragma once
// FNV-1a, 64 bits: the hash of saved data (the stage scripts a replay was
// recorded with, the checksums of the game's state). Its values are stored in
// files, so it never changes.

#include <cstdint>
#include <string_view>

namespace vuzed {

constexpr uint64_t kFnvOffsetBasis = 14695981039346656037ull;
constexpr uint64_t kFnvPrime = 1099511628211ull;

constexpr uint64_t Fnv1a(std::string_view bytes, uint64_t hash = kFnvOffsetBasis) {
  for (char c : bytes) {
    hash ^= uint8_t(c);
    hash *= kFnvPrime;
  }
  return hash;
}

}  // namespace vuzed
