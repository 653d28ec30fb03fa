#pragma once

#include "game/logic/TimedObject.h"
#include "trajectory/PlacedTrack.h"
#include "trajectory/Trajectory.h"

#include <OgreVector.h>

#include <string>

namespace Ogre
{
class SceneManager;
class SceneNode;
} // namespace Ogre

namespace Sarna
{

class RunningMan;

/// A runner: a RunningMan on its own scene node, moved along a library trajectory turned and shifted for it. A
/// trajectory point (x, y) is placed at world (x, node height, y) times kWorldUnitsPerTrajectoryUnit, and
/// kGameTrajectoryMsPerSecond trajectory milliseconds pass per second of the runner's life. It finishes (update answers
/// 0) when the path is over or once it has been killed. The runner holds the trajectory's keys with the library instead
/// of copying them, so a runner costs the same on a path of ten keys as on one of a million.
class RunningManTraj : public TimedObject
{
public:
    enum State
    {
        Stopped = 0,
        Following = 1
    };

    /// Follows the trajectory turned by angleDegrees about the trajectory origin and then shifted by offset (both
    /// in trajectory units), and parks the new node far away until the first update places it.
    RunningManTraj(const Trajectory& source, Ogre::SceneManager* sceneManager, const Ogre::Vector2& offset,
                   float angleDegrees);
    ~RunningManTraj() override;

    /// Moves the node to the path position for the runner's age; returns the state after the step.
    int update(float dt) override;
    /// Advances the man's animation; returns the man's state.
    int updateOwned(float dt) override;

    /// Stops a following runner and makes its man die; does nothing once stopped.
    virtual void kill();

    const Ogre::SceneNode* getNode() const { return node; }
    const RunningMan* getMan() const { return man; }
    int getState() const { return state; }
    /// The name of the library trajectory this runner follows.
    const std::string& getTrajectoryName() const { return trajectoryName; }

private:
    PlacedTrack path;
    std::string trajectoryName;
    Ogre::SceneManager* sceneManager;
    Ogre::SceneNode* node = nullptr;
    int state = Following;
    float elapsed = 0.0f;
    RunningMan* man = nullptr;
};

} // namespace Sarna
