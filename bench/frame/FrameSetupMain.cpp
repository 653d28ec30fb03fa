// Prepares the frame benchmark's libraries: for each crowd size, a folder with its "library1.xml", the number of
// runners that the game keeps in view with it ("runners"), counted by playing the library with the real game logic
// on the headless engine, and the seconds a runner lives ("life"). Fails when a library lets a runner leave the view or
// catch the hero.
//
// Usage: frame_setup OUTPUT_DIRECTORY

#include "CrowdCensus.h"
#include "CrowdLibraryBuilder.h"
#include "game/logic/JeuTotal.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace
{
struct Crowd
{
    int wanted;           ///< runners in view that the benchmark asks for
    double runnerSeconds; ///< life of a runner that gives about that many
};

// The game spawns about 4.2 runners a second (single runners and bursts of fifteen): the count in view is
// about 4.2 times a runner's life.
const Crowd kCrowds[] = {{20, 4.8}, {60, 14.4}, {150, 36.0}};
constexpr double kCountSeconds = 20.0;
constexpr double kSettleSeconds = 3.0;
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::filesystem::path output = std::filesystem::absolute(argv[1]);
    bool fit = true;
    for (const Crowd& crowd : kCrowds)
    {
        const std::filesystem::path folder = output / ("runners" + std::to_string(crowd.wanted));
        std::filesystem::create_directories(folder);
        CrowdLibraryBuilder::build(crowd.runnerSeconds).outPutToFile((folder / Sarna::JeuTotal::kLibraryFile).string());
        const CrowdCensus census =
            CrowdCensus::take(folder.string(), crowd.runnerSeconds + kSettleSeconds, kCountSeconds);
        std::ofstream(folder / "runners") << std::lround(census.meanRunners) << "\n";
        std::ofstream(folder / "life") << crowd.runnerSeconds << "\n";
        std::printf("%3d wanted: %.1f runners in view (%d ... %d), %d runner frames out of view, hero %s\n",
                    crowd.wanted, census.meanRunners, census.fewestRunners, census.mostRunners, census.runnersOutOfView,
                    census.heroCaught ? "CAUGHT" : "never caught");
        fit = fit && census.runnersOutOfView == 0 && !census.heroCaught;
    }
    return fit ? 0 : 1;
}
