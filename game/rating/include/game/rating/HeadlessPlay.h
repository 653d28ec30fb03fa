#pragma once

#include "game/headless/FakeKeyboard.h"
#include "game/headless/HeadlessGameScene.h"
#include "game/headless/VisibleGround.h"
#include "game/logic/StartView.h"
#include "game/rating/ScreenObservation.h"
#include "game/rating/WarningWatch.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Sarna
{
class JeuTotal;
}

class Policy;

/// How one game ended.
struct GameOutcome
{
    /// Play time when the game ended: when the lost picture came (the catch plus the hero's dying animation), or
    /// 180 s for a game won.
    double survivalSeconds = 0.0;
    bool won = false;
    /// Play time of the catch and the trajectory of the runner that made it; negative and empty when never caught.
    double caughtAt = -1.0;
    std::string caughtBy;
    /// How long that runner had been on the screen before the catch, and how fast it ran (world units per second).
    double catcherOnScreen = 0.0;
    float catcherSpeed = 0.0f;
    GroundPoint caughtWhere; ///< the hero's place at the catch
    /// Frames played, and those after which the hero's whole figure, head included, was in the picture.
    int playingFrames = 0;
    int framesInSight = 0;
    /// How long before the catch the catching runner's warning sounded.
    double warningLead = 0.0;
};

/// The real game controller on a trajectory library, with the real game data, in the engine without a render
/// system (HeadlessGameScene), driven by a fake keyboard frame by frame as the game's loop drives it (capture, update,
/// updateOwned). Games follow one another through the won or lost picture and the start picture, as a player's do.
class HeadlessPlay
{
public:
    /// Copies libraryFile as the game's library file into workDirectory (an existing empty folder; empty: a scratch
    /// folder of its own) and builds the game on it there.
    HeadlessPlay(const std::string& mediaDirectory, const std::string& libraryFile,
                 const std::string& workDirectory = "");
    ~HeadlessPlay();

    HeadlessPlay(const HeadlessPlay&) = delete;
    HeadlessPlay& operator=(const HeadlessPlay&) = delete;

    /// Number of trajectories the game read; 0 when the file was missing, unreadable or empty, or when the working
    /// folder could not be made or entered.
    int trajectoryCount() const;
    const VisibleGround& view() const { return *visible; }
    /// Where the game lets the hero's centre go; only valid when trajectoryCount is not 0.
    const Sarna::GroundRect& heroArea() const;

    /// Plays one game from the start picture with the spawn counter at startCounter, in frames of frameSeconds.
    GameOutcome play(Policy& policy, int startCounter, float frameSeconds);

private:
    struct RunnerSighting
    {
        std::uint32_t id;
        std::string trajectory;
        GroundPoint position;
    };

    int frame(float dt);
    void steer(const Steering& steering);
    ScreenObservation observe() const;
    bool figureInSight() const;
    std::vector<RunnerSighting> runnerPositions() const;
    const RunnerSighting* nearestToHero(const std::vector<RunnerSighting>& runners) const;
    void noteFirstSightings(const ScreenObservation& screen);
    void leaveEndPicture(float dt);

    // The scene and its working folder go last, also when building the game fails.
    HeadlessGameScene scene;
    std::optional<VisibleGround> visible;
    std::optional<VisibleGround> visibleAtHead;
    FakeKeyboard keyboard;
    std::unique_ptr<Sarna::JeuTotal> game;
    std::map<std::uint32_t, double> firstOnScreen; ///< play time at which each runner was first on the screen
    WarningWatch warnings;
};
