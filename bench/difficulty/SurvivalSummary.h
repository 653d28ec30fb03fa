#pragma once

#include <vector>

/// The survival times and wins of one policy's games.
class SurvivalSummary
{
public:
    void add(double survivalSeconds, bool won);

    int games() const { return static_cast<int>(times.size()); }
    int wins() const { return won; }
    /// The q-quantile of the survival times (0 = shortest, 0.5 = median, 1 = longest), interpolated between the
    /// two nearest games; 0 without games.
    double quantile(double q) const;

private:
    std::vector<double> times;
    int won = 0;
};
