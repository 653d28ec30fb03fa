#include "ValueNoise.h"

#include <cmath>

namespace
{
float fade(float t)
{
    return t * t * (3.0f - 2.0f * t);
}

float lerp(float a, float b, float t)
{
    return a + (b - a) * t;
}

int wrap(int value, int period)
{
    const int r = value % period;
    return r < 0 ? r + period : r;
}
} // namespace

float ValueNoise::lattice(int x, int y, int z) const
{
    std::uint32_t h = seed;
    h ^= static_cast<std::uint32_t>(x) * 0x8da6b343u;
    h ^= static_cast<std::uint32_t>(y) * 0xd8163841u;
    h ^= static_cast<std::uint32_t>(z) * 0xcb1ab31fu;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return static_cast<float>(h & 0xffffffu) / static_cast<float>(0xffffffu);
}

float ValueNoise::tiled(float u, float v, int period) const
{
    const float x = u * static_cast<float>(period);
    const float y = v * static_cast<float>(period);
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const float fx = fade(x - static_cast<float>(x0));
    const float fy = fade(y - static_cast<float>(y0));
    const int xa = wrap(x0, period);
    const int xb = wrap(x0 + 1, period);
    const int ya = wrap(y0, period);
    const int yb = wrap(y0 + 1, period);
    return lerp(lerp(lattice(xa, ya, 0), lattice(xb, ya, 0), fx), lerp(lattice(xa, yb, 0), lattice(xb, yb, 0), fx), fy);
}

float ValueNoise::tiledFractal(float u, float v, int basePeriod, int octaves) const
{
    float sum = 0.0f;
    float weight = 0.5f;
    float total = 0.0f;
    int period = basePeriod;
    for (int octave = 0; octave < octaves; ++octave)
    {
        sum += weight * tiled(u, v, period);
        total += weight;
        weight *= 0.5f;
        period *= 2;
    }
    return sum / total;
}

float ValueNoise::at(float x, float y, float z) const
{
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const int z0 = static_cast<int>(std::floor(z));
    const float fx = fade(x - static_cast<float>(x0));
    const float fy = fade(y - static_cast<float>(y0));
    const float fz = fade(z - static_cast<float>(z0));
    const float near = lerp(lerp(lattice(x0, y0, z0), lattice(x0 + 1, y0, z0), fx),
                            lerp(lattice(x0, y0 + 1, z0), lattice(x0 + 1, y0 + 1, z0), fx), fy);
    const float far = lerp(lerp(lattice(x0, y0, z0 + 1), lattice(x0 + 1, y0, z0 + 1), fx),
                           lerp(lattice(x0, y0 + 1, z0 + 1), lattice(x0 + 1, y0 + 1, z0 + 1), fx), fy);
    return lerp(near, far, fz);
}

float ValueNoise::fractal(float x, float y, float z, int octaves) const
{
    float sum = 0.0f;
    float weight = 0.5f;
    float total = 0.0f;
    float scale = 1.0f;
    for (int octave = 0; octave < octaves; ++octave)
    {
        sum += weight * at(x * scale, y * scale, z * scale);
        total += weight;
        weight *= 0.5f;
        scale *= 2.0f;
    }
    return sum / total;
}
