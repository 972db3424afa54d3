#pragma once
// The names of keyboard keys in text the player or a test writes: the
// [Keys] section of the settings file and the scripted keys of headless runs.
// Names are lower case ("z", "space", "f11"). Keys the game keeps for itself
// (moving, pausing and leaving, fast-forward, full screen, screenshot) have
// names but cannot be given to a game button.

#include <cstdint>
#include <span>
#include <string_view>

namespace vuzed {

struct TKeyName {
  std::string_view Name;
  uint8_t Dik;
  // False for the keys the game keeps for itself.
  bool Assignable;
};

// Every named key once, each with one name.
std::span<const TKeyName> KeyNames();

// The key of an exact (lower-case) name, or null.
const TKeyName* FindKeyName(std::string_view name);

}  // namespace vuzed
