#include "CrowdCensus.h"

#include "game/headless/FakeKeyboard.h"
#include "game/headless/HeadlessGameScene.h"
#include "game/logic/GameStep.h"
#include "game/logic/JeuTotal.h"
#include "game/logic/RunningMan.h"
#include "game/logic/RunningManTraj.h"

#include <OgreMath.h>
#include <OgreSceneNode.h>

#include <algorithm>
#include <cmath>

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

// The game on the headless engine, playing the library of its working directory. The game lives in the scene,
// so it is declared after it.
struct HeadlessGame
{
    explicit HeadlessGame(const std::string& directory) : scene(directory), game(scene.sceneManager(), &keyboard) {}

    void frame() { Sarna::stepGame(game, keyboard, nullptr, kFrameSeconds); }

    HeadlessGameScene scene;
    FakeKeyboard keyboard;
    Sarna::JeuTotal game;
};
} // namespace

CrowdCensus CrowdCensus::take(const std::string& directory, double warmUpSeconds, double countSeconds)
{
    CrowdCensus census;
    {
        HeadlessGame headless(directory);
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
            const Sarna::RunningMan* hero = headless.game.getHero();
            census.heroCaught = census.heroCaught || hero == nullptr || hero->getState() != Sarna::RunningMan::Running;
            const auto& runners = headless.game.getRunners();
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
    return census;
}
