#include "SceneCrowd.h"

#include "game/logic/GameMediaNames.h"
#include "game/logic/GameWorld.h"

#include <Ogre.h>

#include <cmath>
#include <string>

namespace
{
struct Loop
{
    float centreX;
    float centreZ;
    float radiusX;
    float radiusZ;
};

// Inside the start view, which shows x within about +-21 and z within about -7 ... 47.
const Loop kLoops[] = {{0.0f, 24.0f, 14.0f, 15.0f}, {4.0f, 22.0f, 9.0f, 12.0f}, {-4.0f, 26.0f, 9.0f, 12.0f}};
constexpr float kRunCycleSeconds = 0.8f;
} // namespace

SceneCrowd::SceneCrowd(Ogre::SceneManager* manager, int runners) : sceneManager(manager)
{
    const int loopCount = static_cast<int>(std::size(kLoops));
    for (int index = 0; index < runners; ++index)
    {
        const Loop& loop = kLoops[index % loopCount];
        const float angle = Ogre::Math::TWO_PI * static_cast<float>(index / loopCount) * loopCount / runners;
        const float x = loop.centreX + loop.radiusX * std::cos(angle);
        const float z = loop.centreZ + loop.radiusZ * std::sin(angle);
        addFigure(x, z, angle, kRunCycleSeconds * static_cast<float>(index % 7) / 7.0f);
    }
    addFigure(0.0f, 0.0f, 0.0f, 0.0f);
}

SceneCrowd::~SceneCrowd()
{
    for (std::size_t i = 0; i < entities.size(); ++i)
    {
        nodes[i]->detachObject(entities[i]);
        sceneManager->destroyEntity(entities[i]);
        sceneManager->destroySceneNode(nodes[i]);
    }
}

void SceneCrowd::addFigure(float x, float z, float headingRadians, float runSeconds)
{
    Ogre::Entity* entity =
        sceneManager->createEntity("Figure_" + std::to_string(entities.size()), Sarna::kFigureMeshName);
    entity->setCastShadows(true);
    for (unsigned int i = 0; i < entity->getNumSubEntities(); ++i)
        entity->getSubEntity(i)->getMaterial()->setReceiveShadows(false);
    Ogre::SceneNode* node =
        sceneManager->getRootSceneNode()->createChildSceneNode(Ogre::Vector3(x, Sarna::kFigureFeetHeight, z));
    node->yaw(Ogre::Radian(headingRadians));
    node->attachObject(entity);
    Ogre::AnimationState* run = entity->getAnimationState("Run");
    run->setEnabled(true);
    run->setLoop(true);
    run->setTimePosition(runSeconds);
    entities.push_back(entity);
    nodes.push_back(node);
}
