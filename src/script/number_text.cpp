#include "script/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace vuzed {
namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Appends |value| (finite, not zero) rounded to 15 significant digits in
// fixed notation.
void AppendFixedDigits(std::string& out, double value) {
  char buffer[48];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                 std::chars_format::scientific, 14);
  (void)ec;  // 15 digits and an exponent always fit
  // buffer: "D.DDDDDDDDDDDDDDe+XX"
  std::string_view scientific(buffer, std::size_t(end - buffer));
  std::size_t e = scientific.find('e');
  std::string digits(1, scientific[0]);
  digits.append(scientific.substr(2, e - 2));
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  int exponent = 0;
  std::string_view exponentText = scientific.substr(e + 1);
  bool negativeExponent = exponentText.front() == '-';
  exponentText.remove_prefix(1);
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
  if (negativeExponent) exponent = -exponent;

  if (exponent >= 0) {
    std::size_t integerDigits = std::size_t(exponent) + 1;
    if (digits.size() <= integerDigits) {
      out += digits;
      out.append(integerDigits - digits.size(), '0');
    } else {
      out.append(digits, 0, integerDigits);
      out += '.';
      out.append(digits, integerDigits, std::string::npos);
    }
  } else {
    out += "0.";
    out.append(std::size_t(-exponent - 1), '0');
    out += digits;
  }
}

std::string FormatFinite(float value) {
  if (value == 0) return "0";
  std::string out;
  if (value < 0) out += '-';
  AppendFixedDigits(out, double(value));
  return out;
}

// For a syntactically valid unsigned number that does not fit a double:
// whether its magnitude is large (infinity) rather than small (zero).
bool TooLarge(std::string_view text) {
  std::size_t i = 0;
  long position = 0;  // decimal exponent of the first significant digit, plus one
  bool seenSignificant = false;
  bool inFraction = false;
  for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
    char c = text[i];
    if (c == '.') {
      inFraction = true;
    } else if (!seenSignificant && c == '0') {
      if (inFraction) --position;
    } else if (!seenSignificant) {
      seenSignificant = true;
      if (!inFraction) ++position;
    } else if (!inFraction) {
      ++position;
    }
  }
  long exponent = 0;
  bool negative = false;
  if (i < text.size()) {
    ++i;
    if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
    for (; i < text.size(); ++i) exponent = std::min(exponent * 10 + (text[i] - '0'), 100000L);
  }
  return position + (negative ? -exponent : exponent) > 0;
}

}  // namespace

std::string FormatNumberText(float value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  return FormatFinite(value);
}

std::string FormatEvalNumber(float value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  return FormatFinite(value);
}

bool ParseNumberText(std::string_view text, float& value) {
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text == "INF" || text == "NAN") {
    value = text == "INF" ? kInfinity : kNaN;
    if (negative) value = -value;
    return true;
  }
  std::size_t i = 0;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponentDigits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  if (i != text.size()) return false;

  double parsed = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (ec == std::errc::result_out_of_range) {
    parsed = TooLarge(text) ? double(kInfinity) : 0.0;
  } else if (ec != std::errc() || end != text.data() + text.size()) {
    return false;
  }
  value = ToSingle(negative ? -parsed : parsed);
  return true;
}

}  // namespace vuzed
