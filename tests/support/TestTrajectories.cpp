#include "support/TestTrajectories.h"

#include "trajectory/DrawingFrame.h"

#include <cmath>

namespace
{
constexpr double kSweepSpacingMs = 16.0; // one pointer event per frame of the drawing tool
constexpr int kSweepRowStep = 7;
} // namespace

Trajectory trajectoryOf(const std::string& name, std::initializer_list<PositionKey> keys)
{
    Trajectory trajectory;
    for (const PositionKey& key : keys)
        trajectory.addPositionKey(key);
    trajectory.setName(name);
    return trajectory;
}

Trajectory standingTrajectory(const std::string& name, float px, float py, double lastTime)
{
    return trajectoryOf(name, {{px, py, 0.0}, {px, py, lastTime}});
}

Trajectory standingOffCentre(const std::string& name, float dx, float dy, double lastTime)
{
    return standingTrajectory(name, DrawingFrame::kCentreX + dx, DrawingFrame::kCentreY + dy, lastTime);
}

Trajectory circlingTrajectory(const std::string& name, int keyCount, double spacingMs, float centreX, float centreY,
                              float radius)
{
    Trajectory trajectory;
    trajectory.setName(name);
    for (int i = 0; i < keyCount; ++i)
    {
        const double turn = 2.0 * M_PI * (i % 360) / 360.0;
        trajectory.addPositionKey({static_cast<float>(std::round(centreX + radius * std::cos(turn))),
                                   static_cast<float>(std::round(centreY + radius * std::sin(turn))), i * spacingMs});
    }
    return trajectory;
}

std::vector<PositionKey> sweepingKeys(int count)
{
    std::vector<PositionKey> keys;
    keys.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        keys.push_back(
            {float(i % DrawingFrame::kWidth), float((i * kSweepRowStep) % DrawingFrame::kHeight), i * kSweepSpacingMs});
    return keys;
}
