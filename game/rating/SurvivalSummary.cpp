#include "game/rating/SurvivalSummary.h"

#include <algorithm>
#include <cmath>

void SurvivalSummary::add(double survivalSeconds, bool gameWon, int playingFrames, int framesInSight)
{
    times.push_back(survivalSeconds);
    won += gameWon ? 1 : 0;
    frames += playingFrames;
    framesSeen += framesInSight;
}

double SurvivalSummary::inSight() const
{
    return frames > 0 ? static_cast<double>(framesSeen) / static_cast<double>(frames) : 1.0;
}

double SurvivalSummary::quantile(double q) const
{
    if (times.empty())
        return 0.0;
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    const double place = q * static_cast<double>(sorted.size() - 1);
    const std::size_t below = static_cast<std::size_t>(std::floor(place));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (sorted[above] - sorted[below]) * (place - static_cast<double>(below));
}
