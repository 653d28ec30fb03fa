#include "game/rating/BotFamily.h"

#include <algorithm>
#include <numeric>

std::vector<BotTraits> botFamily()
{
    // name, look ahead (s), worried within (units), reaction (s), key noise (s), noise seed
    return {
        {"watchful", 1.5f, 9.0f, 0.15f, 0.05f, 1u}, {"steady", 1.0f, 7.0f, 0.25f, 0.08f, 2u},
        {"hasty", 0.5f, 5.0f, 0.2f, 0.1f, 3u},      {"slow", 1.25f, 8.0f, 0.35f, 0.12f, 4u},
        {"careless", 0.75f, 6.0f, 0.3f, 0.15f, 5u},
    };
}

std::size_t medianVariant(const std::vector<SurvivalSummary>& atQuarterSecond)
{
    std::vector<std::size_t> order(atQuarterSecond.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b)
                     {
                         const double medianA = atQuarterSecond[a].quantile(0.5);
                         const double medianB = atQuarterSecond[b].quantile(0.5);
                         if (medianA != medianB)
                             return medianA < medianB;
                         return atQuarterSecond[a].wins() < atQuarterSecond[b].wins();
                     });
    return order[order.size() / 2];
}
