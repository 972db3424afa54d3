#pragma once
// SDL scancodes to DirectInput key codes (DIK). The keyboard state the engine
// reads is indexed by DIK code; the SDL keyboard state by scancode. Scancodes
// name physical key positions, as DIK codes do, so the table does not depend on
// the keyboard layout.

#include <cstdint>
#include <span>

namespace vuzed {

struct KeyMapEntry {
  int Scancode;  // SDL_Scancode
  uint8_t Dik;
};

// Every mapped key once, in scancode order.
std::span<const KeyMapEntry> KeyMapEntries();

// The DIK code of a scancode; 0 for keys without one and for out-of-range values.
uint8_t ScancodeToDik(int scancode);

}  // namespace vuzed
