// Resident memory of the game on the headless engine while it plays on a library of one very long path (one key
// per drawn frame, 16 ms apart), with the hero standing still at the centre and no runner coming near him.
//
// Usage: game_memory_bench [keys (default 1000000)] [seconds of play (default 60)]

#include "FakeKeyboard.h"
#include "HeadlessGameScene.h"
#include "game/logic/JeuTotal.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace
{

constexpr double kKeySpacingMs = 16.0;
constexpr float kFrameSeconds = 1.0f / 60.0f;
constexpr int kReportEverySeconds = 10;

// A circle of 100 pixels about the drawing's centre, in whole pixels and milliseconds as the drawing tool
// records them; written by hand because every digit of the times must survive.
void writeLongPathLibrary(int keyCount)
{
    std::FILE* file = std::fopen("library1.xml", "w");
    std::fputs("<?xml version=\"1.0\" ?>\n<Trajectories>\n<Trajectory name=\"long\" >\n\t<TrackPos>\n", file);
    for (int i = 0; i < keyCount; ++i)
    {
        const double turn = 2.0 * M_PI * (i % 360) / 360.0;
        std::fprintf(file, "\t\t<Elem time=\"%.0f\"  px=\"%.0f\"  py=\"%.0f\" />\n", i * kKeySpacingMs,
                     250.0 + 100.0 * std::cos(turn), 350.0 + 100.0 * std::sin(turn));
    }
    std::fputs("</TrackPos><TrackYaw>\n</TrackYaw></Trajectory>\n\n</Trajectories>\n", file);
    std::fclose(file);
}

// A field of /proc/self/status ("VmRSS", "VmHWM") in MiB.
double statusMiB(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
    {
        if (line.compare(0, field.size() + 1, field + ":") == 0)
            return std::strtod(line.c_str() + field.size() + 1, nullptr) / 1024.0;
    }
    return -1.0;
}

void report(const char* when, double seconds, std::size_t runners)
{
    std::printf("%-12s %6.0f s %6zu runners  resident %8.1f MiB  peak %8.1f MiB\n", when, seconds, runners,
                statusMiB("VmRSS"), statusMiB("VmHWM"));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    const int keyCount = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int playSeconds = argc > 2 ? std::atoi(argv[2]) : 60;

    HeadlessGameScene scene;
    report("engine", 0, 0);
    writeLongPathLibrary(keyCount);
    FakeKeyboard keyboard;
    Sarna::JeuTotal game(scene.sceneManager(), &keyboard);
    report("library read", 0, 0);

    keyboard.press(OIS::KC_SPACE);
    const int frames = playSeconds * 60;
    for (int frame = 1; frame <= frames; ++frame)
    {
        keyboard.capture();
        if (game.update(kFrameSeconds) != Sarna::JeuTotal::StatePlaying)
        {
            std::printf("the game left play after %d frames\n", frame);
            return 1;
        }
        game.updateOwned(kFrameSeconds);
        keyboard.release(OIS::KC_SPACE);
        if (frame % (kReportEverySeconds * 60) == 0)
            report("playing", game.getElapsed(), game.getRunners().size());
    }
    return 0;
}
