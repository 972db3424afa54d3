#pragma once
// The generator's drawing surface. A Mask is a grid of coverage values 0..1
// (what a shape or a line of text covers); a Canvas holds premultiplied RGBA
// floats and is painted through masks. Pixel (x, y) covers the square from
// (x, y) to (x + 1, y + 1); its centre is (x + 0.5, y + 0.5).

#include <cstdint>
#include <functional>
#include <vector>

namespace vuzed::pictures {

// A straight (not premultiplied) colour, channels 0..1.
struct Rgba {
  float R = 0, G = 0, B = 0, A = 1;
};

// 0xRRGGBB with an alpha.
constexpr Rgba Hex(uint32_t rgb, float a = 1) {
  return {float((rgb >> 16) & 255) / 255.f, float((rgb >> 8) & 255) / 255.f, float(rgb & 255) / 255.f, a};
}
Rgba Mix(const Rgba& a, const Rgba& b, float t);
Rgba Scaled(const Rgba& c, float k);  // RGB times k, alpha kept

class Mask {
 public:
  Mask(int width, int height, float value = 0);
  int Width() const { return Width_; }
  int Height() const { return Height_; }
  float At(int x, int y) const;  // 0 outside
  float& operator()(int x, int y) { return V_[size_t(y) * size_t(Width_) + size_t(x)]; }

  Mask& Union(const Mask& other);     // max
  Mask& Subtract(const Mask& other);  // this * (1 - other)
  Mask& Intersect(const Mask& other); // min
  Mask& Scale(float k);
  // Grown by radius pixels (maximum over a disc).
  Mask Dilated(float radius) const;
  // Softened: three box passes of the given radius each way (about Gaussian).
  Mask Blurred(int radius) const;
  Mask Shifted(int dx, int dy) const;

 private:
  int Width_, Height_;
  std::vector<float> V_;
};

// Colour at a point, in pixel coordinates.
using Paint = std::function<Rgba(float x, float y)>;
Paint Solid(const Rgba& c);
Paint Linear(float x0, float y0, const Rgba& c0, float x1, float y1, const Rgba& c1);
Paint Radial(float cx, float cy, float radius, const Rgba& inner, const Rgba& outer);
// Several colours spread evenly from (x0, y0) to (x1, y1).
Paint LinearStops(float x0, float y0, float x1, float y1, std::vector<Rgba> stops);

class Canvas {
 public:
  Canvas(int width, int height);  // fully transparent
  int Width() const { return Width_; }
  int Height() const { return Height_; }

  void Fill(const Paint& paint);
  // Source-over: the paint, times the mask's coverage and opacity, over what is there.
  void Draw(const Mask& mask, const Paint& paint, float opacity = 1);
  // Adds light: colour times coverage times gain is added, alpha grows likewise.
  void Glow(const Mask& mask, const Paint& paint, float gain = 1);
  // Places another canvas with its top-left corner at (x, y), source-over.
  void Stamp(const Canvas& other, int x, int y);

  // Premultiplied pixel; alpha in A.
  const Rgba& At(int x, int y) const { return Px_[size_t(y) * size_t(Width_) + size_t(x)]; }
  Rgba& At(int x, int y) { return Px_[size_t(y) * size_t(Width_) + size_t(x)]; }
  // Where anything was painted (the alpha channel).
  Mask Coverage() const;

 private:
  int Width_, Height_;
  std::vector<Rgba> Px_;
};

}  // namespace vuzed::pictures
