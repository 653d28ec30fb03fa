#pragma once

#include "game/logic/TimedObject.h"

#include <OgreVector.h>

#include <string>

namespace Ogre
{
class AnimationState;
class Entity;
class SceneManager;
class SceneNode;
} // namespace Ogre

namespace Sarna
{

/// An animated character of the mesh "Ogre.mesh" on a scene node that its owner hands in and moves. It plays the
/// looping "Run" animation, sped up or slowed down by the node's movement along world z, until startDying switches
/// to the one-shot "Dying" animation; update answers 0 once that has ended. The man never moves its node except to
/// raise it by 2.5 units when it is made, and it never destroys the node.
class RunningMan : public TimedObject
{
public:
    enum State
    {
        Dead = 0,
        Constructing = 1,
        Running = 2,
        Dying = 3
    };

    /// The name becomes the entity's name and must be unique among the scene manager's entities.
    RunningMan(std::string name, Ogre::SceneNode* node, Ogre::SceneManager* sceneManager);
    ~RunningMan() override;

    /// Advances the current animation; returns the state after the step.
    int update(float dt) override;
    /// A man owns no timed objects.
    int updateOwned(float dt) override;

    /// Switches from running to dying; does nothing once dying or dead.
    void startDying();

    int getState() const { return state; }
    Ogre::Entity* getEntity() const { return entity; }
    const Ogre::SceneNode* getNode() const { return node; }
    Ogre::AnimationState* getAnimationState() const { return animState; }

private:
    void disableShadowReceiving();

    Ogre::SceneNode* node;
    Ogre::Entity* entity = nullptr;
    Ogre::AnimationState* animState = nullptr;
    Ogre::SceneManager* sceneManager;
    int state = Constructing;
    Ogre::Vector2 lastGroundPos = Ogre::Vector2::ZERO;
    float animRate = 1.0f;
};

} // namespace Sarna
