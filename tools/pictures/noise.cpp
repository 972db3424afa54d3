#include "noise.h"

#include <cmath>

namespace vuzed::pictures {
namespace {

int32_t Wrap(int32_t v, int period) {
  if (period <= 0) return v;
  const int32_t m = v % period;
  return m < 0 ? m + period : m;
}

float Smooth(float t) { return t * t * (3.f - 2.f * t); }

}  // namespace

float Hash01(int32_t x, int32_t y, uint32_t seed) {
  uint32_t h = uint32_t(x) * 0x8da6b343u ^ uint32_t(y) * 0xd8163841u ^ seed * 0xcb1ab31fu;
  h ^= h >> 15;
  h *= 0x2c1b3c6du;
  h ^= h >> 12;
  h *= 0x297a2d39u;
  h ^= h >> 15;
  return float(h & 0xFFFFFFu) / float(0xFFFFFF);
}

float ValueNoise(float x, float y, uint32_t seed, int period) {
  const float fx = std::floor(x), fy = std::floor(y);
  const int32_t ix = int32_t(fx), iy = int32_t(fy);
  const float tx = Smooth(x - fx), ty = Smooth(y - fy);
  auto h = [&](int32_t dx, int32_t dy) { return Hash01(Wrap(ix + dx, period), Wrap(iy + dy, period), seed); };
  const float a = h(0, 0) + (h(1, 0) - h(0, 0)) * tx;
  const float b = h(0, 1) + (h(1, 1) - h(0, 1)) * tx;
  return a + (b - a) * ty;
}

float Fbm(float x, float y, uint32_t seed, int octaves, int period) {
  float sum = 0, weight = 0.5f, total = 0, scale = 1;
  for (int i = 0; i < octaves; ++i) {
    sum += ValueNoise(x * scale, y * scale, seed + uint32_t(i) * 101u, period > 0 ? period * int(scale) : 0) * weight;
    total += weight;
    weight *= 0.5f;
    scale *= 2;
  }
  return sum / total;
}

}  // namespace vuzed::pictures
