#pragma once

#include <vector>

/// The survival times and wins of one policy's games, and how much of their play the hero was in the picture.
class SurvivalSummary
{
public:
    /// A game of the policy; durations that are not games (the warnings' leads) leave out the frames.
    void add(double survivalSeconds, bool won, int playingFrames = 0, int framesInSight = 0);

    int games() const { return static_cast<int>(times.size()); }
    int wins() const { return won; }
    /// The q-quantile of the survival times (0 = shortest, 0.5 = median, 1 = longest), interpolated between the
    /// two nearest games; 0 without games.
    double quantile(double q) const;
    /// The share of all playing frames in which the hero's whole figure was in the picture; 1 without frames.
    double inSight() const;

private:
    std::vector<double> times;
    int won = 0;
    long frames = 0;
    long framesSeen = 0;
};
