#pragma once
// Deterministic noise for textures: a hash of integer lattice points, never a
// random generator, so every run paints the same pixels. With a period the
// lattice wraps, which makes tiles seamless.

#include <cstdint>

namespace vuzed::pictures {

// 0..1 from a lattice point and a seed.
float Hash01(int32_t x, int32_t y, uint32_t seed);
// Smooth value noise, 0..1, lattice spacing 1. period > 0 wraps the lattice.
float ValueNoise(float x, float y, uint32_t seed, int period = 0);
// Sum of octaves (each twice the frequency, half the weight), 0..1.
// Seamless over `period` lattice units of the first octave when period > 0.
float Fbm(float x, float y, uint32_t seed, int octaves, int period = 0);

}  // namespace vuzed::pictures
