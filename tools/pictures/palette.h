#pragma once
// The game's colours: a night sky of deep indigo and violet, lit by lantern
// gold, with cyan and rose as the two accents. Every family of pictures
// draws from here so screens and sprites belong together.

#include <array>

#include "raster.h"

namespace vuzed::pictures::palette {

constexpr Rgba Night = Hex(0x0E0B26);
constexpr Rgba Dusk = Hex(0x2A1F5C);
constexpr Rgba Violet = Hex(0x6B4FC8);
constexpr Rgba Lavender = Hex(0xB9A6FF);
constexpr Rgba Gold = Hex(0xFFD36E);
constexpr Rgba Amber = Hex(0xFF9F43);
constexpr Rgba Cyan = Hex(0x6EE7FF);
constexpr Rgba Rose = Hex(0xFF6E9C);
constexpr Rgba Mint = Hex(0x7CF0B0);
constexpr Rgba Ivory = Hex(0xFFF6E0);
constexpr Rgba White = Hex(0xFFFFFF);
// The dark edge every keyed sprite is blended onto.
constexpr Rgba Outline = Hex(0x1A1238);

// Bullet colours by the last digit of the picture number.
constexpr std::array<Rgba, 10> Bullet{Hex(0xFF4D5E), Hex(0xFF9A3C), Hex(0xFFE14D), Hex(0x5CE68A), Hex(0x4DE1FF),
                                      Hex(0x4D7DFF), Hex(0xA15CFF), Hex(0xFF6EC7), Hex(0xE8F0FF), Hex(0x8C96AA)};

}  // namespace vuzed::pictures::palette
