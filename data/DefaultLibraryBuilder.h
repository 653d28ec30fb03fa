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

/// The trajectory library shipped with the game: straight dashes, long lines, a wave, a zig-zag and a sway in the
/// drawing tool's coordinates. Every stroke starts at the border of the drawing area. Half of them pass the centre,
/// where the hero starts, near the bottom edge of the game's picture: they come down from the top of the picture or
/// in from its side, never up from that edge. Half run faster than the hero (0.28 pixels per millisecond once in
/// the game), all of those in straight lines.
class DefaultLibraryBuilder
{
public:
    static KelTrajectoryLibrary build();

    /// The path as the drawing tool would record it when traced at about speed pixels per millisecond: one
    /// sample every 15 to 40 ms, whole pixels inside the drawing area, whole milliseconds from 0.
    static Trajectory trace(const std::string& name, const std::vector<DrawingPoint>& path, float speed,
                            std::uint32_t seed);
};
