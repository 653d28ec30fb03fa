#include "CrowdCensus.h"

#include "FakeKeyboard.h"
#include "data/HeadlessEngine.h"
#include "game/logic/JeuTotal.h"
#include "game/logic/RunningMan.h"
#include "game/logic/RunningManTraj.h"

#include <OgreMath.h>
#include <OgreResourceGroupManager.h>
#include <OgreRoot.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>
#include <Overlay/OgreOverlaySystem.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>

namespace
{
constexpr float kFrameSeconds = 0.02f;
// The game's camera: 65 units above (0, 0, 20), looking straight down with the engine's default 45 degree field
// of view, through a viewport 0.6 times as wide as the 4:3 window and as high.
constexpr float kCameraHeight = 65.0f;
constexpr float kViewCentreZ = 20.0f;
constexpr float kViewAspect = 0.6f * 1024.0f / 768.0f;
// A figure reaches this far from its node on the ground: half his width and a little of his shadow.
constexpr float kFigureReach = 1.5f;

bool inView(const Ogre::Vector3& position)
{
    const float halfHeight = kCameraHeight * std::tan(Ogre::Math::PI / 8.0f);
    const float halfWidth = halfHeight * kViewAspect;
    return std::abs(position.x) + kFigureReach < halfWidth &&
           std::abs(position.z - kViewCentreZ) + kFigureReach < halfHeight;
}

class HeadlessGame
{
public:
    explicit HeadlessGame(const std::string& mediaDirectory)
    {
        overlays = std::make_unique<Ogre::OverlaySystem>();
        auto& resources = Ogre::ResourceGroupManager::getSingleton();
        resources.addResourceLocation(mediaDirectory, "FileSystem", "General");
        resources.initialiseAllResourceGroups();
        sceneManager = Ogre::Root::getSingleton().createSceneManager("DefaultSceneManager", "census");
        sceneManager->addRenderQueueListener(overlays.get());
        game = std::make_unique<Sarna::JeuTotal>(sceneManager, &keyboard);
    }

    ~HeadlessGame()
    {
        game.reset();
        Ogre::Root::getSingleton().destroySceneManager(sceneManager);
        overlays.reset();
    }

    void frame()
    {
        keyboard.capture();
        game->update(kFrameSeconds);
        game->updateOwned(kFrameSeconds);
    }

    FakeKeyboard keyboard;
    std::unique_ptr<Sarna::JeuTotal> game;

private:
    HeadlessEngine engine;
    std::unique_ptr<Ogre::OverlaySystem> overlays;
    Ogre::SceneManager* sceneManager = nullptr;
};
} // namespace

CrowdCensus CrowdCensus::take(const std::string& directory, const std::string& mediaDirectory, double warmUpSeconds,
                              double countSeconds)
{
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(directory);
    CrowdCensus census;
    {
        HeadlessGame headless(mediaDirectory);
        headless.keyboard.press(OIS::KC_SPACE);
        headless.frame();
        headless.keyboard.release(OIS::KC_SPACE);

        const int warmUpFrames = static_cast<int>(warmUpSeconds / kFrameSeconds);
        const int countFrames = static_cast<int>(countSeconds / kFrameSeconds);
        census.fewestRunners = 1 << 30;
        double runnerFrames = 0.0;
        for (int frame = 0; frame < warmUpFrames + countFrames; ++frame)
        {
            headless.frame();
            const Sarna::RunningMan* hero = headless.game->getHero();
            census.heroCaught = census.heroCaught || hero == nullptr || hero->getState() != Sarna::RunningMan::Running;
            const auto& runners = headless.game->getRunners();
            for (const Sarna::TimedObject* object : runners)
            {
                const auto* runner = static_cast<const Sarna::RunningManTraj*>(object);
                if (!inView(runner->getNode()->getPosition()))
                    ++census.runnersOutOfView;
            }
            if (frame < warmUpFrames)
                continue;
            const int count = static_cast<int>(runners.size());
            runnerFrames += count;
            census.fewestRunners = std::min(census.fewestRunners, count);
            census.mostRunners = std::max(census.mostRunners, count);
        }
        census.meanRunners = runnerFrames / countFrames;
    }
    std::filesystem::current_path(previous);
    return census;
}
