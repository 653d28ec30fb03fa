#include "DefaultLibraryBuilder.h"

#include "trajectory/DrawingFrame.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace
{
constexpr float kPi = 3.14159265f;
constexpr int kPathResolution = 2000;
constexpr float kDrawingWidth = DrawingFrame::kWidth;
constexpr float kDrawingHeight = DrawingFrame::kHeight;
constexpr float kCentreX = DrawingFrame::kCentreX;
constexpr float kCentreY = DrawingFrame::kCentreY;

/// A path given as a function of s in 0..1, sampled densely.
std::vector<DrawingPoint> sampled(const std::function<DrawingPoint(float)>& curve)
{
    std::vector<DrawingPoint> points;
    for (int i = 0; i <= kPathResolution; ++i)
        points.push_back(curve(static_cast<float>(i) / kPathResolution));
    return points;
}

std::vector<DrawingPoint> line(DrawingPoint from, DrawingPoint to)
{
    return sampled([=](float s) { return DrawingPoint{from.x + (to.x - from.x) * s, from.y + (to.y - from.y) * s}; });
}

/// Straight legs through the corners, each sampled as finely as a whole path.
std::vector<DrawingPoint> polyline(const std::vector<DrawingPoint>& corners)
{
    std::vector<DrawingPoint> points;
    for (std::size_t i = 1; i < corners.size(); ++i)
    {
        const std::vector<DrawingPoint> leg = line(corners[i - 1], corners[i]);
        points.insert(points.end(), leg.begin() + (i > 1 ? 1 : 0), leg.end());
    }
    return points;
}

/// A point at the given distance from the drawing's centre, in the direction of the angle in degrees.
DrawingPoint fromCentre(float radius, float degrees)
{
    const float angle = degrees * kPi / 180.0f;
    return {kCentreX + radius * std::cos(angle), kCentreY + radius * std::sin(angle)};
}

struct Stroke
{
    std::vector<DrawingPoint> path;
    float speed; ///< pixels per millisecond
};

// The game's camera shows the drawing's x 178 to 322 and y 327 to 506, turned half a turn: the drawing's bottom
// is the top of the picture. The hero starts at the drawing's centre, near the bottom of the picture. Every stroke
// begins at the border of the drawing, so runners come into the picture rather than appear in it, and those that
// pass the start come down from the top of the picture or in from its sides. Fast strokes are straight.
std::vector<Stroke> strokes()
{
    return {
        // traj1: down the middle of the picture through the start, and on from one edge of the ground to the other.
        {line({kCentreX, 690}, {kCentreX, 10}), 0.35f},
        // traj2: a fast dash down the right of the picture.
        {line({185, 690}, {215, 10}), 0.5f},
        // traj3: a slow wave in from the left through the start.
        {sampled(
             [](float s) {
                 return DrawingPoint{490 - 480 * s, kCentreY - 60 * std::sin(2 * kPi * (s - 0.5f))};
             }),
         0.16f},
        // traj4: a fast dash down the left of the picture.
        {line({320, 690}, {290, 10}), 0.48f},
        // traj5, traj9 and traj12: long lines through the start. A burst turned about the start fans them out; their
        // ends then reach the middle of the ground's left and right edges.
        {line(fromCentre(348, 84), fromCentre(348, 264)), 0.19f},
        // traj6: a fast diagonal down through the start.
        {line({130, 690}, {370, 10}), 0.4f},
        // traj7: a slow zig-zag with long legs across the picture.
        {polyline({{130, 690}, {370, 520}, {130, kCentreY}, {370, 180}, {130, 10}}), 0.17f},
        // traj8: a slow sway down the picture.
        {sampled(
             [](float s) {
                 return DrawingPoint{kCentreX + 90 * std::sin(3 * kPi * s), 690 - 680 * s};
             }),
         0.17f},
        // traj9: another line through the start, a little faster.
        {line(fromCentre(348, 60), fromCentre(348, 240)), 0.24f},
        // traj10: a fast diagonal down across the picture, clear of the start.
        {line({480, 600}, {60, 10}), 0.34f},
        // traj11: another fast dash down the right of the picture.
        {line({200, 690}, {200, 10}), 0.42f},
        // traj12: the third line through the start.
        {line(fromCentre(350, 132), fromCentre(350, 312)), 0.21f},
    };
}

float distance(const DrawingPoint& a, const DrawingPoint& b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

/// Point at arc length along path, with the cumulative lengths of its points.
DrawingPoint pointAtLength(const std::vector<DrawingPoint>& path, const std::vector<float>& lengths, float along)
{
    const auto next = std::upper_bound(lengths.begin(), lengths.end(), along);
    if (next == lengths.end())
        return path.back();
    if (next == lengths.begin())
        return path.front();
    const std::size_t i = static_cast<std::size_t>(next - lengths.begin());
    const float span = lengths[i] - lengths[i - 1];
    const float t = span > 0.0f ? (along - lengths[i - 1]) / span : 0.0f;
    return {path[i - 1].x + (path[i].x - path[i - 1].x) * t, path[i - 1].y + (path[i].y - path[i - 1].y) * t};
}

/// A small deterministic generator, so the shipped library is the same on every build.
class SampleClock
{
public:
    explicit SampleClock(std::uint32_t seed) : state(seed * 2654435761u + 1u) {}
    /// Milliseconds to the next pointer event: 15 to 40.
    int nextInterval()
    {
        state = state * 1664525u + 1013904223u;
        return 15 + static_cast<int>((state >> 16) % 26u);
    }

private:
    std::uint32_t state;
};

PositionKey keyAt(const DrawingPoint& point, double time)
{
    // Pixels of the drawing area; row 0 never records a sample in the drawing tool.
    const float x = std::clamp(std::round(point.x), 0.0f, kDrawingWidth - 1.0f);
    const float y = std::clamp(std::round(point.y), 1.0f, kDrawingHeight - 1.0f);
    return {x, y, time};
}
} // namespace

Trajectory DefaultLibraryBuilder::trace(const std::string& name, const std::vector<DrawingPoint>& path, float speed,
                                        std::uint32_t seed)
{
    std::vector<float> lengths(path.size(), 0.0f);
    for (std::size_t i = 1; i < path.size(); ++i)
        lengths[i] = lengths[i - 1] + distance(path[i - 1], path[i]);
    const float total = lengths.empty() ? 0.0f : lengths.back();

    Trajectory trajectory;
    trajectory.setName(name);
    if (path.empty())
        return trajectory;
    SampleClock clock(seed);
    int time = 0;
    float along = 0.0f;
    while (along < total)
    {
        trajectory.addPositionKey(keyAt(pointAtLength(path, lengths, along), time));
        const int interval = clock.nextInterval();
        // A hand speeds up and slows down a little along a stroke.
        const float pace = 1.0f + 0.15f * std::sin(static_cast<float>(time) * 0.004f + static_cast<float>(seed));
        along += speed * pace * static_cast<float>(interval);
        time += interval;
    }
    trajectory.addPositionKey(keyAt(path.back(), time));
    return trajectory;
}

KelTrajectoryLibrary DefaultLibraryBuilder::build()
{
    KelTrajectoryLibrary library;
    std::uint32_t number = 0;
    for (const Stroke& stroke : strokes())
    {
        ++number;
        library.addTrajectory(trace("traj" + std::to_string(number), stroke.path, stroke.speed, number));
    }
    return library;
}
