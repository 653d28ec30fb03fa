#include "ReferenceCrowd.h"

#include "trajectory/KelTrajectoryLibrary.h"

#include <OgreAnimationState.h>
#include <OgreEntity.h>
#include <OgreMaterial.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>
#include <OgreSubEntity.h>

#include <cassert>
#include <string>

namespace
{
constexpr double kTrajectoryMsPerSecond = 300.0;
constexpr float kWorldUnitsPerTrajectoryUnit = 0.3f;
constexpr float kFeetHeight = 2.5f;
// The centre of the drawing area, which the game puts at the world origin.
constexpr float kOriginX = 250.0f;
constexpr float kOriginY = 350.0f;

double pathSeconds(const Trajectory& path)
{
    return path.getTrackPos().back().time / kTrajectoryMsPerSecond;
}
} // namespace

ReferenceCrowd::ReferenceCrowd(Ogre::SceneManager* manager, const KelTrajectoryLibrary& library, int runners)
    : sceneManager(manager)
{
    for (const auto& named : library)
    {
        if (named.second.getTrackPos().empty())
            continue;
        paths.push_back(named.second);
        paths.back().translatePositions(-kOriginX, -kOriginY);
    }
    assert(!paths.empty());
    const int pathCount = static_cast<int>(paths.size());
    figures.reserve(static_cast<std::size_t>(runners) + 1);
    for (int index = 0; index < runners; ++index)
    {
        const Trajectory& path = paths[static_cast<std::size_t>(index % pathCount)];
        const int onPath = runners / pathCount + (index % pathCount < runners % pathCount ? 1 : 0);
        const double phase = (index / pathCount + 0.5) / onPath;
        figures.push_back(createFigure(&path, phase * pathSeconds(path)));
    }
    figures.push_back(createFigure(nullptr, 0.0));
}

ReferenceCrowd::~ReferenceCrowd()
{
    for (Figure& figure : figures)
    {
        figure.node->detachObject(figure.entity);
        sceneManager->destroyEntity(figure.entity);
        sceneManager->destroySceneNode(figure.node);
    }
}

ReferenceCrowd::Figure ReferenceCrowd::createFigure(const Trajectory* path, double ageSeconds)
{
    Figure figure{path, ageSeconds, nullptr, nullptr, nullptr};
    figure.entity = sceneManager->createEntity("Figure_" + std::to_string(figures.size()), "Ogre.mesh");
    figure.entity->setCastShadows(true);
    for (unsigned int i = 0; i < figure.entity->getNumSubEntities(); ++i)
        figure.entity->getSubEntity(i)->getMaterial()->setReceiveShadows(false);
    figure.node = sceneManager->getRootSceneNode()->createChildSceneNode(Ogre::Vector3(0.0f, kFeetHeight, 0.0f));
    figure.node->attachObject(figure.entity);
    figure.run = figure.entity->getAnimationState("Run");
    figure.run->setEnabled(true);
    figure.run->setLoop(true);
    place(figure);
    return figure;
}

void ReferenceCrowd::place(Figure& figure) const
{
    if (figure.path == nullptr)
        return;
    const double duration = pathSeconds(*figure.path);
    while (figure.ageSeconds > duration)
        figure.ageSeconds -= duration;
    float x = 0.0f;
    float y = 0.0f;
    figure.path->positionAt(figure.ageSeconds * kTrajectoryMsPerSecond, x, y);
    figure.node->setPosition(kWorldUnitsPerTrajectoryUnit * x, kFeetHeight, kWorldUnitsPerTrajectoryUnit * y);
}

void ReferenceCrowd::advance(float dt)
{
    for (Figure& figure : figures)
    {
        figure.ageSeconds += dt;
        place(figure);
        figure.run->addTime(dt);
    }
}
