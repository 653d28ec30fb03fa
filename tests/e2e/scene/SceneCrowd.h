#pragma once

#include <vector>

namespace Ogre
{
class Entity;
class SceneManager;
class SceneNode;
} // namespace Ogre

/// Running men standing still in mid-stride where the game's runners run: on three loops in the part of the ground
/// the start view shows, each facing along his loop at his own moment of the run, plus one standing where the hero
/// starts. Set up as the game sets up its men: they cast shadows and receive none.
class SceneCrowd
{
public:
    SceneCrowd(Ogre::SceneManager* sceneManager, int runners);
    ~SceneCrowd();

    SceneCrowd(const SceneCrowd&) = delete;
    SceneCrowd& operator=(const SceneCrowd&) = delete;

private:
    void addFigure(float x, float z, float headingRadians, float runSeconds);

    Ogre::SceneManager* sceneManager;
    std::vector<Ogre::Entity*> entities;
    std::vector<Ogre::SceneNode*> nodes;
};
