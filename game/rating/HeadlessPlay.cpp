#include "game/rating/HeadlessPlay.h"

#include "game/logic/GameStep.h"
#include "game/logic/GameWorld.h"
#include "game/logic/JeuTotal.h"
#include "game/logic/RunningMan.h"
#include "game/logic/RunningManTraj.h"
#include "game/rating/Policy.h"
#include "platform/MessageBoxSeam.h"

#include <OgreSceneNode.h>

#include <cmath>
#include <filesystem>
#include <limits>

namespace
{
bool isPlaying(int state)
{
    return state == Sarna::JeuTotal::StatePlaying;
}
} // namespace

HeadlessPlay::HeadlessPlay(const std::string& mediaDirectory, const std::string& libraryFile,
                           const std::string& workDirectory)
    : scene(workDirectory, mediaDirectory)
{
    visible = VisibleGround::ofGameCamera(scene.sceneManager());
    visibleAtHead =
        VisibleGround::ofGameCamera(scene.sceneManager(), Sarna::kShippedViewportAspectRatio, Sarna::kFigureHeight);

    std::error_code copyError;
    if (scene.workDirectory().empty() ||
        !std::filesystem::copy_file(libraryFile, Sarna::JeuTotal::kLibraryFile, copyError))
        return;
    // A library without trajectories is reported by trajectoryCount, not by a dialog.
    platform::setMessageBoxResponder([](const platform::MessageBoxRequest&) { return IDOK; });
    game = std::make_unique<Sarna::JeuTotal>(scene.sceneManager(), &keyboard);
}

HeadlessPlay::~HeadlessPlay()
{
    game.reset();
    platform::setMessageBoxResponder(nullptr);
}

int HeadlessPlay::trajectoryCount() const
{
    return game != nullptr ? game->getLibrary().count() : 0;
}

const Sarna::GroundRect& HeadlessPlay::heroArea() const
{
    return game->getHeroArea();
}

GameOutcome HeadlessPlay::play(Policy& policy, int startCounter, float frameSeconds)
{
    Sarna::JeuTotal::spawnCounter = startCounter;
    firstOnScreen.clear();
    warnings.clear();
    GameOutcome outcome;
    steer(policy.steer(observe()));
    keyboard.press(OIS::KC_SPACE);
    int state = frame(frameSeconds);
    keyboard.release(OIS::KC_SPACE);
    std::vector<RunnerSighting> before;
    while (isPlaying(state))
    {
        const ScreenObservation screen = observe();
        noteFirstSightings(screen);
        steer(policy.steer(screen));
        const std::vector<RunnerSighting> earlier = std::move(before);
        before = runnerPositions();
        const bool heroRunning = outcome.caughtAt < 0.0;
        state = frame(frameSeconds);
        ++outcome.playingFrames;
        outcome.framesInSight += figureInSight() ? 1 : 0;
        const Sarna::RunningMan* hero = game->getHero();
        const Ogre::Vector3& heroPlace = game->getHeroNode()->getPosition();
        if (heroRunning && isPlaying(state))
            for (const RunnerSighting& runner : before)
                warnings.note(runner.id, runner.position, {heroPlace.x, heroPlace.z}, game->getElapsed());
        const bool caughtNow = hero != nullptr && hero->getState() == Sarna::RunningMan::Dying;
        const RunnerSighting* catcher = caughtNow && outcome.caughtAt < 0.0 ? nearestToHero(before) : nullptr;
        if (catcher != nullptr)
        {
            outcome.caughtAt = game->getElapsed();
            outcome.warningLead = warnings.leadBefore(catcher->id, outcome.caughtAt);
            outcome.caughtBy = catcher->trajectory;
            outcome.caughtWhere = {heroPlace.x, heroPlace.z};
            const auto seen = firstOnScreen.find(catcher->id);
            outcome.catcherOnScreen = seen != firstOnScreen.end() ? outcome.caughtAt - seen->second : 0.0;
            for (const RunnerSighting& previous : earlier)
            {
                if (previous.id == catcher->id)
                    outcome.catcherSpeed = std::hypot(catcher->position.x - previous.position.x,
                                                      catcher->position.z - previous.position.z) /
                                           frameSeconds;
            }
        }
    }
    keyboard.releaseAll();
    outcome.won = state == Sarna::JeuTotal::StateWon;
    outcome.survivalSeconds = game->getElapsed();
    leaveEndPicture(frameSeconds);
    return outcome;
}

int HeadlessPlay::frame(float dt)
{
    return Sarna::stepGame(*game, keyboard, nullptr, dt);
}

void HeadlessPlay::steer(const Steering& steering)
{
    keyboard.releaseAll();
    if (steering.dz > 0)
        keyboard.press(OIS::KC_Y);
    if (steering.dz < 0)
        keyboard.press(OIS::KC_H);
    if (steering.dx > 0)
        keyboard.press(OIS::KC_G);
    if (steering.dx < 0)
        keyboard.press(OIS::KC_J);
}

void HeadlessPlay::leaveEndPicture(float dt)
{
    // The picture holds the game until the space bar is up again: it goes up during the picture's first poll.
    keyboard.press(OIS::KC_SPACE);
    keyboard.releaseAfterCaptures(OIS::KC_SPACE, 2);
    frame(dt);
    frame(dt); // the reset, back to the start picture
}

ScreenObservation HeadlessPlay::observe() const
{
    ScreenObservation seen;
    const Ogre::Vector3& hero = game->getHeroNode()->getPosition();
    seen.heroVisible = visible->contains(hero.x, hero.z);
    if (seen.heroVisible)
        seen.hero = {hero.x, hero.z};
    for (const RunnerSighting& runner : runnerPositions())
    {
        if (visible->contains(runner.position.x, runner.position.z))
            seen.runners.push_back({runner.id, runner.position});
    }
    return seen;
}

bool HeadlessPlay::figureInSight() const
{
    const Ogre::Vector3& hero = game->getHeroNode()->getPosition();
    // Within the picture at the height of his head, by half his width on every side.
    constexpr float kRounding = 1e-3f;
    const float half = Sarna::kFigureRadius - kRounding;
    return visibleAtHead->contains(hero.x - half, hero.z - half) &&
           visibleAtHead->contains(hero.x + half, hero.z + half);
}

std::vector<HeadlessPlay::RunnerSighting> HeadlessPlay::runnerPositions() const
{
    std::vector<RunnerSighting> sightings;
    for (const Sarna::TimedObject* object : game->getRunners())
    {
        const auto* runner = dynamic_cast<const Sarna::RunningManTraj*>(object);
        const std::uint32_t* number = Sarna::TimedObject::getNumber(object);
        if (runner == nullptr || number == nullptr)
            continue;
        const Ogre::Vector3& position = runner->getNode()->getPosition();
        sightings.push_back({*number, runner->getTrajectoryName(), {position.x, position.z}});
    }
    return sightings;
}

const HeadlessPlay::RunnerSighting* HeadlessPlay::nearestToHero(const std::vector<RunnerSighting>& runners) const
{
    const Ogre::Vector3& hero = game->getHeroNode()->getPosition();
    float nearest = std::numeric_limits<float>::max();
    const RunnerSighting* found = nullptr;
    for (const RunnerSighting& runner : runners)
    {
        const float dx = runner.position.x - hero.x;
        const float dz = runner.position.z - hero.z;
        if (dx * dx + dz * dz < nearest)
        {
            nearest = dx * dx + dz * dz;
            found = &runner;
        }
    }
    return found;
}

void HeadlessPlay::noteFirstSightings(const ScreenObservation& screen)
{
    for (const SeenRunner& runner : screen.runners)
        firstOnScreen.emplace(runner.id, game->getElapsed());
}
