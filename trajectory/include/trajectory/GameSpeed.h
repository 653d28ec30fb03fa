#pragma once

/// The pace at which the game plays a trajectory: milliseconds of the drawing per second of a runner's life. The
/// drawing tool previews drawings at this pace too, so that the author sees them as the game will run them.
constexpr double kGameTrajectoryMsPerSecond = 300.0;
