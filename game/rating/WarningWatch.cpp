#include "game/rating/WarningWatch.h"

#include "game/logic/GameWorld.h"

void WarningWatch::note(std::uint32_t runner, const GroundPoint& runnerPlace, const GroundPoint& heroPlace,
                        double playTime)
{
    const float dx = runnerPlace.x - heroPlace.x;
    const float dz = runnerPlace.z - heroPlace.z;
    if (dx * dx + dz * dz < Sarna::kWarningDistance * Sarna::kWarningDistance)
        warnedAt.emplace(runner, playTime);
}

double WarningWatch::leadBefore(std::uint32_t runner, double catchTime) const
{
    const auto warned = warnedAt.find(runner);
    return warned != warnedAt.end() ? catchTime - warned->second : 0.0;
}
