#pragma once
// Case folding of the game's names: ASCII letters only, no other byte is
// ever changed. (Text that may hold Shift-JIS must skip the second byte of a
// double-byte character itself before folding.)

#include <cstddef>
#include <string>
#include <string_view>

namespace vuzed {

constexpr char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

inline std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = AsciiUpper(c);
  return upper;
}

// Equal when they differ at most in the case of ASCII letters.
constexpr bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

}  // namespace vuzed
