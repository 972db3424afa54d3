#pragma once
// Painting the game's sky-city scenery, shared by the title screens, the
// loading picture and the opening backdrop: a graded sky with soft clouds,
// stars, a moon, and the roofs of the floating city strung with lanterns.

#include <cstdint>

#include "raster.h"

namespace vuzed::pictures {

struct SkyColours {
  Rgba Top, Middle, Horizon;
  Rgba Cloud;
  float CloudAmount;
};

void PaintSky(Canvas& c, const SkyColours& sky, uint32_t seed);
void PaintStars(Canvas& c, int count, float maxY, uint32_t seed, float brightness);
void PaintMoon(Canvas& c, float x, float y, float r, const Rgba& light, const Rgba& glow);
// Roof line of the city: silhouettes from y = base upwards (heights up to
// `height`), lit windows and a lantern string along the roofs.
void PaintCity(Canvas& c, float base, float height, const Rgba& silhouette, const Rgba& window, uint32_t seed);

}  // namespace vuzed::pictures
