#include "SandTexturePainter.h"

#include "ValueNoise.h"

#include <OgreMath.h>

#include <algorithm>
#include <cmath>

namespace
{
const ValueNoise kDuneNoise(11u);
const ValueNoise kGrainNoise(29u);

/// Sand colours from the shaded lee side to the sunlit crest.
constexpr float kShadowSand[3] = {0.62f, 0.45f, 0.28f};
constexpr float kLitSand[3] = {0.95f, 0.82f, 0.60f};

/// A crest profile: gentle windward slope, steeper lee side.
float duneProfile(float phase)
{
    const float wave = 0.5f + 0.5f * std::sin(phase);
    return std::pow(wave, 1.6f);
}
} // namespace

float SandTexturePainter::height(float u, float v)
{
    const float twoPi = Ogre::Math::TWO_PI;
    const float warp = 1.8f * kDuneNoise.tiledFractal(u, v, 3, 3);
    const float dunes = duneProfile(twoPi * (2.0f * u + 1.0f * v) + 2.0f * twoPi * warp);
    const float rippleWarp = kDuneNoise.tiledFractal(v, u, 5, 2);
    const float ripples = 0.5f + 0.5f * std::sin(twoPi * (11.0f * u + 6.0f * v) + 4.0f * twoPi * rippleWarp);
    const float lumps = kDuneNoise.tiledFractal(u, v, 6, 4);
    return 0.62f * dunes + 0.1f * ripples + 0.28f * lumps;
}

cimg_library::CImg<unsigned char> SandTexturePainter::paint(int size)
{
    cimg_library::CImg<unsigned char> image(size, size, 1, 3, 0);
    const float step = 1.0f / static_cast<float>(size);
    // Lit from the upper left, as the game's light comes from one side of the ground.
    const float lightX = -0.6f;
    const float lightY = -0.8f;
    for (int y = 0; y < size; ++y)
    {
        for (int x = 0; x < size; ++x)
        {
            const float u = static_cast<float>(x) * step;
            const float v = static_cast<float>(y) * step;
            // Central differences wrap around the tile, so the shading is periodic as well.
            const float dx = height(u + step, v) - height(u - step + 1.0f, v);
            const float dy = height(u, v + step) - height(u, v - step + 1.0f);
            const float slope = (dx * lightX + dy * lightY) * static_cast<float>(size) * 0.018f;
            const float grain = kGrainNoise.tiled(u, v, size / 2) - 0.5f;
            const float light = std::clamp(0.55f + 0.35f * height(u, v) - slope + 0.12f * grain, 0.0f, 1.0f);
            for (int channel = 0; channel < 3; ++channel)
            {
                const float value = kShadowSand[channel] + (kLitSand[channel] - kShadowSand[channel]) * light;
                image(x, y, 0, channel) = static_cast<unsigned char>(std::clamp(value * 255.0f, 0.0f, 255.0f));
            }
        }
    }
    return image;
}
