#pragma once

#include "trajectory/Trajectory.h"

#include <cstddef>
#include <limits>
#include <vector>

/// The position on a position track at a time, as Trajectory::positionAt defines it, with a memory of where its
/// last search for the key after the time ended. A later time (or the same) goes on from there; an earlier time,
/// or NaN, searches from the front. The answer is the same as a search from the front in every case: the keys
/// passed for an earlier time are passed for a later one too. A fresh cursor searches from the front. One cursor
/// serves one track, whose times must not change while the cursor is used with it.
class TrackCursor
{
public:
    /// positionAt's answer on track at time t, where place(key) gives the key's position as a PositionKey (only its
    /// px and py are read). Returns false once t lies beyond the last key (x, y then hold its position) and for an
    /// empty track (x, y untouched).
    template <typename Place>
    bool positionAt(const std::vector<PositionKey>& track, double t, const Place& place, float& x, float& y);

private:
    /// Index of the first key from the second on whose time t does not exceed; the last key when there is none.
    std::size_t segmentEnd(const std::vector<PositionKey>& track, double t);
    /// Position at t between a and b (placed keys with their times), every product and sum rounded to a float.
    static void interpolate(const PositionKey& a, const PositionKey& b, double t, float& x, float& y);

    double searchedTime = -std::numeric_limits<double>::infinity();
    std::size_t searchedEnd = 1;
};

template <typename Place>
bool TrackCursor::positionAt(const std::vector<PositionKey>& track, double t, const Place& place, float& x, float& y)
{
    const std::size_t count = track.size();
    if (count == 0)
        return false;

    const PositionKey& first = track.front();
    const PositionKey& last = track.back();
    const auto answer = [&x, &y](const PositionKey& key, bool following)
    {
        x = key.px;
        y = key.py;
        return following;
    };
    if (count == 1)
        return answer(place(first), t <= first.time);
    if (t > last.time)
        return answer(place(last), false);
    if (t < first.time)
        return answer(place(first), true);

    const std::size_t end = segmentEnd(track, t);
    const PositionKey& a = track[end - 1];
    const PositionKey& b = track[end];
    if (a.time == b.time)
        return answer(place(a), true);
    interpolate(place(a), place(b), t, x, y);
    return true;
}
