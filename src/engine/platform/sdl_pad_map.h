#pragma once
// How an SDL game controller fills the engine's DIJOYSTATE.
//
// Axes (-32768..32767, y positive downward): left stick lX, lY; right stick
// lRx, lRy; left trigger lZ, right trigger lRz (0..32767).
// Buttons 0..14: A, B, X, Y, Back, Guide, Start, left stick, right stick, left
// shoulder, right shoulder, pad up, down, left, right (0x80 while down).
// POV 0 follows the direction pad in hundredths of a degree clockwise from up
// (0 up, 9000 right, 18000 down, 27000 left); 0xFFFFFFFF when centred. The
// other three POVs are always centred.

#include <cstdint>

namespace vuzed {

constexpr uint32_t kPovCentred = 0xFFFFFFFFu;
constexpr int kPadButtonCount = 15;

// Opposite directions held together cancel out.
constexpr uint32_t PovFromDpad(bool up, bool down, bool left, bool right) {
  int dy = (down ? 1 : 0) - (up ? 1 : 0);
  int dx = (right ? 1 : 0) - (left ? 1 : 0);
  if (dx == 0 && dy == 0) return kPovCentred;
  // Eight directions clockwise from up, indexed by (dy + 1) * 3 + (dx + 1).
  constexpr uint32_t kByDirection[9] = {31500, 0,     4500,         // up-left, up, up-right
                                        27000, kPovCentred, 9000,   // left, -, right
                                        22500, 18000, 13500};       // down-left, down, down-right
  return kByDirection[(dy + 1) * 3 + (dx + 1)];
}

}  // namespace vuzed
