#include "SandTexturePainter.h"

#include "ValueNoise.h"

#include <algorithm>
#include <cmath>

namespace
{
const ValueNoise kDuneNoise(11u);
const ValueNoise kGrainNoise(29u);

/// Sand colours from the shaded lee side to the sunlit crest.
constexpr float kShadowSand[3] = {0.66f, 0.49f, 0.31f};
constexpr float kLitSand[3] = {0.96f, 0.84f, 0.63f};

/// Wind ripples: a long gentle windward rise and a short steep lee face, phase in cycles.
float rippleProfile(float phase)
{
    const float x = phase - std::floor(phase);
    constexpr float crest = 0.78f;
    const float linear = x < crest ? x / crest : (1.0f - x) / (1.0f - crest);
    return linear * linear * (3.0f - 2.0f * linear);
}
} // namespace

float SandTexturePainter::height(float u, float v)
{
    // Broad swells of the dunes, with ripples running across them that bend and fork where the wind wavers.
    const float swells = kDuneNoise.tiledFractal(u, v, 2, 3);
    const float bend = kDuneNoise.tiledFractal(u + 0.37f, v + 0.71f, 3, 3);
    // Ripples fade out in places, as where the wind has smoothed the sand.
    const float strength = std::clamp(kDuneNoise.tiledFractal(v + 0.13f, u + 0.59f, 3, 2) * 2.2f - 0.5f, 0.15f, 1.0f);
    const float ripples = strength * rippleProfile(9.0f * u + 3.0f * v + 3.0f * bend);
    const float fineRipples = rippleProfile(23.0f * u + 7.0f * v + 5.0f * bend + 2.0f * swells);
    return swells + 0.06f * ripples + 0.005f * fineRipples;
}

cimg_library::CImg<unsigned char> SandTexturePainter::paint(int size)
{
    cimg_library::CImg<unsigned char> image(size, size, 1, 3, 0);
    const float step = 1.0f / static_cast<float>(size);
    // Lit from one side, as the game's light slants across the ground.
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
            const float slope = (dx * lightX + dy * lightY) * static_cast<float>(size) * 0.045f;
            const float grain = kGrainNoise.tiled(u, v, size / 2) - 0.5f;
            const float light = std::clamp(1.3f * height(u, v) - 0.2f - slope + 0.1f * grain, 0.0f, 1.0f);
            for (int channel = 0; channel < 3; ++channel)
            {
                const float value = kShadowSand[channel] + (kLitSand[channel] - kShadowSand[channel]) * light;
                image(x, y, 0, channel) = static_cast<unsigned char>(std::clamp(value * 255.0f, 0.0f, 255.0f));
            }
        }
    }
    return image;
}
