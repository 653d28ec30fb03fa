#pragma once

#include "tool/SampleTime.h"
#include "trajectory/GameSpeed.h"

#include <iosfwd>

class DrawingWindow;
class KelTrajectoryLibrary;
class Trajectory;

/// Plays a library's trajectories back in the drawing window, one after another in name order: each as a dot
/// moving along its path from trajectory time 0, leaving its trail, then held for a moment on its whole trail.
/// Speeds are trajectory milliseconds per millisecond of playback. A key or button press, or closing the window,
/// stops the playback; the press does nothing else. The window is cleared again afterwards (to black, or to the
/// guides when they are shown).
class TrajectoryPreview
{
public:
    /// The speed at which the stroke was drawn.
    static constexpr double kAsDrawn = 1.0;
    /// The speed at which the game moves its runners.
    static constexpr double kGameSpeed = kGameTrajectoryMsPerSecond / 1000.0;

    TrajectoryPreview(DrawingWindow& window, const SampleClock& clock, std::ostream& consoleOut);

    /// Plays every trajectory that has position keys, naming each on the console; says so when there is none.
    void play(const KelTrajectoryLibrary& library, double speed);

private:
    struct Pixel
    {
        int x;
        int y;
    };

    /// Plays one trajectory and holds its end; false when stopped.
    bool playOne(const Trajectory& trajectory, double speed);
    Pixel trailTo(Pixel from, Pixel to);

    DrawingWindow& window;
    const SampleClock& clock;
    std::ostream& consoleOut;
};
