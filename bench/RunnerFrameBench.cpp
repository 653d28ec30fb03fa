// One frame of the runners as the game controller advances them: for each runner its updateOwned (the man's
// animation) and then its update (the move along its path), on the headless engine with the real game data.

#include "game/headless/HeadlessGameScene.h"
#include "game/logic/RunningManTraj.h"
#include "support/TestTrajectories.h"
#include "trajectory/GameSpeed.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace
{

constexpr float kFrameSeconds = 1.0f / 60.0f;
constexpr double kKeySpacingMs = 16.0;     // one pointer event per frame of the drawing tool
constexpr double kShortPathMs = 4000000.0; // long enough in time that no runner reaches its end in a run
constexpr float kCircleRadius = 100.0f;    // drawing pixels around the drawing's centre, away from the hero

HeadlessGameScene* scene = nullptr;

// A path circling the world origin, as the controller holds it once shifted. Short paths have few keys far apart
// in time, long paths one key per drawn frame.
Trajectory circlingPath(int keyCount)
{
    const double spacing = std::max(kKeySpacingMs, kShortPathMs / keyCount);
    return circlingTrajectory("circle", keyCount, spacing, 0.0f, 0.0f, kCircleRadius);
}

void BM_RunnersFrame(benchmark::State& state)
{
    const int runnerCount = static_cast<int>(state.range(0));
    const Trajectory path = circlingPath(static_cast<int>(state.range(1)));
    const double pathSeconds = path.getTrackPos().back().time / kGameTrajectoryMsPerSecond;

    // Burst-like placements, and ages spread evenly over the first half of the path.
    std::vector<std::unique_ptr<Sarna::RunningManTraj>> runners;
    for (int i = 0; i < runnerCount; ++i)
    {
        const Ogre::Vector2 offset(static_cast<float>(i % 15) * 2.0f - 14.0f, 0.0f);
        runners.push_back(std::make_unique<Sarna::RunningManTraj>(path, scene->sceneManager(), offset,
                                                                  static_cast<float>(i % 15) * 24.0f));
        const float age = static_cast<float>(pathSeconds * 0.5 * i / runnerCount);
        runners.back()->updateOwned(age);
        runners.back()->update(age);
    }

    for (auto _ : state)
    {
        for (const auto& runner : runners)
        {
            runner->updateOwned(kFrameSeconds);
            benchmark::DoNotOptimize(runner->update(kFrameSeconds));
        }
    }

    for (const auto& runner : runners)
    {
        if (runner->getState() != Sarna::RunningManTraj::Following)
        {
            state.SkipWithError("a runner reached the end of its path: the figures would not be a runner's frame");
            break;
        }
    }
    state.counters["per_runner"] =
        benchmark::Counter(runnerCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
// {runners, keys of the path}
BENCHMARK(BM_RunnersFrame)
    ->Args({50, 100})
    ->Args({200, 100})
    ->Args({1000, 100})
    ->Args({50, 100000})
    ->Args({200, 100000})
    ->Args({1000, 100000})
    ->Args({50, 1000000})
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    HeadlessGameScene headless;
    scene = &headless;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    scene = nullptr;
    return 0;
}
