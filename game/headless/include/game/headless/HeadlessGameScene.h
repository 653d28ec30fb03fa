#pragma once

#include "engine/HeadlessEngine.h"

#include <memory>
#include <optional>
#include <string>

namespace Ogre
{
class OverlaySystem;
class SceneManager;
} // namespace Ogre

/// The game's engine as the rating, the engine tests and the benchmarks run it: no render system and no window
/// (software buffers and textures), the game data as the "General" resource location, and a scene manager with the
/// overlay system, all in a working directory where the game looks for its library file: a fresh scratch directory, or
/// the one given. The game's sound goes to SDL's dummy audio driver, so the game plays silently. The previous working
/// directory comes back, and a scratch directory goes, with this object, also when the engine cannot load the game
/// data (it throws from the constructor then).
class HeadlessGameScene
{
public:
    /// An empty mediaDirectory is the game data the build generates.
    explicit HeadlessGameScene(const std::string& workDirectory = "", const std::string& mediaDirectory = "");
    ~HeadlessGameScene();

    HeadlessGameScene(const HeadlessGameScene&) = delete;
    HeadlessGameScene& operator=(const HeadlessGameScene&) = delete;

    Ogre::SceneManager* sceneManager() const { return scene; }
    /// The working directory the scene runs in; empty when it could not be made or entered, and the working
    /// directory was left as it was.
    const std::string& workDirectory() const { return work.path; }

private:
    /// A fresh directory under the system's temporary folder, removed with its content; empty path when none
    /// could be made.
    struct ScratchDirectory
    {
        ScratchDirectory();
        ~ScratchDirectory();
        ScratchDirectory(const ScratchDirectory&) = delete;
        ScratchDirectory& operator=(const ScratchDirectory&) = delete;

        std::string path;
    };

    /// Enters the directory for the object's life.
    struct WorkingDirectory
    {
        WorkingDirectory(std::optional<ScratchDirectory>& scratch, const std::string& given);
        ~WorkingDirectory();
        WorkingDirectory(const WorkingDirectory&) = delete;
        WorkingDirectory& operator=(const WorkingDirectory&) = delete;

        std::string previous;
        std::string path;
    };

    std::optional<ScratchDirectory> scratch; // before work, which makes it and leaves it before it is removed
    WorkingDirectory work;
    HeadlessEngine engine;
    std::unique_ptr<Ogre::OverlaySystem> overlaySystem;
    Ogre::SceneManager* scene = nullptr;
};
