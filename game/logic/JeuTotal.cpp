#include "game/logic/JeuTotal.h"

#include "game/logic/GameMediaNames.h"
#include "game/logic/GameWorld.h"
#include "game/logic/HeroLook.h"
#include "game/logic/KeyPresses.h"
#include "game/logic/PlayTimeDisplay.h"
#include "game/logic/RunningMan.h"
#include "game/logic/RunningManTraj.h"
#include "game/logic/SpawnGroup.h"
#include "game/sound/GameSound.h"
#include "platform/TerminationSignals.h"
#include "platform/WinApi.h"
#include "trajectory/DrawingFrame.h"

#include <OIS.h>
#include <OgreCamera.h>
#include <OgreMaterialManager.h>
#include <OgrePass.h>
#include <OgreResourceGroupManager.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>
#include <OgreTechnique.h>
#include <Overlay/OgreOverlay.h>
#include <Overlay/OgreOverlayContainer.h>
#include <Overlay/OgreOverlayManager.h>

#include <algorithm>
#include <cassert>

namespace Sarna
{

int JeuTotal::spawnCounter = 0;
const Ogre::Vector2 JeuTotal::trajectoryOrigin(DrawingFrame::kCentreX, DrawingFrame::kCentreY);

namespace
{
const char* const kHeroName = "Hero";
constexpr double kFirstSpawnInterval = 1.5;    // seconds between single spawns at the start of a game
constexpr double kSpawnIntervalShrink = 0.002; // seconds less per second of play
constexpr float kCatchDistanceSquared = kCatchDistance * kCatchDistance;
constexpr float kWarningDistanceSquared = kWarningDistance * kWarningDistance;
constexpr DWORD kReleasePollMs = 30;

/// The top camera's viewport sets its aspect ratio before the game is built; a game without one (run headless)
/// is seen as through the shipped window.
float viewAspectRatio(const Ogre::SceneManager& scene)
{
    return scene.hasCamera(kTopCameraName) ? scene.getCamera(kTopCameraName)->getAspectRatio()
                                           : kShippedViewportAspectRatio;
}

/// The hero's whole figure, his head included, stays in the start view and on the ground: a very wide window
/// shows more than the ground.
GroundRect heroAreaFor(float aspectRatio)
{
    const GroundRect ground{-kGroundHalfSize, kGroundHalfSize, -kGroundHalfSize, kGroundHalfSize};
    return startViewAt(aspectRatio, kFigureHeight).intersectedWith(ground).shrunkBy(kFigureRadius);
}

struct PictureScreen
{
    const char* material;
    const char* image;
    const char* overlay;
    const char* panel;
};
const PictureScreen kWinScreen{"Win", kWinPictureFile, "Overlay/Win", "Overlay/Win/SuperContainer"};
const PictureScreen kLostScreen{"Lost", kLostPictureFile, "Overlay/Lost", "Overlay/Lost/SuperContainer"};
const PictureScreen kStartScreen{"Debut", kStartPictureFile, "Overlay/Debut", "Overlay/Debut/SuperContainer"};
} // namespace

JeuTotal::JeuTotal(Ogre::SceneManager* manager, OIS::Keyboard* keys) : sceneManager(manager), keyboard(keys)
{
    assert(manager != nullptr && keys != nullptr);
    keyPresses = std::make_unique<KeyPresses>(*keyboard);
    loadLibrary();

    timeSinceSpawn = 0.0;
    elapsed = 0.0;
    state = StateStart;
    group = nullptr;
    heroArea = heroAreaFor(viewAspectRatio(*sceneManager));

    heroNode = sceneManager->getRootSceneNode()->createChildSceneNode(kHeroName, Ogre::Vector3::ZERO,
                                                                      Ogre::Quaternion::IDENTITY);
    createHero();

    createPictureMaterials();
    createPictureOverlays();

    bestTime.load();
    playTime = std::make_unique<PlayTimeDisplay>();
    sound = std::make_unique<GameSound>();
}

JeuTotal::~JeuTotal()
{
    clearCharacters();
    delete group;
    group = nullptr;
    sceneManager->destroySceneNode(heroNode);
    heroNode = nullptr;
    std::vector<TimedObject*>().swap(runners);
}

void JeuTotal::loadLibrary()
{
    library.parseFileForTraj(kLibraryFile);
    library.translateAll(-trajectoryOrigin.x, -trajectoryOrigin.y);
    if (library.count() == 0)
    {
        MessageBoxA(nullptr, "TAILLE LIBRARY TRAJECTOIRES = 0!", "Probleme!", MB_OK);
    }
}

void JeuTotal::createPictureMaterials()
{
    for (const PictureScreen* screen : {&kWinScreen, &kLostScreen, &kStartScreen})
    {
        // Held only here: the engine keeps the material, and no handle may outlive the engine.
        Ogre::MaterialPtr material = Ogre::MaterialManager::getSingleton().create(
            screen->material, Ogre::ResourceGroupManager::DEFAULT_RESOURCE_GROUP_NAME);
        Ogre::Pass* pass = material->getTechnique(0)->getPass(0);
        pass->setDepthWriteEnabled(false);
        pass->createTextureUnitState(screen->image, 0);
    }
}

void JeuTotal::createPictureOverlays()
{
    overlayWin = createPictureOverlay(kWinScreen.overlay, kWinScreen.panel, kWinScreen.material);
    overlayWin->hide();
    overlayLost = createPictureOverlay(kLostScreen.overlay, kLostScreen.panel, kLostScreen.material);
    overlayLost->hide();
    overlayDebut = createPictureOverlay(kStartScreen.overlay, kStartScreen.panel, kStartScreen.material);
    overlayDebut->show();
}

Ogre::Overlay* JeuTotal::createPictureOverlay(const char* overlayName, const char* panelName, const char* materialName)
{
    Ogre::OverlayManager& overlays = Ogre::OverlayManager::getSingleton();
    Ogre::Overlay* overlay = overlays.create(overlayName);
    // A new panel covers the whole viewport (relative metrics, 0, 0, 1, 1), so the picture fills the window.
    auto* panel = static_cast<Ogre::OverlayContainer*>(overlays.createOverlayElement("Panel", panelName));
    panel->setParameter("transparent", "false");
    panel->show();
    overlay->add2D(panel);
    panel->setMaterialName(materialName);
    return overlay;
}

int JeuTotal::update(float dt)
{
    if (library.count() == 0)
    {
        return 0;
    }
    for (int press = 0; press < keyPresses->count(OIS::KC_S); ++press)
    {
        sound->toggleMute();
    }
    togglePauseOnPress();
    if (paused)
    {
        sound->setWindPlaying(false);
        showPlayTime();
        return state;
    }
    if (state == StateStart)
    {
        overlayDebut->show();
        if (keyPresses->struck(OIS::KC_SPACE))
        {
            overlayDebut->hide();
            state = StatePlaying;
            sound->play(SoundCue::Start);
        }
    }
    // Not else: the frame in which SPACE starts the game already runs its first playing step.
    switch (state)
    {
    case StatePlaying:
        playStep(dt);
        break;
    case StateLost:
        endScreen(overlayLost);
        break;
    case StateWon:
        endScreen(overlayWin);
        break;
    case StateRestart:
        resetStep();
        break;
    default:
        break;
    }
    showPlayTime();
    sound->setWindPlaying(state == StatePlaying);
    return state;
}

void JeuTotal::togglePauseOnPress()
{
    // Each press toggles, however long the key is held: two taps in one frame pause and resume.
    const int presses = keyPresses->count(OIS::KC_PAUSE) + keyPresses->count(OIS::KC_TAB);
    if (state == StatePlaying && presses % 2 == 1)
    {
        paused = !paused;
    }
}

void JeuTotal::playStep(float dt)
{
    timeSinceSpawn += dt;
    elapsed += dt;
    steerHero(static_cast<float>(dt * kHeroSpeed));

    spawnCounter = (spawnCounter + 1) % library.count();
    if (timeSinceSpawn > kFirstSpawnInterval - kSpawnIntervalShrink * elapsed)
    {
        spawnSingleRunner();
    }
    advanceBurst();

    // A caught hero is set dying by catchTest; updateOwned deletes him when his dying animation is over, and the
    // next step reads the missing hero as the game lost.
    if (hero == nullptr)
    {
        state = StateLost;
        endGame(elapsed);
        sound->play(SoundCue::Lost);
        return;
    }
    catchTest();
    if (elapsed >= kWinningPlayTime)
    {
        state = StateWon;
        // The last frame may overshoot; a won game counts as lasting exactly the winning time.
        endGame(kWinningPlayTime);
        sound->play(SoundCue::Won);
    }
}

void JeuTotal::endGame(double survived)
{
    const bool newBest = bestTime.record(survived);
    playTime->setResult(survived, *bestTime.best(), newBest);
}

void JeuTotal::showPlayTime()
{
    if (paused)
    {
        playTime->showPaused(elapsed);
    }
    else if (state == StatePlaying)
    {
        playTime->showClock(elapsed);
    }
    else if (overlayWin->isVisible() || overlayLost->isVisible())
    {
        playTime->showResult();
    }
    else
    {
        playTime->hide();
    }
}

void JeuTotal::steerHero(float step)
{
    if (keyboard->isKeyDown(OIS::KC_Y))
    {
        heroNode->translate(Ogre::Vector3::UNIT_Z * step, Ogre::Node::TS_WORLD);
    }
    if (keyboard->isKeyDown(OIS::KC_H))
    {
        heroNode->translate(Ogre::Vector3::UNIT_Z * (-step), Ogre::Node::TS_WORLD);
    }
    if (keyboard->isKeyDown(OIS::KC_G))
    {
        heroNode->translate(Ogre::Vector3::UNIT_X * step, Ogre::Node::TS_WORLD);
    }
    if (keyboard->isKeyDown(OIS::KC_J))
    {
        heroNode->translate(Ogre::Vector3::UNIT_X * (-step), Ogre::Node::TS_WORLD);
    }
    keepHeroInSight();
}

void JeuTotal::keepHeroInSight()
{
    Ogre::Vector3 position = heroNode->getPosition();
    position.x = std::clamp(position.x, heroArea.minX, heroArea.maxX);
    position.z = std::clamp(position.z, heroArea.minZ, heroArea.maxZ);
    heroNode->setPosition(position);
}

void JeuTotal::spawnSingleRunner()
{
    spawnRunner(spawnCounter, Ogre::Vector2::ZERO, 0.0f);
    // The excess over the interval is dropped: a long frame never spawns more than one single runner.
    timeSinceSpawn = 0.0;
}

void JeuTotal::advanceBurst()
{
    if (group == nullptr)
    {
        group = new SpawnGroup(spawnCounter);
        group->buildSpawnGroup(spawnCounter % SpawnGroup::kPatterns, static_cast<float>(elapsed), groupWidth);
    }
    if (group->empty())
    {
        delete group;
        group = nullptr;
        return;
    }
    const SpawnGroupEntry& due = group->front();
    if (due.time < elapsed)
    {
        spawnRunner(group->getTrajectoryIndex(), Ogre::Vector2(due.offsetX, due.offsetY), due.angle);
        group->popFront();
    }
}

void JeuTotal::spawnRunner(int trajectoryIndex, const Ogre::Vector2& offset, float angle)
{
    const Trajectory path = library.getTraj(trajectoryIndex);
    runners.push_back(new RunningManTraj(path, sceneManager, offset, angle));
}

void JeuTotal::catchTest()
{
    const Ogre::Vector3 heroPos = heroNode->getPosition();
    for (TimedObject* object : runners)
    {
        auto* runner = dynamic_cast<RunningManTraj*>(object);
        if (runner == nullptr)
        {
            continue;
        }
        const float squaredDistance = heroPos.squaredDistance(runner->getNode()->getPosition());
        soundApproach(*object, squaredDistance);
        if (squaredDistance < kCatchDistanceSquared)
        {
            runner->kill();
            hero->startDying();
        }
    }
}

void JeuTotal::soundApproach(const TimedObject& runner, float squaredDistance)
{
    // Only a hero still on his feet hears the runners: the first catch sounds, later ones and warnings do not.
    if (hero->getState() == RunningMan::Dying)
    {
        return;
    }
    const std::uint32_t* number = getNumber(&runner);
    if (squaredDistance < kCatchDistanceSquared)
    {
        sound->play(SoundCue::Catch);
    }
    else if (squaredDistance < kWarningDistanceSquared && number != nullptr)
    {
        sound->warnOnce(*number);
    }
}

void JeuTotal::endScreen(Ogre::Overlay* overlay)
{
    overlay->show();
    if (keyPresses->struck(OIS::KC_SPACE))
    {
        // Holding the frame loop here keeps this press from also closing the start screen that follows.
        waitForSpaceRelease();
        overlay->hide();
        state = StateRestart;
    }
}

void JeuTotal::waitForSpaceRelease()
{
    do
    {
        keyboard->capture();
        Sleep(kReleasePollMs);
    } while (keyboard->isKeyDown(OIS::KC_SPACE) && !platform::terminationRequested());
}

void JeuTotal::resetStep()
{
    clearCharacters();
    delete group;
    group = nullptr;
    elapsed = 0.0;
    timeSinceSpawn = 0.0;
    state = StateStart;
    sound->forgetRunners();

    heroNode->setPosition(0.0f, 0.0f, 0.0f);
    createHero();
}

void JeuTotal::createHero()
{
    hero = new RunningMan(kHeroName, heroNode, sceneManager);
    HeroLook::dress(*hero->getEntity());
}

void JeuTotal::clearCharacters()
{
    for (TimedObject* runner : runners)
    {
        delete runner;
    }
    runners.clear();
    delete hero;
    hero = nullptr;
}

int JeuTotal::updateOwned(float dt)
{
    if (paused)
    {
        return 1;
    }
    // The hero's update answers 0 once his dying animation is over: the next playing step then finds no hero.
    if (hero != nullptr && hero->update(dt) == 0)
    {
        delete hero;
        hero = nullptr;
    }
    for (auto it = runners.begin(); it != runners.end();)
    {
        TimedObject* runner = *it;
        runner->updateOwned(dt);
        if (runner->update(dt) == 0)
        {
            delete runner;
            it = runners.erase(it);
        }
        else
        {
            ++it;
        }
    }
    return 1;
}

} // namespace Sarna
