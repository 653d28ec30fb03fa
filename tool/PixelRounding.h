#pragma once

#include <cmath>

/// The nearest image pixel of a drawing coordinate. Hand-edited files may hold points far outside the drawing;
/// beyond kFarthestPixel they are put at that distance, which keeps the line arithmetic of the display library in
/// range.
inline int toPixel(float coordinate)
{
    constexpr float kFarthestPixel = 10000.0f;
    if (!(coordinate > -kFarthestPixel))
    {
        return -static_cast<int>(kFarthestPixel);
    }
    if (!(coordinate < kFarthestPixel))
    {
        return static_cast<int>(kFarthestPixel);
    }
    return static_cast<int>(std::lround(coordinate));
}
