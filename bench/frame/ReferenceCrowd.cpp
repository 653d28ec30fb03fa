#include "ReferenceCrowd.h"

#include "game/logic/GameMediaNames.h"
#include "game/logic/GameWorld.h"
#include "trajectory/DrawingFrame.h"
#include "trajectory/GameSpeed.h"
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
double pathSeconds(const Trajectory& path)
{
    return path.getTrackPos().back().time / kGameTrajectoryMsPerSecond;
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
        // The game puts the drawing's centre at the world origin.
        paths.back().translatePositions(-DrawingFrame::kCentreX, -DrawingFrame::kCentreY);
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
    figure.entity = sceneManager->createEntity("Figure_" + std::to_string(figures.size()), Sarna::kFigureMeshName);
    figure.entity->setCastShadows(true);
    for (unsigned int i = 0; i < figure.entity->getNumSubEntities(); ++i)
        figure.entity->getSubEntity(i)->getMaterial()->setReceiveShadows(false);
    figure.node =
        sceneManager->getRootSceneNode()->createChildSceneNode(Ogre::Vector3(0.0f, Sarna::kFigureFeetHeight, 0.0f));
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
    figure.path->positionAt(figure.ageSeconds * kGameTrajectoryMsPerSecond, x, y);
    figure.node->setPosition(Sarna::kWorldUnitsPerTrajectoryUnit * x, Sarna::kFigureFeetHeight,
                             Sarna::kWorldUnitsPerTrajectoryUnit * y);
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
