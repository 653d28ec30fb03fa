#pragma once

#include "data/HeadlessEngine.h"

#include <memory>
#include <string>

namespace Ogre
{
class OverlaySystem;
class SceneManager;
} // namespace Ogre

/// The game's engine as the benchmarks run it: no render system and no window (software buffers and textures),
/// the game data as the "General" resource location, and a scene manager with the overlay system, all in a
/// scratch working directory of its own where the game finds "library1.xml". Torn down in the destructor.
class HeadlessGameScene
{
public:
    HeadlessGameScene();
    ~HeadlessGameScene();

    HeadlessGameScene(const HeadlessGameScene&) = delete;
    HeadlessGameScene& operator=(const HeadlessGameScene&) = delete;

    Ogre::SceneManager* sceneManager() const { return scene; }

private:
    std::string previousDirectory;
    std::string workDirectory;
    HeadlessEngine engine;
    std::unique_ptr<Ogre::OverlaySystem> overlaySystem;
    Ogre::SceneManager* scene = nullptr;
};
