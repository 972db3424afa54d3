#include "engine/platform/json_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace vuzed {

namespace {
template <typename T>
std::string Shortest(T value) {
  if (!std::isfinite(value)) return "null";
  if (value == 0) return "0";  // also for -0
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (ec != std::errc()) return "null";
  return std::string(buffer, end);
}
}  // namespace

std::string JsonNumber(float value) { return Shortest(value); }
std::string JsonNumber(double value) { return Shortest(value); }
std::string JsonNumber(int64_t value) { return std::to_string(value); }

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char esc[8];
          std::snprintf(esc, sizeof esc, "\\u%04x", c);
          out += esc;
        } else {
          out += char(c);
        }
    }
  }
  out += '"';
  return out;
}

}  // namespace vuzed
