// The ground texture must repeat 5 x 5 times across the ground without visible seams, and the six sky faces must
// meet edge to edge. The sky test finds each edge texel's neighbour across the edge with the standard cube-map
// lookup (major axis, then s and t), independently of how the painter lays out its faces.

#include "SandTexturePainter.h"
#include "SkyBoxPainter.h"

#include <OgreTexture.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace
{
using Image = cimg_library::CImg<unsigned char>;

float luminance(const Image& image, int x, int y)
{
    return 0.3f * image(x, y, 0, 0) + 0.59f * image(x, y, 0, 1) + 0.11f * image(x, y, 0, 2);
}

/// Mean luminance step between column x and the column after it (wrapping round).
float columnStep(const Image& image, int x)
{
    const int next = (x + 1) % image.width();
    float sum = 0.0f;
    for (int y = 0; y < image.height(); ++y)
        sum += std::abs(luminance(image, x, y) - luminance(image, next, y));
    return sum / static_cast<float>(image.height());
}

float rowStep(const Image& image, int y)
{
    const int next = (y + 1) % image.height();
    float sum = 0.0f;
    for (int x = 0; x < image.width(); ++x)
        sum += std::abs(luminance(image, x, y) - luminance(image, x, next));
    return sum / static_cast<float>(image.width());
}

TEST(SandTextureTest, TilesWithoutSeams)
{
    const Image sand = SandTexturePainter::paint(256);
    float columnSteps = 0.0f;
    float rowSteps = 0.0f;
    for (int i = 0; i < 255; ++i)
    {
        columnSteps += columnStep(sand, i);
        rowSteps += rowStep(sand, i);
    }
    // Stepping from the last column back to the first is no bigger than an ordinary step inside the image.
    EXPECT_LT(columnStep(sand, 255), 1.5f * columnSteps / 255.0f);
    EXPECT_LT(rowStep(sand, 255), 1.5f * rowSteps / 255.0f);
}

TEST(SandTextureTest, LooksLikeSandWithRelief)
{
    const Image sand = SandTexturePainter::paint(256);
    const float red = static_cast<float>(sand.get_channel(0).mean());
    const float green = static_cast<float>(sand.get_channel(1).mean());
    const float blue = static_cast<float>(sand.get_channel(2).mean());
    EXPECT_GT(red, green);
    EXPECT_GT(green, blue);
    EXPECT_GT(red, 150.0f);
    // Dunes and ripples: light and shade, not a flat colour.
    EXPECT_GT(sand.get_channel(1).variance(), 60.0);
}

/// Face and texel that the standard cube-map lookup reads for a direction.
void lookUp(const Ogre::Vector3& d, int size, int& face, int& x, int& y)
{
    const float ax = std::abs(d.x), ay = std::abs(d.y), az = std::abs(d.z);
    float sc, tc, ma;
    if (ax >= ay && ax >= az)
    {
        face = d.x > 0 ? 0 : 1;
        sc = d.x > 0 ? -d.z : d.z;
        tc = -d.y;
        ma = ax;
    }
    else if (ay >= az)
    {
        face = d.y > 0 ? 2 : 3;
        sc = d.x;
        tc = d.y > 0 ? d.z : -d.z;
        ma = ay;
    }
    else
    {
        face = d.z > 0 ? 4 : 5;
        sc = d.z > 0 ? d.x : -d.x;
        tc = -d.y;
        ma = az;
    }
    const float s = 0.5f * (sc / ma + 1.0f);
    const float t = 0.5f * (tc / ma + 1.0f);
    x = std::min(size - 1, static_cast<int>(s * size));
    y = std::min(size - 1, static_cast<int>(t * size));
}

TEST(SkyBoxTest, FacesMeetWithoutSeams)
{
    constexpr int size = 64;
    Image faces[SkyBoxPainter::kFaceCount];
    for (int face = 0; face < SkyBoxPainter::kFaceCount; ++face)
        faces[face] = SkyBoxPainter::paintFace(face, size);

    int compared = 0;
    long totalDifference = 0;
    for (int face = 0; face < SkyBoxPainter::kFaceCount; ++face)
    {
        for (int i = 0; i < size; ++i)
        {
            const int edges[4][2] = {{0, i}, {size - 1, i}, {i, 0}, {i, size - 1}};
            for (const auto& edge : edges)
            {
                // Push the texel's direction half a texel across the face's edge and look up the neighbour there.
                const Ogre::Vector3 inside = SkyBoxPainter::texelDirection(face, edge[0], edge[1], size);
                const Ogre::Vector3 centre = SkyBoxPainter::texelDirection(face, size / 2, size / 2, size);
                const Ogre::Vector3 across = inside + (inside - centre).normalisedCopy() * (1.0f / size);
                int otherFace, x, y;
                lookUp(across, size, otherFace, x, y);
                ASSERT_NE(otherFace, face);
                for (int c = 0; c < 3; ++c)
                {
                    const int difference = std::abs(faces[face](edge[0], edge[1], 0, c) - faces[otherFace](x, y, 0, c));
                    // Neighbouring texels may straddle a cloud's edge; a wrongly turned face would differ widely.
                    ASSERT_LE(difference, 48) << "face " << face << " texel " << edge[0] << "," << edge[1]
                                              << " against face " << otherFace << " texel " << x << "," << y;
                    totalDifference += difference;
                    ++compared;
                }
            }
        }
    }
    EXPECT_LT(static_cast<double>(totalDifference) / compared, 3.0);
}

TEST(SkyBoxTest, TexelDirectionsAgreeWithTheStandardLookup)
{
    constexpr int size = 32;
    for (int face = 0; face < SkyBoxPainter::kFaceCount; ++face)
    {
        for (int y = 0; y < size; y += 5)
        {
            for (int x = 0; x < size; x += 5)
            {
                int foundFace, foundX, foundY;
                lookUp(SkyBoxPainter::texelDirection(face, x, y, size), size, foundFace, foundX, foundY);
                ASSERT_EQ(foundFace, face);
                ASSERT_EQ(foundX, x);
                ASSERT_EQ(foundY, y);
            }
        }
    }
}

TEST(SkyBoxTest, EveningColoursFromWarmHorizonToDeepBlueZenith)
{
    const Ogre::Vector3 zenith = SkyBoxPainter::colourAt(Ogre::Vector3::UNIT_Y);
    EXPECT_GT(zenith.z, zenith.x);
    float warmest = 0.0f;
    for (int step = 0; step < 16; ++step)
    {
        const float angle = step * 6.2831853f / 16.0f;
        const Ogre::Vector3 horizon = SkyBoxPainter::colourAt(Ogre::Vector3(std::cos(angle), 0.03f, std::sin(angle)));
        EXPECT_GT(horizon.x, horizon.z);
        warmest = std::max(warmest, horizon.x - horizon.z);
    }
    EXPECT_GT(warmest, 0.4f);
    const Ogre::Vector3 below = SkyBoxPainter::colourAt(Ogre::Vector3::NEGATIVE_UNIT_Y);
    EXPECT_LT(below.length(), zenith.length() * 1.5f);
}

/// The engine keeps its cube-face suffixes protected; a derived name makes them readable here.
struct EngineCubeMap : Ogre::Texture
{
    using Ogre::Texture::CUBEMAP_SUFFIXES;
};

TEST(SkyBoxTest, FacesAreNamedInTheEnginesCubeMapOrder)
{
    for (int face = 0; face < SkyBoxPainter::kFaceCount; ++face)
        EXPECT_STREQ(SkyBoxPainter::faceSuffix(face), EngineCubeMap::CUBEMAP_SUFFIXES[face]);
}
} // namespace
