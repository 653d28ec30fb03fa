#include "Silhouette.h"

#include <algorithm>
#include <cstdlib>

namespace
{
/// Colour distance below which two pixels count as the same (filtering and dithering of the renderer).
constexpr int kTolerance = 24;

int colourDistance(const cimg_library::CImg<unsigned char>& frame, int x, int y, const unsigned char* colour)
{
    int distance = 0;
    for (int c = 0; c < 3; ++c)
        distance += std::abs(static_cast<int>(frame(x, y, 0, c)) - static_cast<int>(colour[c]));
    return distance;
}
} // namespace

Silhouette Silhouette::of(const cimg_library::CImg<unsigned char>& frame, const unsigned char* background)
{
    Silhouette result;
    result.left = frame.width();
    result.top = frame.height();
    cimg_forXY(frame, x, y)
    {
        if (colourDistance(frame, x, y, background) <= kTolerance)
            continue;
        ++result.pixels;
        result.left = std::min(result.left, x);
        result.right = std::max(result.right, x);
        result.top = std::min(result.top, y);
        result.bottom = std::max(result.bottom, y);
    }
    return result;
}

int differingPixels(const cimg_library::CImg<unsigned char>& a, const cimg_library::CImg<unsigned char>& b)
{
    int count = 0;
    cimg_forXY(a, x, y)
    {
        const unsigned char colour[3] = {b(x, y, 0, 0), b(x, y, 0, 1), b(x, y, 0, 2)};
        if (colourDistance(a, x, y, colour) > kTolerance)
            ++count;
    }
    return count;
}
