#pragma once
// Which keyboard key and which game pad button press each of the game's four
// buttons, as the [Keys] section of the settings file gives them:
//
//   [Keys]
//   Shot=space      ; key names of key_names.h, any letter case
//   Bomb=c
//   Slow=shift
//   Pause=q
//   ShotPad=2       ; game pad button numbers, 0 to 31
//   BombPad=3
//
// Every entry is optional; a button without one keeps its default key
// (Z, X, D, P) and pad button (0, 1, 5, 3). Esc pauses whatever the
// section says, and Shift slows unless it is given to a button. The section is taken whole or not at all: an
// unknown entry, an entry given twice, an unknown or reserved key name, a
// pad number that is not 0 to 31, or two buttons on one key or one pad
// button make the whole section void, and the defaults stay.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vuzed {

// The game's buttons that can be given other keys, in the order of the
// tables below (and of the key map's arrays).
enum class TGameButton { Shot, Bomb, Slow, Pause };
constexpr int kGameButtonCount = 4;

struct TKeyMap {
  // DIK code of the key of each game button, by TGameButton.
  std::array<uint8_t, kGameButtonCount> Keys;
  // Game pad button of each game button, by TGameButton.
  std::array<int, kGameButtonCount> PadButtons;

  // The keys the game has without a [Keys] section.
  static TKeyMap Defaults();
  bool operator==(const TKeyMap&) const = default;
};

// One key line of the section, with its line number in the file.
struct TKeyEntry {
  std::string_view Key;
  std::string_view Value;
  int Line = 0;
};

// The map the entries give, or nothing with the first fault in `error` as
// "LINE: text".
std::optional<TKeyMap> ParseKeyMap(std::span<const TKeyEntry> entries, std::string& error);

}  // namespace vuzed
