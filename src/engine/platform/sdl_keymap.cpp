#include "engine/platform/sdl_keymap.h"

#include <SDL_scancode.h>

#include <array>

#include "engine/input/dik_codes.h"

namespace vuzed {
namespace {

// Published DIK codes the engine's own list does not name (keypad extras,
// system keys and the keys of Japanese and Brazilian keyboards).
namespace dikx {
constexpr uint8_t OEM_102 = 0x56;     // the extra key left of Z on 102-key boards
constexpr uint8_t F13 = 0x64, F14 = 0x65, F15 = 0x66;
constexpr uint8_t KANA = 0x70;
constexpr uint8_t ABNT_C1 = 0x73;     // "ro" on Japanese boards, "/?" on Brazilian ones
constexpr uint8_t CONVERT = 0x79;
constexpr uint8_t NOCONVERT = 0x7B;
constexpr uint8_t YEN = 0x7D;
constexpr uint8_t NUMPADEQUALS = 0x8D;
constexpr uint8_t NUMPADCOMMA = 0xB3;
constexpr uint8_t SYSRQ = 0xB7;
constexpr uint8_t PAUSE = 0xC5;
constexpr uint8_t LWIN = 0xDB, RWIN = 0xDC, APPS = 0xDD;
}  // namespace dikx

// Sorted by scancode.
constexpr KeyMapEntry kKeyMap[] = {
    {SDL_SCANCODE_A, dik::A},
    {SDL_SCANCODE_B, dik::B},
    {SDL_SCANCODE_C, dik::C},
    {SDL_SCANCODE_D, dik::D},
    {SDL_SCANCODE_E, dik::E},
    {SDL_SCANCODE_F, dik::F},
    {SDL_SCANCODE_G, dik::G},
    {SDL_SCANCODE_H, dik::H},
    {SDL_SCANCODE_I, dik::I},
    {SDL_SCANCODE_J, dik::J},
    {SDL_SCANCODE_K, dik::K},
    {SDL_SCANCODE_L, dik::L},
    {SDL_SCANCODE_M, dik::M},
    {SDL_SCANCODE_N, dik::N},
    {SDL_SCANCODE_O, dik::O},
    {SDL_SCANCODE_P, dik::P},
    {SDL_SCANCODE_Q, dik::Q},
    {SDL_SCANCODE_R, dik::R},
    {SDL_SCANCODE_S, dik::S},
    {SDL_SCANCODE_T, dik::T},
    {SDL_SCANCODE_U, dik::U},
    {SDL_SCANCODE_V, dik::V},
    {SDL_SCANCODE_W, dik::W},
    {SDL_SCANCODE_X, dik::X},
    {SDL_SCANCODE_Y, dik::Y},
    {SDL_SCANCODE_Z, dik::Z},
    {SDL_SCANCODE_1, dik::K1},
    {SDL_SCANCODE_2, dik::K2},
    {SDL_SCANCODE_3, dik::K3},
    {SDL_SCANCODE_4, dik::K4},
    {SDL_SCANCODE_5, dik::K5},
    {SDL_SCANCODE_6, dik::K6},
    {SDL_SCANCODE_7, dik::K7},
    {SDL_SCANCODE_8, dik::K8},
    {SDL_SCANCODE_9, dik::K9},
    {SDL_SCANCODE_0, dik::K0},
    {SDL_SCANCODE_RETURN, dik::RETURN},
    {SDL_SCANCODE_ESCAPE, dik::ESCAPE},
    {SDL_SCANCODE_BACKSPACE, dik::BACK},
    {SDL_SCANCODE_TAB, dik::TAB},
    {SDL_SCANCODE_SPACE, dik::SPACE},
    {SDL_SCANCODE_MINUS, dik::MINUS},
    {SDL_SCANCODE_EQUALS, dik::EQUALS},
    {SDL_SCANCODE_LEFTBRACKET, dik::LBRACKET},
    {SDL_SCANCODE_RIGHTBRACKET, dik::RBRACKET},
    {SDL_SCANCODE_BACKSLASH, dik::BACKSLASH},
    {SDL_SCANCODE_NONUSHASH, dik::BACKSLASH},
    {SDL_SCANCODE_SEMICOLON, dik::SEMICOLON},
    {SDL_SCANCODE_APOSTROPHE, dik::APOSTROPHE},
    {SDL_SCANCODE_GRAVE, dik::GRAVE},
    {SDL_SCANCODE_COMMA, dik::COMMA},
    {SDL_SCANCODE_PERIOD, dik::PERIOD},
    {SDL_SCANCODE_SLASH, dik::SLASH},
    {SDL_SCANCODE_CAPSLOCK, dik::CAPITAL},
    {SDL_SCANCODE_F1, dik::F1},
    {SDL_SCANCODE_F2, dik::F2},
    {SDL_SCANCODE_F3, dik::F3},
    {SDL_SCANCODE_F4, dik::F4},
    {SDL_SCANCODE_F5, dik::F5},
    {SDL_SCANCODE_F6, dik::F6},
    {SDL_SCANCODE_F7, dik::F7},
    {SDL_SCANCODE_F8, dik::F8},
    {SDL_SCANCODE_F9, dik::F9},
    {SDL_SCANCODE_F10, dik::F10},
    {SDL_SCANCODE_F11, dik::F11},
    {SDL_SCANCODE_F12, dik::F12},
    {SDL_SCANCODE_PRINTSCREEN, dikx::SYSRQ},
    {SDL_SCANCODE_SCROLLLOCK, dik::SCROLL},
    {SDL_SCANCODE_PAUSE, dikx::PAUSE},
    {SDL_SCANCODE_INSERT, dik::INSERT},
    {SDL_SCANCODE_HOME, dik::HOME},
    {SDL_SCANCODE_PAGEUP, dik::PRIOR},
    {SDL_SCANCODE_DELETE, dik::DELETE_},
    {SDL_SCANCODE_END, dik::END},
    {SDL_SCANCODE_PAGEDOWN, dik::NEXT},
    {SDL_SCANCODE_RIGHT, dik::RIGHT},
    {SDL_SCANCODE_LEFT, dik::LEFT},
    {SDL_SCANCODE_DOWN, dik::DOWN},
    {SDL_SCANCODE_UP, dik::UP},
    {SDL_SCANCODE_NUMLOCKCLEAR, dik::NUMLOCK},
    {SDL_SCANCODE_KP_DIVIDE, dik::DIVIDE},
    {SDL_SCANCODE_KP_MULTIPLY, dik::MULTIPLY},
    {SDL_SCANCODE_KP_MINUS, dik::SUBTRACT},
    {SDL_SCANCODE_KP_PLUS, dik::ADD},
    {SDL_SCANCODE_KP_ENTER, dik::NUMPADENTER},
    {SDL_SCANCODE_KP_1, dik::NUMPAD1},
    {SDL_SCANCODE_KP_2, dik::NUMPAD2},
    {SDL_SCANCODE_KP_3, dik::NUMPAD3},
    {SDL_SCANCODE_KP_4, dik::NUMPAD4},
    {SDL_SCANCODE_KP_5, dik::NUMPAD5},
    {SDL_SCANCODE_KP_6, dik::NUMPAD6},
    {SDL_SCANCODE_KP_7, dik::NUMPAD7},
    {SDL_SCANCODE_KP_8, dik::NUMPAD8},
    {SDL_SCANCODE_KP_9, dik::NUMPAD9},
    {SDL_SCANCODE_KP_0, dik::NUMPAD0},
    {SDL_SCANCODE_KP_PERIOD, dik::DECIMAL},
    {SDL_SCANCODE_NONUSBACKSLASH, dikx::OEM_102},
    {SDL_SCANCODE_APPLICATION, dikx::APPS},
    {SDL_SCANCODE_KP_EQUALS, dikx::NUMPADEQUALS},
    {SDL_SCANCODE_F13, dikx::F13},
    {SDL_SCANCODE_F14, dikx::F14},
    {SDL_SCANCODE_F15, dikx::F15},
    {SDL_SCANCODE_KP_COMMA, dikx::NUMPADCOMMA},
    {SDL_SCANCODE_INTERNATIONAL1, dikx::ABNT_C1},
    {SDL_SCANCODE_INTERNATIONAL2, dikx::KANA},
    {SDL_SCANCODE_INTERNATIONAL3, dikx::YEN},
    {SDL_SCANCODE_INTERNATIONAL4, dikx::CONVERT},
    {SDL_SCANCODE_INTERNATIONAL5, dikx::NOCONVERT},
    {SDL_SCANCODE_LCTRL, dik::LCONTROL},
    {SDL_SCANCODE_LSHIFT, dik::LSHIFT},
    {SDL_SCANCODE_LALT, dik::LMENU},
    {SDL_SCANCODE_LGUI, dikx::LWIN},
    {SDL_SCANCODE_RCTRL, dik::RCONTROL},
    {SDL_SCANCODE_RSHIFT, dik::RSHIFT},
    {SDL_SCANCODE_RALT, dik::RMENU},
    {SDL_SCANCODE_RGUI, dikx::RWIN},
};

constexpr bool SortedAndValid() {
  for (size_t i = 0; i < std::size(kKeyMap); ++i) {
    if (kKeyMap[i].Dik == 0 || kKeyMap[i].Scancode <= 0 || kKeyMap[i].Scancode >= SDL_NUM_SCANCODES)
      return false;
    if (i > 0 && kKeyMap[i - 1].Scancode >= kKeyMap[i].Scancode) return false;
  }
  return true;
}
static_assert(SortedAndValid(), "key map entries must be unique, sorted by scancode and mapped");

constexpr std::array<uint8_t, SDL_NUM_SCANCODES> MakeLookup() {
  std::array<uint8_t, SDL_NUM_SCANCODES> table{};
  for (const KeyMapEntry& e : kKeyMap) table[size_t(e.Scancode)] = e.Dik;
  return table;
}
constexpr std::array<uint8_t, SDL_NUM_SCANCODES> kLookup = MakeLookup();

}  // namespace

std::span<const KeyMapEntry> KeyMapEntries() { return kKeyMap; }

uint8_t ScancodeToDik(int scancode) {
  if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return 0;
  return kLookup[size_t(scancode)];
}

}  // namespace vuzed
