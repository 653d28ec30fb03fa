#include "trajectory/TrackCursor.h"

#include <cassert>

std::size_t TrackCursor::segmentEnd(const std::vector<PositionKey>& track, double t)
{
    const std::size_t last = track.size() - 1;
    assert(searchedEnd <= last);
    // Every key passed for an earlier time (its time below that time, or NaN) is passed for t too.
    std::size_t end = t >= searchedTime ? searchedEnd : 1;
    while (end < last && !(t <= track[end].time))
        ++end;
    searchedTime = t;
    searchedEnd = end;
    return end;
}

void TrackCursor::interpolate(const PositionKey& a, const PositionKey& b, double t, float& x, float& y)
{
    // Every product and sum is rounded to single precision on its own, as the game has always computed it.
    const float u = static_cast<float>((t - a.time) / (b.time - a.time));
    const float oneMinusU = 1.0f - u;
    const float ax = a.px * oneMinusU;
    const float bx = b.px * u;
    const float ay = a.py * oneMinusU;
    const float by = b.py * u;
    x = ax + bx;
    y = ay + by;
}
