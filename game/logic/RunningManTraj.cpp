#include "game/logic/RunningManTraj.h"

#include "game/logic/GameWorld.h"
#include "game/logic/RunningMan.h"
#include "trajectory/GameSpeed.h"

#include <OgreSceneManager.h>
#include <OgreSceneNode.h>

#include <string>

namespace Sarna
{
namespace
{
const char* const kManNamePrefix = "Running_";
// Far outside the ground, where a runner waits until its first update puts it on its path.
const Ogre::Vector3 kParkingPosition(10000.0f, 0.0f, 10000.0f);
} // namespace

RunningManTraj::RunningManTraj(const Trajectory& source, Ogre::SceneManager* manager, const Ogre::Vector2& offset,
                               float angleDegrees)
    : path(source, angleDegrees, offset.x, offset.y), trajectoryName(source.getName()), sceneManager(manager)
{
    const std::uint32_t* number = getNumber(this);
    const std::string manName = kManNamePrefix + std::to_string(number != nullptr ? *number : 0u);

    node = sceneManager->getRootSceneNode()->createChildSceneNode(Ogre::Vector3::ZERO, Ogre::Quaternion::IDENTITY);
    node->setPosition(kParkingPosition.x, kParkingPosition.y, kParkingPosition.z);
    elapsed = 0.0f;
    man = new RunningMan(manName, node, sceneManager);
    state = Following;
}

RunningManTraj::~RunningManTraj()
{
    delete man;
    man = nullptr;
    sceneManager->destroySceneNode(node);
    node = nullptr;
}

int RunningManTraj::update(float dt)
{
    if (state != Following)
    {
        return state;
    }
    elapsed = elapsed + dt;
    const double t = elapsed * kGameTrajectoryMsPerSecond;
    float x = 0.0f;
    float y = 0.0f;
    if (!path.positionAt(t, x, y))
    {
        // The path is over: the runner stays where the previous frame put it and is deleted by its owner.
        state = Stopped;
        return state;
    }
    // Trajectory y becomes world z.
    node->setPosition(kWorldUnitsPerTrajectoryUnit * x, node->getPosition().y, kWorldUnitsPerTrajectoryUnit * y);
    return state;
}

int RunningManTraj::updateOwned(float dt)
{
    return man->update(dt);
}

void RunningManTraj::kill()
{
    if (state != Following)
    {
        return;
    }
    man->startDying();
    state = Stopped;
}

} // namespace Sarna
