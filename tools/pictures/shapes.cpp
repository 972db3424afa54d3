#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vuzed::pictures {
namespace {

constexpr float Rad = std::numbers::pi_v<float> / 180.f;

// (x, y) relative to (cx, cy), turned back by angle degrees.
Point Local(float x, float y, float cx, float cy, float angle) {
  const float c = std::cos(-angle * Rad), s = std::sin(-angle * Rad);
  const float dx = x - cx, dy = y - cy;
  return {dx * c - dy * s, dx * s + dy * c};
}

}  // namespace

Mask Rasterize(int width, int height, const Sdf& shape) {
  Mask m(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) m(x, y) = std::clamp(0.5f - shape(float(x) + 0.5f, float(y) + 0.5f), 0.f, 1.f);
  return m;
}

Mask SoftRasterize(int width, int height, const Sdf& shape, float falloff) {
  Mask m(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const float d = shape(float(x) + 0.5f, float(y) + 0.5f);
      const float t = std::clamp(1.f - d / falloff, 0.f, 1.f);
      m(x, y) = d <= 0 ? 1.f : t * t;
    }
  return m;
}

Sdf Circle(float cx, float cy, float r) {
  return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}

Sdf Ellipse(float cx, float cy, float rx, float ry, float angle) {
  return [=](float x, float y) {
    const Point p = Local(x, y, cx, cy, angle);
    const float k = std::hypot(p.X / rx, p.Y / ry);
    // Distance along the gradient of the implicit function: close enough at the edge.
    const float gx = p.X / (rx * rx), gy = p.Y / (ry * ry);
    const float g = std::hypot(gx, gy);
    if (g < 1e-6f) return -std::min(rx, ry);
    return (k - 1.f) * k / g;
  };
}

Sdf Box(float cx, float cy, float hw, float hh, float radius, float angle) {
  return [=](float x, float y) {
    const Point p = Local(x, y, cx, cy, angle);
    const float qx = std::abs(p.X) - hw + radius, qy = std::abs(p.Y) - hh + radius;
    const float outside = std::hypot(std::max(qx, 0.f), std::max(qy, 0.f));
    return outside + std::min(std::max(qx, qy), 0.f) - radius;
  };
}

Sdf Capsule(float x0, float y0, float x1, float y1, float r) {
  return [=](float x, float y) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = std::max(dx * dx + dy * dy, 1e-6f);
    const float t = std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.f, 1.f);
    return std::hypot(x - x0 - dx * t, y - y0 - dy * t) - r;
  };
}

Sdf Polygon(std::vector<Point> v) {
  return [v = std::move(v)](float x, float y) {
    float d2 = 1e30f;
    bool inside = false;
    const size_t n = v.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
      const float ex = v[j].X - v[i].X, ey = v[j].Y - v[i].Y;
      const float wx = x - v[i].X, wy = y - v[i].Y;
      const float t = std::clamp((wx * ex + wy * ey) / std::max(ex * ex + ey * ey, 1e-9f), 0.f, 1.f);
      const float bx = wx - ex * t, by = wy - ey * t;
      d2 = std::min(d2, bx * bx + by * by);
      // Crossing count of a ray to the right.
      if ((v[i].Y > y) != (v[j].Y > y) && x < (v[j].X - v[i].X) * (y - v[i].Y) / (v[j].Y - v[i].Y) + v[i].X)
        inside = !inside;
    }
    const float d = std::sqrt(d2);
    return inside ? -d : d;
  };
}

std::vector<Point> StarPoints(float cx, float cy, float ro, float ri, int n, float angle) {
  std::vector<Point> p;
  for (int i = 0; i < 2 * n; ++i) {
    const float a = (angle + 180.f * float(i) / float(n)) * Rad;
    const float r = i % 2 == 0 ? ro : ri;
    p.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
  }
  return p;
}

Sdf Star(float cx, float cy, float ro, float ri, int n, float angle) {
  return Polygon(StarPoints(cx, cy, ro, ri, n, angle));
}

Sdf Ring(float cx, float cy, float r, float thickness) {
  return [=](float x, float y) { return std::abs(std::hypot(x - cx, y - cy) - r) - thickness / 2; };
}

Sdf Union(Sdf a, Sdf b) {
  return [a = std::move(a), b = std::move(b)](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

Sdf Subtract(Sdf a, Sdf b) {
  return [a = std::move(a), b = std::move(b)](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

Sdf Intersect(Sdf a, Sdf b) {
  return [a = std::move(a), b = std::move(b)](float x, float y) { return std::max(a(x, y), b(x, y)); };
}

Sdf Grow(Sdf a, float by) {
  return [a = std::move(a), by](float x, float y) { return a(x, y) - by; };
}

}  // namespace vuzed::pictures
