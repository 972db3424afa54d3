#pragma once
// Numbers and strings for the tool's JSON lines: the shortest decimal text
// that reads back to the same value (single-precision fields as float);
// non-finite values are null.

#include <cstdint>
#include <string>
#include <string_view>

namespace vuzed {

std::string JsonNumber(float value);
std::string JsonNumber(double value);
std::string JsonNumber(int64_t value);
std::string JsonString(std::string_view text);

}  // namespace vuzed
