#include "IconPainter.h"

#include "trajectory/KelTrajectoryLibrary.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
using Image = IconPainter::Image;

constexpr float kPi = 3.14159265f;

// The won picture as the generator paints it, and the square of it that becomes the game's icon: the clear band
// between the message panel and "Press", with the cheering hero on the crest and the setting sun.
constexpr float kWonPictureWidth = 768.0f;
constexpr float kCropLeft = 330.0f;
constexpr float kCropTop = 494.0f;
constexpr float kCropSide = 220.0f;

// How much of the tool icon the drawn path spans, and its pen's radius, both in parts of the icon's side.
constexpr float kPathShare = 0.74f;
constexpr float kPenShare = 0.03f;
// Samples closer than this (drawing pixels) are skipped when measuring how much a path winds: the hand's jitter
// between neighbouring samples is not a turn.
constexpr float kWindingStep = 12.0f;
// The tool icon is painted this many times larger, then averaged down, for a smooth stroke.
constexpr int kSupersampling = 4;

constexpr float kCornerRadiusShare = 0.14f;

/// Scaled to size x size: averaged when shrinking, cubic when growing.
Image resizedSquare(const Image& image, int size)
{
    const int interpolation = image.width() >= size ? 2 : 5;
    return image.get_resize(size, size, 1, image.spectrum(), interpolation);
}

/// The net angle a path turns through, in radians: loops and spirals score high, lines and zig-zags near 0.
float winding(const std::vector<PositionKey>& path)
{
    std::vector<PositionKey> spaced;
    for (const PositionKey& key : path)
    {
        if (spaced.empty() || std::hypot(key.px - spaced.back().px, key.py - spaced.back().py) >= kWindingStep)
            spaced.push_back(key);
    }
    float total = 0.0f;
    for (std::size_t i = 2; i < spaced.size(); ++i)
    {
        const float before = std::atan2(spaced[i - 1].py - spaced[i - 2].py, spaced[i - 1].px - spaced[i - 2].px);
        const float after = std::atan2(spaced[i].py - spaced[i - 1].py, spaced[i].px - spaced[i - 1].px);
        total += std::remainder(after - before, 2.0f * kPi);
    }
    return total;
}

/// The library's most winding path, the most telling of a hand-drawn stroke; empty for an empty library.
std::vector<PositionKey> mostWinding(const KelTrajectoryLibrary& library)
{
    std::vector<PositionKey> best;
    float bestWinding = -1.0f;
    for (const auto& [name, trajectory] : library)
    {
        const float turns = std::abs(winding(trajectory.getTrackPos()));
        if (turns > bestWinding)
        {
            bestWinding = turns;
            best = trajectory.getTrackPos();
        }
    }
    return best;
}

/// The path fitted into the middle of the square canvas, traced with a round white pen.
void drawStroke(Image& canvas, const std::vector<PositionKey>& path)
{
    if (path.empty())
        return;
    const auto byX = [](const PositionKey& a, const PositionKey& b) { return a.px < b.px; };
    const auto byY = [](const PositionKey& a, const PositionKey& b) { return a.py < b.py; };
    const auto [xMin, xMax] = std::minmax_element(path.begin(), path.end(), byX);
    const auto [yMin, yMax] = std::minmax_element(path.begin(), path.end(), byY);
    const float side = static_cast<float>(canvas.width());
    const float scale = side * kPathShare / std::max({xMax->px - xMin->px, yMax->py - yMin->py, 1.0f});
    const float originX = side / 2.0f - (xMin->px + xMax->px) / 2.0f * scale;
    const float originY = side / 2.0f - (yMin->py + yMax->py) / 2.0f * scale;
    const int penRadius = std::max(kSupersampling, static_cast<int>(side * kPenShare));
    const unsigned char white[3] = {255, 255, 255};
    for (std::size_t i = 1; i < path.size(); ++i)
    {
        // The pen is stamped along each segment, so the stroke has the same width in every direction.
        const float fromX = originX + path[i - 1].px * scale;
        const float fromY = originY + path[i - 1].py * scale;
        const float toX = originX + path[i].px * scale;
        const float toY = originY + path[i].py * scale;
        const int steps = std::max(1, static_cast<int>(std::hypot(toX - fromX, toY - fromY) / penRadius * 2.0f));
        for (int step = 0; step <= steps; ++step)
        {
            const float t = static_cast<float>(step) / steps;
            canvas.draw_circle(static_cast<int>(std::lround(fromX + (toX - fromX) * t)),
                               static_cast<int>(std::lround(fromY + (toY - fromY) * t)), penRadius, white);
        }
    }
}
} // namespace

Image IconPainter::gameIcon(const Image& wonPicture, int size)
{
    const float scale = wonPicture.width() / kWonPictureWidth;
    const int left = static_cast<int>(std::lround(kCropLeft * scale));
    const int top = static_cast<int>(std::lround(kCropTop * scale));
    const int side = static_cast<int>(std::lround(kCropSide * scale));
    const Image square = wonPicture.get_crop(left, top, left + side - 1, top + side - 1).channels(0, 2);
    return withRoundedCorners(resizedSquare(square, size));
}

Image IconPainter::toolIcon(const KelTrajectoryLibrary& library, int size)
{
    Image canvas(size * kSupersampling, size * kSupersampling, 1, 3, 0);
    drawStroke(canvas, mostWinding(library));
    return withRoundedCorners(resizedSquare(canvas, size));
}

Image IconPainter::withRoundedCorners(const Image& square)
{
    const int size = square.width();
    const float radius = size * kCornerRadiusShare;
    Image icon(size, size, 1, 4);
    cimg_forXY(icon, x, y)
    {
        // Distance past the rounded corner's arc, measured from pixel centres; 0 inside the straight edges.
        const float cx = std::clamp(x + 0.5f, radius, size - radius);
        const float cy = std::clamp(y + 0.5f, radius, size - radius);
        const float outside = std::hypot(x + 0.5f - cx, y + 0.5f - cy) - radius;
        const float alpha = std::clamp(0.5f - outside, 0.0f, 1.0f);
        for (int channel = 0; channel < 3; ++channel)
            icon(x, y, 0, channel) = square(x, y, 0, channel);
        icon(x, y, 0, 3) = static_cast<unsigned char>(std::lround(alpha * 255.0f));
    }
    return icon;
}
