#pragma once
// Shapes as signed distance functions: negative inside, positive outside, in
// pixels. Rasterize turns one into an anti-aliased mask (coverage falls from 1
// to 0 across one pixel at the edge).

#include <functional>
#include <vector>

#include "raster.h"

namespace vuzed::pictures {

using Sdf = std::function<float(float x, float y)>;

struct Point {
  float X = 0, Y = 0;
};

Mask Rasterize(int width, int height, const Sdf& shape);
// A soft mask: coverage 1 inside, falling to 0 over `falloff` pixels outside.
Mask SoftRasterize(int width, int height, const Sdf& shape, float falloff);

Sdf Circle(float cx, float cy, float r);
// Axis lengths rx, ry, turned by angle degrees about the centre.
Sdf Ellipse(float cx, float cy, float rx, float ry, float angle = 0);
// Box of half sizes hw, hh with corner radius, turned by angle degrees.
Sdf Box(float cx, float cy, float hw, float hh, float radius = 0, float angle = 0);
// A segment of thickness 2r with round ends.
Sdf Capsule(float x0, float y0, float x1, float y1, float r);
// A closed polygon (any winding, may be concave).
Sdf Polygon(std::vector<Point> points);
// n points, outer radius ro, inner radius ri, first point at angle degrees (0 = right).
Sdf Star(float cx, float cy, float ro, float ri, int n, float angle = -90);
// A circle outline of the given thickness.
Sdf Ring(float cx, float cy, float r, float thickness);

Sdf Union(Sdf a, Sdf b);
Sdf Subtract(Sdf a, Sdf b);
Sdf Intersect(Sdf a, Sdf b);
Sdf Grow(Sdf a, float by);  // positive grows, negative shrinks

// Points of a regular polygon or star path, for building shapes.
std::vector<Point> StarPoints(float cx, float cy, float ro, float ri, int n, float angle);

}  // namespace vuzed::pictures
