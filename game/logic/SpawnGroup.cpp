#include "game/logic/SpawnGroup.h"

#include <cassert>

namespace Sarna
{
namespace
{
constexpr int kRunnersPerBurst = 15;
constexpr double kSecondsBetweenRunners = 0.3;
constexpr float kFullTurnDegrees = 360.0f;
} // namespace

void SpawnGroup::buildSpawnGroup(int pattern, float t0, float width)
{
    assert(pattern >= 0 && pattern < kPatterns);
    const float half = width * 0.5f;
    for (int i = 0; i < kRunnersPerBurst; ++i)
    {
        SpawnGroupEntry entry{static_cast<float>(t0 + kSecondsBetweenRunners * i), 0.0f, 0.0f, 0.0f};
        const float step = static_cast<float>(i) * half / kRunnersPerBurst;
        switch (pattern)
        {
        case 1:
            entry.offsetX = step - half;
            break;
        case 2:
            entry.offsetX = half - step;
            break;
        case 3:
            entry.offsetX = half - step;
            entry.angle = static_cast<float>(i) * kFullTurnDegrees / kRunnersPerBurst;
            break;
        default:
            break;
        }
        entries.push_back(entry);
    }
}

void SpawnGroup::popFront()
{
    assert(!entries.empty());
    entries.erase(entries.begin());
}

} // namespace Sarna
