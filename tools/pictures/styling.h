#pragma once
// Small recipes shared by the picture families: outlined fills, glows and
// shading, all in terms of masks.

#include "raster.h"
#include "shapes.h"

namespace vuzed::pictures {

// The mask grown by `width` in the outline colour, then the mask in the fill.
void Outlined(Canvas& c, const Mask& m, const Paint& fill, const Rgba& outline, float width);
// A soft halo of light around the mask (added, so it brightens what is under it).
void Halo(Canvas& c, const Mask& m, const Rgba& colour, int radius, float gain);
// A white highlight over the upper part of the mask (a glassy shine).
void Shine(Canvas& c, const Mask& m, float top, float bottom, float strength);
// A shape rasterised at the canvas size.
Mask MaskOf(const Canvas& c, const Sdf& shape);

}  // namespace vuzed::pictures
