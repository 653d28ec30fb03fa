#pragma once

#include <CImg.h>

/// Paints the ground texture: wind-shaped sand dunes with fine ripples and grain, lit from one side. Every
/// feature repeats a whole number of times across the image, so the texture tiles without seams.
class SandTexturePainter
{
public:
    static constexpr const char* kFileName = "SarnavelSand.jpg";

    /// A size x size RGB image.
    static cimg_library::CImg<unsigned char> paint(int size);

private:
    /// Height of the sand at (u, v) of the unit tile, about 0..1.
    static float height(float u, float v);
};
