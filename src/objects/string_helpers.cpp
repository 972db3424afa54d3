#include "objects/string_helpers.h"

#include <cmath>
#include <numbers>

#include "engine/platform/ascii_case.h"

namespace vuzed {

bool StartsWithText(std::string_view prefix, std::string_view text) {
  if (text.empty() || text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (AsciiUpper(prefix[i]) != AsciiUpper(text[i])) return false;
  }
  return true;
}

std::string GetBetween(std::string_view text, std::string_view open, std::string_view close, int n) {
  std::string_view match;
  if (open.empty() || close.empty()) return {};
  std::size_t from = 0;
  for (int i = 0; i < n; ++i) {
    std::size_t o = text.find(open, from);
    if (o == std::string_view::npos) break;
    std::size_t inner = o + open.size();
    std::size_t c = text.find(close, inner);
    if (c == std::string_view::npos) break;
    match = text.substr(inner, c - inner);
    from = c + close.size();
  }
  return std::string(match);
}

std::string GetItemSep(std::string_view text, char separator, int n) {
  std::string_view result;
  std::string_view rest = text;
  for (int i = 1; i <= n; ++i) {
    std::size_t p = rest.find(separator);
    if (p == std::string_view::npos) {
      // The unterminated tail counts only when it is exactly the field asked for.
      if (i == n) result = rest;
      break;
    }
    result = rest.substr(0, p);
    rest.remove_prefix(p + 1);
  }
  return std::string(result);
}

std::string GetItem(std::string_view text, int n) { return GetItemSep(text, ',', n); }

std::string GetBracket(std::string_view text, std::string_view open, std::string_view close,
                       std::size_t& endPos) {
  if (open.empty() || close.empty()) return {};
  std::size_t start = text.find(open);
  if (start == std::string_view::npos) return {};
  std::size_t inner = start + open.size();
  const bool sameTokens = open == close;
  int depth = 1;
  std::size_t i = inner;
  while (i < text.size()) {
    std::string_view here = text.substr(i);
    if (!sameTokens && here.starts_with(open)) {
      ++depth;
      i += open.size();
    } else if (here.starts_with(close)) {
      if (--depth == 0) {
        endPos = i + close.size();  // 1-based position of the token's last character
        return std::string(text.substr(inner, i - inner));
      }
      i += close.size();
    } else {
      ++i;
    }
  }
  return {};
}

}  // namespace vuzed
