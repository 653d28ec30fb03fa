#include "SkyBoxPainter.h"

#include "ValueNoise.h"

#include <algorithm>
#include <cmath>

namespace
{
const ValueNoise kCloudNoise(7u);

const Ogre::Vector3 kSunDirection = Ogre::Vector3(0.75f, 0.07f, -0.65f).normalisedCopy();
const Ogre::Vector3 kZenith(0.10f, 0.13f, 0.34f);
const Ogre::Vector3 kHighSky(0.28f, 0.30f, 0.55f);
const Ogre::Vector3 kHorizonSunward(1.00f, 0.58f, 0.26f);
const Ogre::Vector3 kHorizonAway(0.78f, 0.52f, 0.55f);
const Ogre::Vector3 kGroundHaze(0.30f, 0.21f, 0.17f);
const Ogre::Vector3 kCloudLit(1.00f, 0.66f, 0.45f);
const Ogre::Vector3 kCloudShade(0.42f, 0.32f, 0.46f);
const Ogre::Vector3 kSunColour(1.00f, 0.93f, 0.72f);

float smooth(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

Ogre::Vector3 mix(const Ogre::Vector3& a, const Ogre::Vector3& b, float t)
{
    return a + (b - a) * t;
}
} // namespace

const char* SkyBoxPainter::faceSuffix(int face)
{
    static const char* const suffixes[kFaceCount] = {"_rt", "_lf", "_up", "_dn", "_fr", "_bk"};
    return suffixes[face];
}

std::string SkyBoxPainter::faceFileName(int face)
{
    const std::string cube = kCubeName;
    const std::size_t dot = cube.rfind('.');
    return cube.substr(0, dot) + faceSuffix(face) + cube.substr(dot);
}

Ogre::Vector3 SkyBoxPainter::texelDirection(int face, int x, int y, int size)
{
    // s runs along the image's columns, t down its rows, both -1..1 at the outer texel edges.
    const float s = 2.0f * (static_cast<float>(x) + 0.5f) / static_cast<float>(size) - 1.0f;
    const float t = 2.0f * (static_cast<float>(y) + 0.5f) / static_cast<float>(size) - 1.0f;
    Ogre::Vector3 direction;
    switch (face)
    {
    case 0:
        direction = Ogre::Vector3(1.0f, -t, -s);
        break;
    case 1:
        direction = Ogre::Vector3(-1.0f, -t, s);
        break;
    case 2:
        direction = Ogre::Vector3(s, 1.0f, t);
        break;
    case 3:
        direction = Ogre::Vector3(s, -1.0f, -t);
        break;
    case 4:
        direction = Ogre::Vector3(s, -t, 1.0f);
        break;
    default:
        direction = Ogre::Vector3(-s, -t, -1.0f);
        break;
    }
    return direction.normalisedCopy();
}

Ogre::Vector3 SkyBoxPainter::colourAt(const Ogre::Vector3& direction)
{
    const Ogre::Vector3 d = direction.normalisedCopy();
    const float elevation = d.y;
    Ogre::Vector3 flat(d.x, 0.0f, d.z);
    const float towardsSun =
        flat.isZeroLength() ? 0.0f
                            : 0.5f + 0.5f * flat.normalisedCopy().dotProduct(
                                                Ogre::Vector3(kSunDirection.x, 0.0f, kSunDirection.z).normalisedCopy());
    const Ogre::Vector3 horizon = mix(kHorizonAway, kHorizonSunward, std::pow(towardsSun, 2.0f));

    Ogre::Vector3 colour;
    if (elevation >= 0.0f)
    {
        colour = mix(horizon, kHighSky, smooth(0.0f, 0.35f, elevation));
        colour = mix(colour, kZenith, smooth(0.3f, 1.0f, elevation));
    }
    else
    {
        colour = mix(horizon, kGroundHaze, smooth(0.0f, 0.12f, -elevation));
    }

    const float sunAngle = std::max(0.0f, d.dotProduct(kSunDirection));
    colour += kSunColour * (0.55f * std::pow(sunAngle, 24.0f) + 0.35f * std::pow(sunAngle, 6.0f));
    // The disc itself burns white; the glow round it already saturates towards the sun's colour.
    if (sunAngle > 0.9992f)
        colour += Ogre::Vector3(1.0f, 1.0f, 1.0f);

    // Clouds stretched along the horizon, thinning out towards the zenith and below the horizon.
    const float density = kCloudNoise.fractal(d.x * 2.2f + 9.0f, d.y * 7.0f, d.z * 2.2f + 3.0f, 5);
    const float cover =
        smooth(0.52f, 0.7f, density) * smooth(0.02f, 0.12f, elevation) * (1.0f - smooth(0.55f, 0.9f, elevation));
    const Ogre::Vector3 cloud = mix(kCloudShade, kCloudLit, std::pow(towardsSun, 1.5f) * (1.0f - 0.6f * elevation));
    colour = mix(colour, cloud, 0.85f * cover);

    return Ogre::Vector3(std::clamp(colour.x, 0.0f, 1.0f), std::clamp(colour.y, 0.0f, 1.0f),
                         std::clamp(colour.z, 0.0f, 1.0f));
}

cimg_library::CImg<unsigned char> SkyBoxPainter::paintFace(int face, int size)
{
    cimg_library::CImg<unsigned char> image(size, size, 1, 3, 0);
    for (int y = 0; y < size; ++y)
    {
        for (int x = 0; x < size; ++x)
        {
            const Ogre::Vector3 colour = colourAt(texelDirection(face, x, y, size));
            for (int channel = 0; channel < 3; ++channel)
                image(x, y, 0, channel) = static_cast<unsigned char>(std::lround(colour[channel] * 255.0f));
        }
    }
    return image;
}
