#include "engine/platform/sdl_keymap.h"

#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include <set>

#include "engine/input/dik_codes.h"
#include "engine/platform/sdl_pad_map.h"

namespace vuzed {
namespace {

TEST(SdlKeymap, GameKeysMapToTheirDikCodes) {
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_Z), 0x2C);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_X), dik::X);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_C), dik::C);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_UP), 0xC8);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_DOWN), dik::DOWN);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_LEFT), dik::LEFT);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_RIGHT), dik::RIGHT);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_KP_8), 0x48);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_KP_0), dik::NUMPAD0);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_KP_ENTER), dik::NUMPADENTER);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_F1), 0x3B);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_F10), dik::F10);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_F11), dik::F11);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_F12), dik::F12);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_ESCAPE), dik::ESCAPE);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_RETURN), dik::RETURN);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_SPACE), dik::SPACE);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_TAB), dik::TAB);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_LSHIFT), dik::LSHIFT);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_RSHIFT), dik::RSHIFT);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_LCTRL), dik::LCONTROL);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_RCTRL), dik::RCONTROL);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_LALT), dik::LMENU);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_RALT), dik::RMENU);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_1), dik::K1);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_0), dik::K0);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_A), dik::A);
}

TEST(SdlKeymap, UnmappedAndOutOfRangeGiveZero) {
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_UNKNOWN), 0);
  EXPECT_EQ(ScancodeToDik(SDL_SCANCODE_AUDIONEXT), 0);
  EXPECT_EQ(ScancodeToDik(-1), 0);
  EXPECT_EQ(ScancodeToDik(SDL_NUM_SCANCODES), 0);
  EXPECT_EQ(ScancodeToDik(1 << 30), 0);
}

TEST(SdlKeymap, EveryLetterAndDigitIsMapped) {
  std::set<uint8_t> seen;
  for (int s = SDL_SCANCODE_A; s <= SDL_SCANCODE_0; ++s) {
    uint8_t d = ScancodeToDik(s);
    EXPECT_NE(d, 0) << "scancode " << s;
    seen.insert(d);
  }
  EXPECT_EQ(seen.size(), 36u) << "two keys share a code";
}

TEST(SdlKeymap, EntriesAgreeWithLookup) {
  size_t count = 0;
  for (const KeyMapEntry& e : KeyMapEntries()) {
    EXPECT_EQ(ScancodeToDik(e.Scancode), e.Dik);
    ++count;
  }
  EXPECT_GT(count, 100u);
}

TEST(SdlPadMap, DpadGivesPovInHundredthsOfADegree) {
  EXPECT_EQ(PovFromDpad(false, false, false, false), kPovCentred);
  EXPECT_EQ(PovFromDpad(true, false, false, false), 0u);
  EXPECT_EQ(PovFromDpad(false, false, false, true), 9000u);
  EXPECT_EQ(PovFromDpad(false, true, false, false), 18000u);
  EXPECT_EQ(PovFromDpad(false, false, true, false), 27000u);
  EXPECT_EQ(PovFromDpad(true, false, false, true), 4500u);
  EXPECT_EQ(PovFromDpad(false, true, false, true), 13500u);
  EXPECT_EQ(PovFromDpad(false, true, true, false), 22500u);
  EXPECT_EQ(PovFromDpad(true, false, true, false), 31500u);
}

TEST(SdlPadMap, OppositeDirectionsCancel) {
  EXPECT_EQ(PovFromDpad(true, true, false, false), kPovCentred);
  EXPECT_EQ(PovFromDpad(false, false, true, true), kPovCentred);
  EXPECT_EQ(PovFromDpad(true, true, false, true), 9000u);
  EXPECT_EQ(PovFromDpad(true, true, true, true), kPovCentred);
}

}  // namespace
}  // namespace vuzed
