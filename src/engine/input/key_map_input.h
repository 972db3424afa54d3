#pragma once
// The player's own keys, turned into the game's: under everything else that
// reads input (the autoplay bot, the replay recorder, the game), this layer
// makes the key the player chose for a game button read as that button's
// default key, and likewise for game pad buttons. So the game, the bot and
// every replay see only the default keys (Z shot, X bomb, D slow, P pause;
// pad buttons 0, 1, 5, 3), and a replay plays the same whatever keys the
// watcher has chosen.
//
// A default key whose button was moved elsewhere reads as up, and so does
// a chosen key in its own right (Shot=shift: Shift shoots and no longer
// slows). Every other key and button passes through unchanged; with the
// default map the layer changes nothing.

#include <array>
#include <cstdint>

#include "engine/input/key_map.h"
#include "engine/platform/input_source.h"

namespace vuzed {

class TKeyMapInput : public InputSource {
 public:
  // `raw` reads the devices; not owned.
  explicit TKeyMapInput(InputSource& raw);

  void SetMap(const TKeyMap& map);
  const TKeyMap& Map() const { return Map_; }

  bool ReadKeyboard(std::array<uint8_t, 256>& keys) override;
  bool HasMouse() const override { return Raw_.HasMouse(); }
  bool ReadMouse(MouseState& state) override { return Raw_.ReadMouse(state); }
  int PadCount() const override { return Raw_.PadCount(); }
  bool ReadPad(int index, JoyState& state) override;
  bool IsKeyDown(uint8_t dik) override;

 private:
  InputSource& Raw_;
  TKeyMap Map_;
  // The raw key each key reads (0: always up) and the raw pad button each
  // pad button reads (-1: always up).
  std::array<uint8_t, 256> KeySource_{};
  std::array<int, 32> PadSource_{};
};

}  // namespace vuzed
