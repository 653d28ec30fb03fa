#pragma once

#include "platform/WinApi.h"
#include "trajectory/KelTrajectoryLibrary.h"
#include "trajectory/Trajectory.h"

#include <functional>
#include <iosfwd>
#include <string>

class DrawingWindow;

/// The drawing tool's flow: strokes drawn with the left button become trajectories, the author keeps or drops
/// each one, kept ones go into a library named traj1, traj2, ..., SPACE writes the library to a file named on the
/// console, L reloads the last file and ESC closes the window. One pass handles one window event.
class DrawingSession
{
public:
    /// Returns the sample clock: UTC time of day in milliseconds.
    using Clock = std::function<DWORD()>;

    DrawingSession(DrawingWindow& window, Clock clock, std::istream& consoleIn, std::ostream& consoleOut);

    /// Runs passes until the window is closed.
    void run();

    /// Waits for one window event and handles it.
    void runPass();

    bool isDrawing() const { return state == State::Drawing; }
    const KelTrajectoryLibrary& getLibrary() const { return library; }

private:
    enum class State
    {
        Idle,
        Drawing
    };

    void handleIdle(int x, int y);
    void startStrokeOnPress(int x, int y);
    void closeOnEscape();
    void reloadOnL();
    void saveOnSpace();
    void handleDrawing(int x, int y);
    void takeSample(int x, int y);
    void endStroke();
    void keepStroke();

    DrawingWindow& window;
    Clock clock;
    std::istream& consoleIn;
    std::ostream& consoleOut;

    State state = State::Idle;
    DWORD sampleStartTime;
    Trajectory workingTrajectory;
    KelTrajectoryLibrary library;
    std::string libraryFileName;
    int keptCounter = 0;
};
