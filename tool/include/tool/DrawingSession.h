#pragma once

#include "platform/WinApi.h"
#include "tool/DrawingWindow.h"
#include "tool/LibraryRater.h"
#include "tool/SampleTime.h"
#include "trajectory/KelTrajectoryLibrary.h"
#include "trajectory/Trajectory.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

/// The drawing tool's flow: strokes drawn with the left button become trajectories, the author keeps or drops
/// each one, kept ones go into a library named traj1, traj2, ..., SPACE writes the library to a file named on the
/// console, L reloads the last file and ESC closes the window. P plays the library back at the speed it was drawn
/// and G at the game's speed; U takes back the last kept drawing, whose name the next kept one then reuses.
/// V shows and hides the guides (what the game's camera shows, the hero's start place, the kept drawings) and, while
/// they are shown, colours each dot of a stroke by the runner's speed there. R has the library in memory rated, if
/// the session has a rater. A session may continue a library file read at start-up. One pass handles one window
/// event.
class DrawingSession
{
public:
    /// Returns the sample clock: UTC time of day in milliseconds.
    using Clock = SampleClock;

    DrawingSession(DrawingWindow& window, Clock clock, std::istream& consoleIn, std::ostream& consoleOut);

    /// Continues the library read from fileName (empty when there is no such file yet): L reloads that file, and
    /// kept drawings are named after the highest "trajN" loaded or left out of the read, so that none replaces a
    /// trajectory of the file. A save over the file asks first while the read left trajectories out.
    void continueLibrary(const std::string& fileName, KelTrajectoryLibrary loaded,
                         const std::vector<std::string>& leftOut = {});

    /// What R rates the library in memory with; none by default, and R does nothing.
    void setRater(LibraryRater* libraryRater) { rater = libraryRater; }

    /// The name the next kept drawing gets.
    std::string nextKeptName() const;

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

    /// The keys that act once per press rather than in every pass while held.
    struct Presses
    {
        bool undo = false;
        bool previewAsDrawn = false;
        bool previewAtGameSpeed = false;
        bool guides = false;
        bool rate = false;
    };

    /// A drawing kept in this run, with the trajectory of the same name it replaced, if any.
    struct KeptDrawing
    {
        std::string name;
        std::optional<Trajectory> replaced;
    };

    Presses readPresses();
    void handleIdle(int x, int y, const Presses& presses);
    void startStrokeOnPress(int x, int y);
    void closeOnEscape();
    void reloadOnL();
    void saveOnSpace();
    /// Whether fileName names the file the last read left trajectories out of.
    bool isPartlyReadFile(const std::string& fileName) const;
    /// Asks at the console whether to save over the partly read file and lose what was left out of it.
    bool confirmSaveOverPartlyReadFile(const std::string& fileName);
    void rememberLeftOut(const std::string& fileName, const std::vector<std::string>& leftOut);
    void undoOnPress(bool pressed);
    void previewOnPress(const Presses& presses);
    void toggleGuidesOnPress(bool pressed);
    void rateOnPress(bool pressed);
    /// Clears the window to black or, while they are shown, to the guides of the library as it is now.
    void clearWindow();
    DotInk inkOfLatestSample() const;
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
    /// The file last read (at start or with L) when the reader left trajectories out of it, and their names: a save
    /// over it would drop them.
    std::string partlyReadFile;
    std::vector<std::string> leftOutOfFile;

    /// Drawings kept since the start or the last reload, oldest first: what undo can take back.
    std::vector<KeptDrawing> keptDrawings;
    bool undoHeld = false;
    bool previewAsDrawnHeld = false;
    bool previewAtGameSpeedHeld = false;
    bool guidesHeld = false;
    bool guidesShown = false;
    bool rateHeld = false;
    LibraryRater* rater = nullptr;
};
