#pragma once
// Text helpers with which every script interpreter takes its compiled lines
// apart, and the corner helper of every sprite Draw.
//
// Positions are 1-based, every search finds the first occurrence, and a token
// that is not found gives an empty result: these helpers never fail.
// Case-insensitive comparisons fold ASCII letters only (Shift-JIS second bytes
// are never touched).

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace vuzed {

// True when `text` is not empty and begins with `prefix`, ignoring ASCII case.
// Interpreters test their commands in order, so a longer keyword must be
// tested before a shorter one that begins it ("MOVETO" before "MOVE").
bool StartsWithText(std::string_view prefix, std::string_view text);

// The n-th text enclosed by `open` ... `close`: find `open`, then the first
// `close` after it; the next search starts right after that `close`. With
// fewer than n matches the last match found is returned (empty when none;
// also empty for n < 1 or an empty token).
std::string GetBetween(std::string_view text, std::string_view open, std::string_view close, int n);

// Field n (from 1) of a comma-separated text. A text without a separator is
// its own field 1. Asking past the last field gives the last field that was
// ended by a separator ("a,b" field 3 is "a"; "a" field 2 is empty).
// n < 1 gives an empty text.
std::string GetItem(std::string_view text, int n);
// The same with a separator of the caller's choice.
std::string GetItemSep(std::string_view text, char separator, int n);

// The text strictly inside the first `open` and the `close` that balances it.
// Depth is counted on the tokens as given, scanning left to right: with open
// "RANDOM(" an inner "(" does not nest but an inner ")" closes. When the two
// tokens are the same, the next one closes. On success `endPos` receives the
// 1-based position of the last character of the balancing `close`; when
// there is no `open` or the depth never returns to zero the result is empty
// and `endPos` is left alone.
std::string GetBracket(std::string_view text, std::string_view open, std::string_view close,
                       std::size_t& endPos);

}  // namespace vuzed
