#pragma once

#include "trajectory/Trajectory.h"

#include <vector>

class KelTrajectoryLibrary;

namespace Ogre
{
class AnimationState;
class Entity;
class SceneManager;
class SceneNode;
} // namespace Ogre

/// The bare-engine stand-in for the game's runners: a fixed number of running figures of the game's mesh, spread
/// evenly in time over the library's paths and moved along them as the game moves its runners (at the game's
/// speed and scale around the drawing's centre),
/// plus one figure standing at the origin where the hero starts. A figure that reaches the end of its path starts
/// it again, so the count never changes. No rules, no spawning, no catching.
class ReferenceCrowd
{
public:
    ReferenceCrowd(Ogre::SceneManager* sceneManager, const KelTrajectoryLibrary& library, int runners);
    ~ReferenceCrowd();

    ReferenceCrowd(const ReferenceCrowd&) = delete;
    ReferenceCrowd& operator=(const ReferenceCrowd&) = delete;

    /// Moves every runner dt seconds along its path and advances every figure's run animation.
    void advance(float dt);

private:
    struct Figure
    {
        const Trajectory* path;
        double ageSeconds;
        Ogre::SceneNode* node;
        Ogre::Entity* entity;
        Ogre::AnimationState* run;
    };

    Figure createFigure(const Trajectory* path, double ageSeconds);
    void place(Figure& figure) const;

    Ogre::SceneManager* sceneManager;
    std::vector<Trajectory> paths;
    std::vector<Figure> figures;
};
