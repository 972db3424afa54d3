#include "raster.h"

#include <algorithm>
#include <cmath>

namespace vuzed::pictures {

Rgba Mix(const Rgba& a, const Rgba& b, float t) {
  return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t, a.A + (b.A - a.A) * t};
}

Rgba Scaled(const Rgba& c, float k) { return {c.R * k, c.G * k, c.B * k, c.A}; }

Mask::Mask(int width, int height, float value)
    : Width_(width), Height_(height), V_(size_t(width) * size_t(height), value) {}

float Mask::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width_ || y >= Height_) return 0;
  return V_[size_t(y) * size_t(Width_) + size_t(x)];
}

Mask& Mask::Union(const Mask& o) {
  for (size_t i = 0; i < V_.size(); ++i) V_[i] = std::max(V_[i], o.V_[i]);
  return *this;
}

Mask& Mask::Subtract(const Mask& o) {
  for (size_t i = 0; i < V_.size(); ++i) V_[i] *= 1 - o.V_[i];
  return *this;
}

Mask& Mask::Intersect(const Mask& o) {
  for (size_t i = 0; i < V_.size(); ++i) V_[i] = std::min(V_[i], o.V_[i]);
  return *this;
}

Mask& Mask::Scale(float k) {
  for (float& v : V_) v = std::clamp(v * k, 0.f, 1.f);
  return *this;
}

Mask Mask::Dilated(float radius) const {
  Mask out(Width_, Height_);
  const int r = int(std::ceil(radius));
  for (int y = 0; y < Height_; ++y)
    for (int x = 0; x < Width_; ++x) {
      float best = 0;
      for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
          // Partial weight at the rim keeps the grown edge smooth.
          const float d = std::sqrt(float(dx * dx + dy * dy));
          const float w = std::clamp(radius + 0.5f - d, 0.f, 1.f);
          if (w > 0) best = std::max(best, At(x + dx, y + dy) * w);
        }
      out(x, y) = best;
    }
  return out;
}

Mask Mask::Blurred(int radius) const {
  Mask a = *this;
  if (radius <= 0) return a;
  Mask b(Width_, Height_);
  const float norm = 1.f / float(2 * radius + 1);
  for (int pass = 0; pass < 3; ++pass) {
    for (int y = 0; y < Height_; ++y)
      for (int x = 0; x < Width_; ++x) {
        float s = 0;
        for (int k = -radius; k <= radius; ++k) s += a.At(x + k, y);
        b(x, y) = s * norm;
      }
    for (int y = 0; y < Height_; ++y)
      for (int x = 0; x < Width_; ++x) {
        float s = 0;
        for (int k = -radius; k <= radius; ++k) s += b.At(x, y + k);
        a(x, y) = s * norm;
      }
  }
  return a;
}

Mask Mask::Shifted(int dx, int dy) const {
  Mask out(Width_, Height_);
  for (int y = 0; y < Height_; ++y)
    for (int x = 0; x < Width_; ++x) out(x, y) = At(x - dx, y - dy);
  return out;
}

Paint Solid(const Rgba& c) {
  return [c](float, float) { return c; };
}

Paint Linear(float x0, float y0, const Rgba& c0, float x1, float y1, const Rgba& c1) {
  return LinearStops(x0, y0, x1, y1, {c0, c1});
}

Paint Radial(float cx, float cy, float radius, const Rgba& inner, const Rgba& outer) {
  return [=](float x, float y) {
    const float t = std::clamp(std::hypot(x - cx, y - cy) / radius, 0.f, 1.f);
    return Mix(inner, outer, t);
  };
}

Paint LinearStops(float x0, float y0, float x1, float y1, std::vector<Rgba> stops) {
  const float dx = x1 - x0, dy = y1 - y0;
  const float len2 = std::max(dx * dx + dy * dy, 1e-6f);
  return [=](float x, float y) {
    const float t = std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.f, 1.f);
    if (stops.size() == 1) return stops[0];
    const float f = t * float(stops.size() - 1);
    const size_t i = std::min(size_t(f), stops.size() - 2);
    return Mix(stops[i], stops[i + 1], f - float(i));
  };
}

Canvas::Canvas(int width, int height)
    : Width_(width), Height_(height), Px_(size_t(width) * size_t(height), Rgba{0, 0, 0, 0}) {}

void Canvas::Fill(const Paint& paint) {
  Draw(Mask(Width_, Height_, 1), paint);
}

void Canvas::Draw(const Mask& mask, const Paint& paint, float opacity) {
  for (int y = 0; y < Height_; ++y)
    for (int x = 0; x < Width_; ++x) {
      const float m = mask.At(x, y) * opacity;
      if (m <= 0) continue;
      const Rgba c = paint(float(x) + 0.5f, float(y) + 0.5f);
      const float a = std::clamp(c.A * m, 0.f, 1.f);
      Rgba& p = At(x, y);
      p.R = c.R * a + p.R * (1 - a);
      p.G = c.G * a + p.G * (1 - a);
      p.B = c.B * a + p.B * (1 - a);
      p.A = a + p.A * (1 - a);
    }
}

void Canvas::Glow(const Mask& mask, const Paint& paint, float gain) {
  for (int y = 0; y < Height_; ++y)
    for (int x = 0; x < Width_; ++x) {
      const float m = mask.At(x, y) * gain;
      if (m <= 0) continue;
      const Rgba c = paint(float(x) + 0.5f, float(y) + 0.5f);
      const float a = c.A * m;
      Rgba& p = At(x, y);
      p.R = std::min(p.R + c.R * a, 1.f);
      p.G = std::min(p.G + c.G * a, 1.f);
      p.B = std::min(p.B + c.B * a, 1.f);
      p.A = std::min(p.A + a, 1.f);
    }
}

void Canvas::Stamp(const Canvas& other, int ox, int oy) {
  for (int y = 0; y < other.Height_; ++y)
    for (int x = 0; x < other.Width_; ++x) {
      const int tx = x + ox, ty = y + oy;
      if (tx < 0 || ty < 0 || tx >= Width_ || ty >= Height_) continue;
      const Rgba& s = other.At(x, y);
      Rgba& p = At(tx, ty);
      p.R = s.R + p.R * (1 - s.A);
      p.G = s.G + p.G * (1 - s.A);
      p.B = s.B + p.B * (1 - s.A);
      p.A = s.A + p.A * (1 - s.A);
    }
}

Mask Canvas::Coverage() const {
  Mask m(Width_, Height_);
  for (int y = 0; y < Height_; ++y)
    for (int x = 0; x < Width_; ++x) m(x, y) = At(x, y).A;
  return m;
}

}  // namespace vuzed::pictures
