#include "engine/input/key_names.h"

#include "engine/input/dik_codes.h"

namespace vuzed {
namespace {

constexpr TKeyName kKeyNames[] = {
    // Kept by the game: the arrows move, Esc pauses and goes back, F1 quits,
    // F3 to F5 fast-forward, F11 switches to full screen, F12 takes a screenshot.
    {"up", dik::UP, false},
    {"down", dik::DOWN, false},
    {"left", dik::LEFT, false},
    {"right", dik::RIGHT, false},
    {"esc", dik::ESCAPE, false},
    {"f1", dik::F1, false},
    {"f3", dik::F3, false},
    {"f4", dik::F4, false},
    {"f5", dik::F5, false},
    {"f11", dik::F11, false},
    {"f12", dik::F12, false},
    // Free for the game's buttons.
    {"a", dik::A, true}, {"b", dik::B, true}, {"c", dik::C, true}, {"d", dik::D, true},
    {"e", dik::E, true}, {"f", dik::F, true}, {"g", dik::G, true}, {"h", dik::H, true},
    {"i", dik::I, true}, {"j", dik::J, true}, {"k", dik::K, true}, {"l", dik::L, true},
    {"m", dik::M, true}, {"n", dik::N, true}, {"o", dik::O, true}, {"p", dik::P, true},
    {"q", dik::Q, true}, {"r", dik::R, true}, {"s", dik::S, true}, {"t", dik::T, true},
    {"u", dik::U, true}, {"v", dik::V, true}, {"w", dik::W, true}, {"x", dik::X, true},
    {"y", dik::Y, true}, {"z", dik::Z, true},
    {"0", dik::K0, true}, {"1", dik::K1, true}, {"2", dik::K2, true}, {"3", dik::K3, true},
    {"4", dik::K4, true}, {"5", dik::K5, true}, {"6", dik::K6, true}, {"7", dik::K7, true},
    {"8", dik::K8, true}, {"9", dik::K9, true},
    {"space", dik::SPACE, true},
    {"enter", dik::RETURN, true},
    {"tab", dik::TAB, true},
    {"backspace", dik::BACK, true},
    {"shift", dik::LSHIFT, true},
    {"rshift", dik::RSHIFT, true},
    {"ctrl", dik::LCONTROL, true},
    {"rctrl", dik::RCONTROL, true},
    {"alt", dik::LMENU, true},
    {"ralt", dik::RMENU, true},
    {"f2", dik::F2, true}, {"f6", dik::F6, true}, {"f7", dik::F7, true}, {"f8", dik::F8, true},
    {"f9", dik::F9, true}, {"f10", dik::F10, true},
    {"minus", dik::MINUS, true},
    {"equals", dik::EQUALS, true},
    {"lbracket", dik::LBRACKET, true},
    {"rbracket", dik::RBRACKET, true},
    {"semicolon", dik::SEMICOLON, true},
    {"apostrophe", dik::APOSTROPHE, true},
    {"grave", dik::GRAVE, true},
    {"backslash", dik::BACKSLASH, true},
    {"comma", dik::COMMA, true},
    {"period", dik::PERIOD, true},
    {"slash", dik::SLASH, true},
    {"insert", dik::INSERT, true},
    {"delete", dik::DELETE_, true},
    {"home", dik::HOME, true},
    {"end", dik::END, true},
    {"pageup", dik::PRIOR, true},
    {"pagedown", dik::NEXT, true},
};

constexpr bool EachKeyOnce() {
  for (size_t i = 0; i < std::size(kKeyNames); ++i)
    for (size_t j = i + 1; j < std::size(kKeyNames); ++j)
      if (kKeyNames[i].Dik == kKeyNames[j].Dik || kKeyNames[i].Name == kKeyNames[j].Name) return false;
  return true;
}
static_assert(EachKeyOnce(), "every key has one name and every name one key");

}  // namespace

std::span<const TKeyName> KeyNames() { return kKeyNames; }

const TKeyName* FindKeyName(std::string_view name) {
  for (const TKeyName& k : kKeyNames)
    if (k.Name == name) return &k;
  return nullptr;
}

}  // namespace vuzed
