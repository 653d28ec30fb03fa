#pragma once

#include "trajectory/KelTrajectoryLibrary.h"

#include <cstdint>
#include <string>
#include <vector>

/// A point of the drawing plane, in drawing-area pixels (DrawingFrame).
struct DrawingPoint
{
    float x;
    float y;
};

/// The trajectory library shipped with the game: curves, zig-zags, loops and straight dashes in the drawing
/// tool's coordinates, most of them through the centre of the drawing area where the hero starts. Most are
/// drawn slower than the hero runs (0.28 pixels per millisecond once in the game), a few faster.
class DefaultLibraryBuilder
{
public:
    static KelTrajectoryLibrary build();

    /// The path as the drawing tool would record it when traced at about speed pixels per millisecond: one
    /// sample every 15 to 40 ms, whole pixels inside the drawing area, whole milliseconds from 0.
    static Trajectory trace(const std::string& name, const std::vector<DrawingPoint>& path, float speed,
                            std::uint32_t seed);
};
