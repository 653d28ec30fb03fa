#pragma once

#include <cstdint>

/// Smooth pseudo-random value noise from a seed, in 0..1. The 2D form repeats exactly, so images built from it
/// tile without seams; the 3D form is sampled with directions, so cube-map faces built from it meet exactly.
class ValueNoise
{
public:
    explicit ValueNoise(std::uint32_t noiseSeed) : seed(noiseSeed) {}

    /// Noise over the unit square (u, v in 0..1) with period cells per side; equal at u and u + 1, v and v + 1.
    float tiled(float u, float v, int period) const;
    /// Octaves of tiled noise, each twice as fine and half as strong as the one before.
    float tiledFractal(float u, float v, int basePeriod, int octaves) const;

    float at(float x, float y, float z) const;
    float fractal(float x, float y, float z, int octaves) const;

private:
    float lattice(int x, int y, int z) const;

    std::uint32_t seed;
};
