#pragma once

#include "trajectory/KelTrajectoryLibrary.h"

/// Trajectory libraries for the frame benchmark: three looping paths in the part of the ground that the game's
/// camera shows, all well away from the hero's start at the world origin, so that a hero who stands still is
/// never caught and every runner stays in view. How many runners are in view then depends only on how long a
/// runner lives, which is the length of the paths in time.
///
/// The game shifts a burst's copies of a path sideways by up to 6 world units on the second path (to -x) and the
/// third (to +x), and turns none of them while the library has three paths; the loops leave room for that.
class CrowdLibraryBuilder
{
public:
    /// A library whose runners each live runnerSeconds seconds of play.
    static KelTrajectoryLibrary build(double runnerSeconds);
};
