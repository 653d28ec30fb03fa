#include "CrowdLibraryBuilder.h"

#include "game/logic/GameWorld.h"
#include "trajectory/DrawingFrame.h"
#include "trajectory/GameSpeed.h"

#include <cmath>
#include <string>

namespace
{
constexpr double kSampleMs = 30.0;   // one key per pointer event of a drawing hand
constexpr double kRunnerSpeed = 7.0; // world units per second

/// An ellipse in world units on the ground (x, z), run round at kRunnerSpeed; direction +1 turns from +x to +z.
struct Loop
{
    double centreX;
    double centreZ;
    double radiusX;
    double radiusZ;
    double direction;
};

// The view shows x within about +-21 and z within about -7 ... 47; the hero starts at (0, 0).
const Loop kLoops[] = {
    {0.0, 24.0, 14.0, 15.0, 1.0},
    {4.0, 22.0, 9.0, 12.0, -1.0},
    {-4.0, 26.0, 9.0, 12.0, 1.0},
};

Trajectory loopPath(const Loop& loop, double runnerSeconds, int number)
{
    Trajectory path;
    path.setName("traj" + std::to_string(number));
    const double meanRadius = 0.5 * (loop.radiusX + loop.radiusZ);
    const double radiansPerSecond = kRunnerSpeed / meanRadius;
    const double lastMs = runnerSeconds * kGameTrajectoryMsPerSecond;
    for (double ms = 0.0; ms <= lastMs + kSampleMs * 0.5; ms += kSampleMs)
    {
        const double angle = loop.direction * radiansPerSecond * ms / kGameTrajectoryMsPerSecond;
        const double x = loop.centreX + loop.radiusX * std::cos(angle);
        const double z = loop.centreZ + loop.radiusZ * std::sin(angle);
        // The game puts the drawing's centre at the world origin.
        path.addPositionKey({static_cast<float>(DrawingFrame::kCentreX + x / Sarna::kWorldUnitsPerTrajectoryUnit),
                             static_cast<float>(DrawingFrame::kCentreY + z / Sarna::kWorldUnitsPerTrajectoryUnit), ms});
    }
    return path;
}
} // namespace

KelTrajectoryLibrary CrowdLibraryBuilder::build(double runnerSeconds)
{
    KelTrajectoryLibrary library;
    int number = 1;
    for (const Loop& loop : kLoops)
        library.addTrajectory(loopPath(loop, runnerSeconds, number++));
    return library;
}
