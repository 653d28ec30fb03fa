#include "game/logic/RunningMan.h"

#include "EulerAngles.h"
#include "game/logic/GameMediaNames.h"
#include "game/logic/GameWorld.h"

#include <OgreAnimationState.h>
#include <OgreEntity.h>
#include <OgreMaterial.h>
#include <OgreMath.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>
#include <OgreSubEntity.h>

#include <cassert>
#include <utility>

namespace Sarna
{
namespace
{
const char* const kRunAnimation = "Run";
const char* const kDyingAnimation = "Dying";
constexpr double kAnimSecondsPerUnitZ = 0.1; // run animation seconds per world unit moved along +z
} // namespace

RunningMan::RunningMan(std::string name, Ogre::SceneNode* manNode, Ogre::SceneManager* manager)
    : node(manNode), sceneManager(manager)
{
    assert(manNode != nullptr && manager != nullptr);
    entity = sceneManager->createEntity(std::move(name), kFigureMeshName);
    node->attachObject(entity);
    entity->setCastShadows(true);
    disableShadowReceiving();

    node->translate(0.0f, kFigureFeetHeight, 0.0f, Ogre::Node::TS_PARENT);

    animState = entity->getAnimationState(kRunAnimation);
    animState->setEnabled(true);
    animState->setLoop(true);

    const Ogre::Vector3& worldPos = node->_getDerivedPosition();
    lastGroundPos = Ogre::Vector2(worldPos.x, worldPos.z);

    // The man always faces the same world direction, whatever its node's parent does.
    node->setInheritOrientation(false);
    EulerAngles facing(0.0f * Ogre::Math::fDeg2Rad, 0.0f * Ogre::Math::fDeg2Rad, 0.0f * Ogre::Math::fDeg2Rad);
    node->setOrientation(facing.toQuaternion());

    state = Running;
}

RunningMan::~RunningMan()
{
    animState = nullptr;
    node->detachObject(entity);
    sceneManager->destroyEntity(entity);
    entity = nullptr;
    node = nullptr;
    sceneManager = nullptr;
}

void RunningMan::disableShadowReceiving()
{
    // Materials are shared: this affects every entity of the mesh.
    for (unsigned int i = 0; i < entity->getNumSubEntities(); ++i)
    {
        entity->getSubEntity(i)->getMaterial()->setReceiveShadows(false);
    }
}

int RunningMan::update(float dt)
{
    if (state == Running)
    {
        const Ogre::Vector3& worldPos = node->_getDerivedPosition();
        const float dz = worldPos.z - lastGroundPos.y;
        lastGroundPos = Ogre::Vector2(worldPos.x, worldPos.z);
        animState->addTime(static_cast<float>(kAnimSecondsPerUnitZ * dz + animRate * dt));
    }
    else if (state == Dying)
    {
        animState->addTime(dt);
        if (animState->hasEnded())
        {
            state = Dead;
        }
    }
    return state;
}

int RunningMan::updateOwned(float /*dt*/)
{
    return 1;
}

void RunningMan::startDying()
{
    if (state != Running)
    {
        return;
    }
    animState->setTimePosition(0.0f);
    animState->setEnabled(false);
    state = Dying;
    animState = entity->getAnimationState(kDyingAnimation);
    animState->setTimePosition(0.0f);
    animState->setLoop(false);
    animState->setEnabled(true);
}

} // namespace Sarna
