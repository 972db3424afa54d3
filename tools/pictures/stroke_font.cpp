// The stroke alphabet used when no font face is found. Each glyph is a set of
// polylines on a grid 4 units wide and 6 high (y down, 6 on the baseline);
// polylines are separated by ';', points by ',', a point is "x y".
#include <algorithm>
#include <cctype>
#include <string_view>

#include "shapes.h"
#include "text.h"

namespace vuzed::pictures {
namespace {

struct Glyph {
  char Letter;
  std::string_view Strokes;
};

constexpr Glyph Glyphs[] = {
    {'A', "0 6,0 2,2 0,4 2,4 6;0 4,4 4"},
    {'B', "0 6,0 0,3 0,4 1,3 3,0 3;3 3,4 4,4 5,3 6,0 6"},
    {'C', "4 0,1 0,0 1,0 5,1 6,4 6"},
    {'D', "0 0,0 6,3 6,4 5,4 1,3 0,0 0"},
    {'E', "4 0,0 0,0 6,4 6;0 3,3 3"},
    {'F', "4 0,0 0,0 6;0 3,3 3"},
    {'G', "4 1,3 0,1 0,0 1,0 5,1 6,3 6,4 5,4 3,2 3"},
    {'H', "0 0,0 6;4 0,4 6;0 3,4 3"},
    {'I', "1 0,3 0;2 0,2 6;1 6,3 6"},
    {'J', "4 0,4 5,3 6,1 6,0 5"},
    {'K', "0 0,0 6;4 0,0 4;1 3,4 6"},
    {'L', "0 0,0 6,4 6"},
    {'M', "0 6,0 0,2 3,4 0,4 6"},
    {'N', "0 6,0 0,4 6,4 0"},
    {'O', "1 0,3 0,4 1,4 5,3 6,1 6,0 5,0 1,1 0"},
    {'P', "0 6,0 0,3 0,4 1,4 2,3 3,0 3"},
    {'Q', "1 0,3 0,4 1,4 5,3 6,1 6,0 5,0 1,1 0;2 4,4 6"},
    {'R', "0 6,0 0,3 0,4 1,4 2,3 3,0 3;2 3,4 6"},
    {'S', "4 1,3 0,1 0,0 1,0 2,1 3,3 3,4 4,4 5,3 6,1 6,0 5"},
    {'T', "0 0,4 0;2 0,2 6"},
    {'U', "0 0,0 5,1 6,3 6,4 5,4 0"},
    {'V', "0 0,2 6,4 0"},
    {'W', "0 0,1 6,2 3,3 6,4 0"},
    {'X', "0 0,4 6;4 0,0 6"},
    {'Y', "0 0,2 3,4 0;2 3,2 6"},
    {'Z', "0 0,4 0,0 6,4 6"},
    {'0', "1 0,3 0,4 1,4 5,3 6,1 6,0 5,0 1,1 0;3 1,1 5"},
    {'1', "1 1,2 0,2 6;1 6,3 6"},
    {'2', "0 1,1 0,3 0,4 1,4 2,0 6,4 6"},
    {'3', "0 1,1 0,3 0,4 1,4 2,3 3,4 4,4 5,3 6,1 6,0 5;1 3,3 3"},
    {'4', "3 6,3 0,0 4,4 4"},
    {'5', "4 0,0 0,0 3,3 3,4 4,4 5,3 6,0 6"},
    {'6', "3 0,1 0,0 1,0 5,1 6,3 6,4 5,4 4,3 3,0 3"},
    {'7', "0 0,4 0,1 6"},
    {'8', "1 0,3 0,4 1,4 2,3 3,1 3,0 4,0 5,1 6,3 6,4 5,4 4,3 3;1 3,0 2,0 1,1 0"},
    {'9', "4 3,1 3,0 2,0 1,1 0,3 0,4 1,4 5,3 6,1 6"},
    {'.', "2 6,2 6"},
    {'-', "1 3,3 3"},
    {'!', "2 0,2 4;2 6,2 6"},
    {':', "2 2,2 2;2 5,2 5"},
};

// Unit size and pen advance per glyph (in units) for an em height.
float Unit(float size) { return size * 0.72f / 6.f; }
constexpr float AdvanceUnits = 5.5f;

const Glyph* Find(char c) {
  const char up = char(std::toupper(static_cast<unsigned char>(c)));
  for (const Glyph& g : Glyphs)
    if (g.Letter == up) return &g;
  return nullptr;
}

float Number(std::string_view& s) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  float v = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') v = v * 10 + float(s[i++] - '0');
  s.remove_prefix(i);
  return v;
}

}  // namespace

float MeasureStrokeText(std::string_view text, float size) {
  return float(text.size()) * AdvanceUnits * Unit(size);
}

float DrawStrokeText(Mask& into, std::string_view text, float x, float baseline, float size, bool bold) {
  const float u = Unit(size);
  const float radius = u * (bold ? 0.75f : 0.5f);
  float pen = x;
  for (char c : text) {
    if (const Glyph* g = Find(c)) {
      std::string_view rest = g->Strokes;
      while (!rest.empty()) {
        const size_t end = std::min(rest.find(';'), rest.size());
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        float px = -1, py = -1;
        while (!line.empty()) {
          const float gx = Number(line);
          const float gy = Number(line);
          if (!line.empty() && line[0] == ',') line.remove_prefix(1);
          const float sx = pen + u * (gx + 0.5f), sy = baseline - u * (6 - gy);
          if (px >= 0) into.Union(Rasterize(into.Width(), into.Height(), Capsule(px, py, sx, sy, radius)));
          else into.Union(Rasterize(into.Width(), into.Height(), Capsule(sx, sy, sx, sy, radius)));
          px = sx;
          py = sy;
        }
      }
    }
    pen += AdvanceUnits * u;
  }
  return pen - x;
}

}  // namespace vuzed::pictures
