#pragma once

#include "trajectory/PlaneTurn.h"
#include "trajectory/TrackCursor.h"
#include "trajectory/Trajectory.h"

#include <memory>
#include <vector>

/// A trajectory's position track as one runner follows it: turned about the trajectory origin and then shifted,
/// read from the trajectory's own keys instead of a transformed copy. It holds those keys with the trajectory and
/// its copies; a trajectory never changes keys that others hold (it changes a copy of its own), so the keys stay
/// alive and as they were for as long as the track exists, whatever becomes of the trajectory.
///
/// positionAt answers, bit for bit, what positionAt of a copy of the trajectory would answer after
/// rotatePositions(angleDegrees, 0, 0) and translatePositions(dx, dy). Each key is placed when it is read, and the
/// search for the key goes on from the previous call while time moves forward, so a lookup costs the same at
/// the start and at the end of a long path.
class PlacedTrack
{
public:
    PlacedTrack(const Trajectory& trajectory, float angleDegrees, float dx, float dy);

    /// Position at time t in trajectory units, as Trajectory::positionAt of the turned and shifted copy.
    bool positionAt(double t, float& x, float& y);

private:
    PositionKey placed(const PositionKey& key) const;

    std::shared_ptr<const std::vector<PositionKey>> keys;
    PlaneTurn turn;
    float dx;
    float dy;
    TrackCursor cursor;
};
