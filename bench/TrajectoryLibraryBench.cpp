// Speed of the trajectory library: building tracks, sampling positions, reading and writing library files.

#include "support/TempDir.h"
#include "support/TestTrajectories.h"
#include "trajectory/GameSpeed.h"
#include "trajectory/KelTrajectoryLibrary.h"

#include <OgreLogManager.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace
{

Trajectory strokeOf(int count)
{
    Trajectory trajectory;
    for (const PositionKey& key : sweepingKeys(count))
        trajectory.addPositionKey(key);
    return trajectory;
}

// A library whose file is about targetBytes long: 200 trajectories of equal length.
KelTrajectoryLibrary libraryOfSize(std::size_t targetBytes)
{
    constexpr int kTrajectories = 200;
    constexpr std::size_t kBytesPerKey = 50;
    const int keysEach = static_cast<int>(targetBytes / kBytesPerKey / kTrajectories);
    KelTrajectoryLibrary library;
    for (int t = 0; t < kTrajectories; ++t)
    {
        Trajectory trajectory = strokeOf(keysEach);
        trajectory.setName("traj" + std::to_string(t + 1));
        library.addTrajectory(trajectory);
    }
    return library;
}

void BM_BuildTrackInTimeOrder(benchmark::State& state)
{
    const std::vector<PositionKey> keys = sweepingKeys(static_cast<int>(state.range(0)));
    for (auto _ : state)
    {
        Trajectory trajectory;
        for (const PositionKey& key : keys)
            trajectory.addPositionKey(key);
        benchmark::DoNotOptimize(trajectory.getTrackPos().data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildTrackInTimeOrder)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One runner's frames over its whole path: a lookup every 1/60 s of its life, at the game's speed.
void BM_PositionAtSweep(benchmark::State& state)
{
    const Trajectory trajectory = strokeOf(static_cast<int>(state.range(0)));
    const double endMs = trajectory.getTrackPos().back().time;
    const double stepMs = kGameTrajectoryMsPerSecond / 60.0;
    for (auto _ : state)
    {
        float x = 0, y = 0;
        for (double t = 0; t <= endMs; t += stepMs)
            benchmark::DoNotOptimize(trajectory.positionAt(t, x, y));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(endMs / stepMs));
}
BENCHMARK(BM_PositionAtSweep)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_WriteLibraryFile10MB(benchmark::State& state)
{
    const KelTrajectoryLibrary library = libraryOfSize(10 * 1024 * 1024);
    const TempDir dir;
    const std::string fileName = dir.file("bench-write.xml");
    for (auto _ : state)
        benchmark::DoNotOptimize(library.outPutToFile(fileName));
}
BENCHMARK(BM_WriteLibraryFile10MB)->Unit(benchmark::kMillisecond);

void BM_ReadLibraryFile10MB(benchmark::State& state)
{
    const TempDir dir;
    const std::string fileName = dir.file("bench-read.xml");
    libraryOfSize(10 * 1024 * 1024).outPutToFile(fileName);
    for (auto _ : state)
    {
        KelTrajectoryLibrary library;
        benchmark::DoNotOptimize(library.parseFileForTraj(fileName));
    }
}
BENCHMARK(BM_ReadLibraryFile10MB)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // The library logs through the engine's log manager; a log without a file keeps the figures clean.
    auto logManager = std::make_unique<Ogre::LogManager>();
    logManager->createLog("bench", true, false, true);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
