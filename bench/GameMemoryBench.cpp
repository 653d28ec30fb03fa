// Resident memory of the game on the headless engine while it plays on a library of one very long path (one key
// per drawn frame, 16 ms apart), with the hero standing still at the centre and no runner coming near him.
//
// Usage: game_memory_bench [keys (default 1000000)] [seconds of play (default 60)]

#include "game/headless/FakeKeyboard.h"
#include "game/headless/HeadlessGameScene.h"
#include "game/logic/GameStep.h"
#include "game/logic/JeuTotal.h"
#include "support/LibraryFile.h"
#include "support/ResidentMemory.h"
#include "support/TestTrajectories.h"
#include "trajectory/DrawingFrame.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

constexpr double kKeySpacingMs = 16.0;
constexpr float kCircleRadius = 100.0f; // drawing pixels around the drawing's centre, away from the hero
constexpr float kFrameSeconds = 1.0f / 60.0f;
constexpr int kReportEverySeconds = 10;

// Made apart and let go before the game starts, so that only the game's own memory stays.
bool writeLongPathLibrary(int keyCount)
{
    return writeLibraryFile(Sarna::JeuTotal::kLibraryFile,
                            {circlingTrajectory("long", keyCount, kKeySpacingMs, DrawingFrame::kCentreX,
                                                DrawingFrame::kCentreY, kCircleRadius)});
}

void report(const char* when, double seconds, std::size_t runners)
{
    const ResidentMemory memory = residentMemory();
    std::printf("%-12s %6.0f s %6zu runners  resident %8.1f MiB  peak %8.1f MiB\n", when, seconds, runners,
                static_cast<double>(memory.now) / kBytesPerMiB, static_cast<double>(memory.peak) / kBytesPerMiB);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    const int keyCount = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int playSeconds = argc > 2 ? std::atoi(argv[2]) : 60;

    HeadlessGameScene scene;
    report("engine", 0, 0);
    if (!writeLongPathLibrary(keyCount))
        return 1;
    FakeKeyboard keyboard;
    Sarna::JeuTotal game(scene.sceneManager(), &keyboard);
    report("library read", 0, 0);

    keyboard.press(OIS::KC_SPACE);
    const int frames = playSeconds * 60;
    for (int frame = 1; frame <= frames; ++frame)
    {
        if (Sarna::stepGame(game, keyboard, nullptr, kFrameSeconds) != Sarna::JeuTotal::StatePlaying)
        {
            std::printf("the game left play after %d frames\n", frame);
            return 1;
        }
        keyboard.release(OIS::KC_SPACE);
        if (frame % (kReportEverySeconds * 60) == 0)
            report("playing", game.getElapsed(), game.getRunners().size());
    }
    return 0;
}
