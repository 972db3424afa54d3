#include "engine/input/key_map.h"

#include <algorithm>
#include <charconv>

#include "engine/input/dik_codes.h"
#include "engine/input/key_names.h"
#include "engine/platform/ascii_case.h"

namespace vuzed {
namespace {

// By TGameButton: the entry names and the defaults. The default pad buttons
// are the game's own button numbers (shot 0, bomb 1, slow 5, pause 3).
constexpr std::string_view kKeyEntry[kGameButtonCount] = {"Shot", "Bomb", "Slow", "Pause"};
constexpr std::string_view kPadEntry[kGameButtonCount] = {"ShotPad", "BombPad", "SlowPad", "PausePad"};
constexpr uint8_t kDefaultKey[kGameButtonCount] = {dik::Z, dik::X, dik::D, dik::P};
constexpr int kDefaultPad[kGameButtonCount] = {0, 1, 5, 3};
constexpr int kPadButtons = 32;

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string LowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return out;
}

std::optional<int> PadNumber(std::string_view text) {
  int n = -1;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || n < 0 || n >= kPadButtons)
    return std::nullopt;
  return n;
}

}  // namespace

TKeyMap TKeyMap::Defaults() {
  TKeyMap map{};
  for (int b = 0; b < kGameButtonCount; ++b) {
    map.Keys[size_t(b)] = kDefaultKey[b];
    map.PadButtons[size_t(b)] = kDefaultPad[b];
  }
  return map;
}

std::optional<TKeyMap> ParseKeyMap(std::span<const TKeyEntry> entries, std::string& error) {
  TKeyMap map = TKeyMap::Defaults();
  std::array<int, kGameButtonCount> keyLine{}, padLine{};  // where each entry was given, 0 = not given
  auto fail = [&error](int line, const std::string& text) {
    error = std::to_string(line) + ": " + text;
    return std::nullopt;
  };
  for (const TKeyEntry& entry : entries) {
    if (entry.Key.empty()) return fail(entry.Line, "expected NAME=VALUE, got " + Quoted(entry.Value));
    bool known = false;
    for (int b = 0; b < kGameButtonCount && !known; ++b) {
      const size_t i = size_t(b);
      if (SameTextIgnoringCase(entry.Key, kKeyEntry[b])) {
        known = true;
        if (keyLine[i]) return fail(entry.Line, std::string(kKeyEntry[b]) + " is given twice (first on line " +
                                                    std::to_string(keyLine[i]) + ")");
        const TKeyName* key = FindKeyName(LowerCase(entry.Value));
        if (!key) return fail(entry.Line, std::string(kKeyEntry[b]) + ": unknown key " + Quoted(entry.Value));
        if (!key->Assignable)
          return fail(entry.Line, std::string(kKeyEntry[b]) + ": the game keeps the key " + Quoted(entry.Value) +
                                      " for itself");
        map.Keys[i] = key->Dik;
        keyLine[i] = entry.Line;
      } else if (SameTextIgnoringCase(entry.Key, kPadEntry[b])) {
        known = true;
        if (padLine[i]) return fail(entry.Line, std::string(kPadEntry[b]) + " is given twice (first on line " +
                                                    std::to_string(padLine[i]) + ")");
        const std::optional<int> pad = PadNumber(entry.Value);
        if (!pad)
          return fail(entry.Line, std::string(kPadEntry[b]) + ": expected a pad button from 0 to 31, got " +
                                      Quoted(entry.Value));
        map.PadButtons[i] = *pad;
        padLine[i] = entry.Line;
      }
    }
    if (!known) return fail(entry.Line, "unknown entry " + Quoted(entry.Key));
  }
  // Two buttons on one key (or pad button), counting the defaults of those
  // not given: reported on the later line of the two that were written.
  for (int a = 0; a < kGameButtonCount; ++a) {
    for (int b = a + 1; b < kGameButtonCount; ++b) {
      const size_t i = size_t(a), j = size_t(b);
      if (map.Keys[i] == map.Keys[j]) {
        return fail(std::max(keyLine[i], keyLine[j]),
                    std::string(kKeyEntry[a]) + " and " + std::string(kKeyEntry[b]) + " are on the same key");
      }
      if (map.PadButtons[i] == map.PadButtons[j]) {
        return fail(std::max(padLine[i], padLine[j]), std::string(kPadEntry[a]) + " and " +
                                                          std::string(kPadEntry[b]) + " are on the same pad button");
      }
    }
  }
  return map;
}

}  // namespace vuzed
