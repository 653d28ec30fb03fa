#include "trajectory/PlacedTrack.h"

PlacedTrack::PlacedTrack(const Trajectory& trajectory, float angleDegrees, float shiftX, float shiftY)
    : keys(trajectory.shareTrackPos()), turn(angleDegrees), dx(shiftX), dy(shiftY)
{
}

bool PlacedTrack::positionAt(double t, float& x, float& y)
{
    return cursor.positionAt(
        *keys, t, [this](const PositionKey& key) { return placed(key); }, x, y);
}

PositionKey PlacedTrack::placed(const PositionKey& key) const
{
    // The same steps as rotatePositions about (0, 0) followed by translatePositions.
    PositionKey result = key;
    turn.apply(result.px, result.py, 0.0f, 0.0f);
    result.px = result.px + dx;
    result.py = result.py + dy;
    return result;
}
