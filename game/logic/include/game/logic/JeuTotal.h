#pragma once

#include "game/logic/BestTimeFile.h"
#include "game/logic/ReadOnlyPointers.h"
#include "game/logic/StartView.h"
#include "game/logic/TimedObject.h"
#include "trajectory/KelTrajectoryLibrary.h"

#include <OgreVector.h>

#include <memory>
#include <vector>

namespace Ogre
{
class Overlay;
class SceneManager;
class SceneNode;
} // namespace Ogre

namespace OIS
{
class Keyboard;
}

namespace Sarna
{

class GameSound;
class KeyPresses;
class PlayTimeDisplay;
class RunningMan;
class SpawnGroup;

/// The game: the trajectory library read from "library1.xml", the hero steered with Y/H/G/J, the runners spawned
/// singly and in bursts of fifteen, the catch rule, and the start, won and lost picture screens. Play time is in
/// seconds, shown during play and over the won and lost pictures with the best time, which is kept in the working
/// folder; the hero walks on the world's x/z ground plane.
class JeuTotal : public TimedObject
{
public:
    enum GameState
    {
        StateStart = 1,
        StatePlaying = 2,
        StateLost = 3,
        StateWon = 4,
        StateRestart = 5
    };

    /// The library file, read from the working folder.
    static constexpr const char* kLibraryFile = "library1.xml";
    /// Index of the library trajectory that the next spawn uses; advanced once per playing frame, never reset.
    static int spawnCounter;
    /// The drawing-plane point that becomes the world origin (the centre of the drawing area).
    static const Ogre::Vector2 trajectoryOrigin;
    /// Width, in trajectory units, of the line on which the runners of a burst are placed.
    static constexpr float groupWidth = 40.0f;

    /// Builds the whole game; on return the start picture is shown. The scene manager must have the overlay
    /// system registered; neither argument is owned.
    JeuTotal(Ogre::SceneManager* sceneManager, OIS::Keyboard* keyboard);
    ~JeuTotal() override;

    /// One frame of the rules. Returns the state after the step, or 0 when the library holds no trajectory.
    int update(float dt) override;
    /// Advances the hero and every runner, and deletes those that have finished. Returns 1.
    int updateOwned(float dt) override;

    int getState() const { return state; }
    /// True while a game is paused: nothing of the game moves and its clock stands still.
    bool isPaused() const { return paused; }
    const KelTrajectoryLibrary& getLibrary() const { return library; }
    ReadOnlyPointers<TimedObject> getRunners() const { return ReadOnlyPointers<TimedObject>(runners); }
    const RunningMan* getHero() const { return hero; }
    const Ogre::SceneNode* getHeroNode() const { return heroNode; }
    const SpawnGroup* getGroup() const { return group; }
    double getElapsed() const { return elapsed; }
    double getTimeSinceSpawn() const { return timeSinceSpawn; }
    const Ogre::Overlay* getOverlayWin() const { return overlayWin; }
    const Ogre::Overlay* getOverlayLost() const { return overlayLost; }
    const Ogre::Overlay* getOverlayDebut() const { return overlayDebut; }
    const PlayTimeDisplay& getPlayTime() const { return *playTime; }
    /// The keys pressed in the current frame; its frame begins in stepGame. The frame loop reads its own
    /// one-shot keys there too.
    KeyPresses& getKeyPresses() { return *keyPresses; }
    const KeyPresses& getKeyPresses() const { return *keyPresses; }
    /// Where the hero's centre may go: his whole figure stays in what the top camera shows from its start place,
    /// and on the ground.
    const GroundRect& getHeroArea() const { return heroArea; }

private:
    void loadLibrary();
    void createPictureMaterials();
    void createPictureOverlays();
    Ogre::Overlay* createPictureOverlay(const char* overlayName, const char* panelName, const char* materialName);

    /// Pause or Tab pauses and resumes a game being played; on the pictures they do nothing.
    void togglePauseOnPress();
    void playStep(float dt);
    void steerHero(float step);
    void keepHeroInSight();
    void spawnSingleRunner();
    void advanceBurst();
    void spawnRunner(int trajectoryIndex, const Ogre::Vector2& offset, float angle);
    void catchTest();
    /// The warning for a runner first coming near the running hero, and the catch's cue.
    void soundApproach(const TimedObject& runner, float squaredDistance);
    void endGame(double survived);
    void showPlayTime();
    void endScreen(Ogre::Overlay* overlay);
    void waitForSpaceRelease();
    void resetStep();
    /// The hero on heroNode, in his own colours.
    void createHero();
    void clearCharacters();

    int state = StateStart;
    KelTrajectoryLibrary library;
    std::vector<TimedObject*> runners;
    RunningMan* hero = nullptr;
    Ogre::SceneNode* heroNode = nullptr;
    SpawnGroup* group = nullptr;
    double timeSinceSpawn = 0.0;
    double elapsed = 0.0;
    Ogre::SceneManager* sceneManager;
    OIS::Keyboard* keyboard;
    Ogre::Overlay* overlayWin = nullptr;
    Ogre::Overlay* overlayLost = nullptr;
    Ogre::Overlay* overlayDebut = nullptr;
    GroundRect heroArea{};
    // The time on screen and the best time kept between runs.
    BestTimeFile bestTime;
    bool paused = false;
    // The one-shot keys (SPACE, Pause, Tab, S) are read from it, the held ones (steering) from the keyboard.
    std::unique_ptr<KeyPresses> keyPresses;
    std::unique_ptr<PlayTimeDisplay> playTime;
    // The cues of the game's events, the wind during play, and the mute key.
    std::unique_ptr<GameSound> sound;
};

} // namespace Sarna
