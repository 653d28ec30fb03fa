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

/// Triangle wave in -1..1 with the given number of full periods over s in 0..1.
float zigzag(float s, float periods)
{
    const float phase = s * periods - std::floor(s * periods);
    return phase < 0.5f ? 4.0f * phase - 1.0f : 3.0f - 4.0f * phase;
}

struct Stroke
{
    std::vector<DrawingPoint> path;
    float speed; ///< pixels per millisecond
};

std::vector<Stroke> strokes()
{
    return {
        // Straight dashes, two of them fast.
        {line({15, kCentreY}, {kDrawingWidth - 15, kCentreY}), 0.45f},
        {line({30, 60}, {470, 650}), 0.2f},
        {line({kCentreX, 15}, {kCentreX, kDrawingHeight - 15}), 0.15f},
        {line({320, 690}, {180, 10}), 0.5f},
        // Waves and zig-zags across the centre.
        {sampled(
             [](float s) {
                 return DrawingPoint{20 + 460 * s, kCentreY + 110 * std::sin(3 * kPi * s)};
             }),
         0.18f},
        {sampled(
             [](float s) {
                 return DrawingPoint{kCentreX + 150 * zigzag(s + 0.25f, 5), 30 + 640 * s};
             }),
         0.22f},
        {sampled(
             [](float s) {
                 return DrawingPoint{40 + 420 * s + 60 * zigzag(s, 6), 640 - 580 * s};
             }),
         0.4f},
        {sampled(
             [](float s) {
                 return DrawingPoint{470 - 440 * s, 80 + 540 * s + 40 * std::sin(8 * kPi * s)};
             }),
         0.17f},
        // Loops: a circle through the centre, a figure of eight, a spiral, a looping line.
        {sampled(
             [](float s) {
                 return DrawingPoint{kCentreX + 100 * std::sin(4 * kPi * s),
                                     kCentreY - 100 + 100 * std::cos(4 * kPi * s)};
             }),
         0.12f},
        {sampled(
             [](float s)
             {
                 const float t = 4 * kPi * s;
                 const float d = 1 + std::sin(t) * std::sin(t);
                 return DrawingPoint{kCentreX + 200 * std::cos(t) / d, kCentreY + 260 * std::sin(t) * std::cos(t) / d};
             }),
         0.2f},
        {sampled(
             [](float s)
             {
                 const float angle = 5 * kPi * s;
                 const float radius = 230 * (1 - s);
                 return DrawingPoint{kCentreX + radius * std::cos(angle), kCentreY + radius * std::sin(angle)};
             }),
         0.16f},
        {sampled(
             [](float s)
             {
                 const float angle = 8 * kPi * s;
                 return DrawingPoint{40 + 420 * s - 55 * std::sin(angle), kCentreY - 70 * std::cos(angle) + 70};
             }),
         0.2f},
        // Sweeping curves.
        {sampled(
             [](float s)
             {
                 const float u = 1 - s;
                 const float x = u * u * u * 60 + 3 * u * u * s * 520 + 3 * u * s * s * -20 + s * s * s * 440;
                 const float y = u * u * u * 80 + 3 * u * u * s * 200 + 3 * u * s * s * 500 + s * s * s * 620;
                 return DrawingPoint{x, y};
             }),
         0.25f},
        {sampled(
             [](float s) {
                 return DrawingPoint{kCentreX + 210 * std::cos(kPi * (1 + s)), 640 + 260 * std::sin(kPi * (1 + s))};
             }),
         0.1f},
        {sampled(
             [](float s)
             {
                 // In from the top, round the centre once, and away to the lower left.
                 if (s < 0.3f)
                     return DrawingPoint{kCentreX, 20 + (kCentreY - 20) * s / 0.3f};
                 if (s < 0.8f)
                 {
                     const float angle = 2 * kPi * (s - 0.3f) / 0.5f;
                     return DrawingPoint{kCentreX + 90 * std::sin(angle), kCentreY + 90 - 90 * std::cos(angle)};
                 }
                 const float u = (s - 0.8f) / 0.2f;
                 return DrawingPoint{kCentreX - 220 * u, kCentreY + 300 * u};
             }),
         0.23f},
        {sampled(
             [](float s) {
                 return DrawingPoint{kCentreX + 60 * std::sin(10 * kPi * s), 680 - 660 * s};
             }),
         0.35f},
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
