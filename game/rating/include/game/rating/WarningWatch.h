#pragma once

#include "game/rating/ScreenObservation.h"

#include <cstdint>
#include <map>

/// When each runner of a game first came within the game's warning distance of the hero while he was still on his
/// feet, as the game sounds its warning, and so how long before a catch the catching runner was heard. Fed with the
/// places the game's catch test compares: the runners' before the frame, the hero's after his step in it.
class WarningWatch
{
public:
    void clear() { warnedAt.clear(); }
    /// One runner in a frame in which the hero was still running, at the frame's play time.
    void note(std::uint32_t runner, const GroundPoint& runnerPlace, const GroundPoint& heroPlace, double playTime);
    /// Seconds from the runner's warning to the catch; 0 when the catch came with no warning before it.
    double leadBefore(std::uint32_t runner, double catchTime) const;

private:
    std::map<std::uint32_t, double> warnedAt;
};
