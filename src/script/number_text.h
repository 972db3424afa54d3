#pragma once
// The number text of script expressions: how the evaluators read numbers and
// write intermediate values back, and how `vuzed-tool eval` prints results.
//
// Syntax read: an optional sign, digits with an optional "." and fraction (at
// least one digit in all), an optional exponent ("E" or "e", optional sign,
// digits); or an optional sign and "INF" or "NAN" (the forms written for
// values that are not finite). Nothing else, no blanks. The text is read as a
// double, correctly rounded, and then rounded to single; a text too large for
// a double reads as infinity, one too small as zero.
//
// Form written: the value as a double rounded to 15 significant digits, in
// fixed notation whatever its size (a value of 10^-7 or 10^20 keeps its exact
// digits instead of becoming scientific notation, whose exponent sign a later
// step would take for an operator), "." as decimal point, no trailing zeros
// and no trailing ".", "-" only before a value below zero (zero is "0").

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace vuzed {

// The text an evaluator writes back for an intermediate value; infinities
// are "INF" and "-INF", a NaN is "NAN".
std::string FormatNumberText(float value);

// `vuzed-tool eval`'s form: the same digits, and "inf", "-inf", "nan".
std::string FormatEvalNumber(float value);

// True when the whole text is a number; value receives it.
bool ParseNumberText(std::string_view text, float& value);

// What writing a value back and reading it again gives: for every value
// other than zero 15 significant digits (or INF) identify the single
// exactly, and zero of either sign reads back as +0 (adding +0 does just
// that). A NaN stays a NaN; which NaN does not matter, as no result but a
// NaN depends on it.
inline float TextRoundTrip(float value) { return value + 0.0f; }

// A double rounded to single; values beyond the largest single round as
// IEEE arithmetic does (to that value, or to infinity from its midpoint on).
inline float ToSingle(double value) {
  constexpr double kRoundsToInfinity = 0x1.ffffffp127;  // midpoint above the largest single
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  if (value >= kRoundsToInfinity) return kInfinity;
  if (value <= -kRoundsToInfinity) return -kInfinity;
  if (value > FLT_MAX) return FLT_MAX;
  if (value < -FLT_MAX) return -FLT_MAX;
  return float(value);
}

}  // namespace vuzed
