#pragma once

#include "data/HeadlessEngine.h"
#include "support/TempDir.h"

#include <memory>
#include <optional>
#include <string>

namespace Ogre
{
class OverlaySystem;
class SceneManager;
} // namespace Ogre

/// The game's engine as the engine tests and the benchmarks run it: no render system and no window (software
/// buffers and textures), the generated game data as the "General" resource location, and a scene manager with
/// the overlay system, all in a working directory where the game looks for "library1.xml": a fresh scratch
/// directory, or the one given. The previous working directory comes back, and a scratch directory goes, with
/// this object.
class HeadlessGameScene
{
public:
    explicit HeadlessGameScene(const std::string& workDirectory = "");
    ~HeadlessGameScene();

    HeadlessGameScene(const HeadlessGameScene&) = delete;
    HeadlessGameScene& operator=(const HeadlessGameScene&) = delete;

    Ogre::SceneManager* sceneManager() const { return scene; }

private:
    std::optional<TempDir> scratch; // before previousDirectory, whose initialisation makes it
    std::string previousDirectory;
    HeadlessEngine engine;
    std::unique_ptr<Ogre::OverlaySystem> overlaySystem;
    Ogre::SceneManager* scene = nullptr;
};
