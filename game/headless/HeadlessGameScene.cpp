#include "game/headless/HeadlessGameScene.h"

#include <OgreResourceGroupManager.h>
#include <OgreRoot.h>
#include <OgreSceneManager.h>
#include <Overlay/OgreOverlaySystem.h>

#include <cstdlib>
#include <filesystem>

HeadlessGameScene::ScratchDirectory::ScratchDirectory()
{
    std::error_code error;
    std::string pattern = (std::filesystem::temp_directory_path(error) / "dunestride-headless-XXXXXX").string();
    path = !error && mkdtemp(&pattern[0]) ? pattern : std::string();
}

HeadlessGameScene::ScratchDirectory::~ScratchDirectory()
{
    std::error_code ignored;
    if (!path.empty())
        std::filesystem::remove_all(path, ignored);
}

// The working directory for the game, entered before the engine starts so that anything it writes lands there.
HeadlessGameScene::WorkingDirectory::WorkingDirectory(std::optional<ScratchDirectory>& scratch,
                                                      const std::string& given)
    : path(given)
{
    // No way back when the folder this process was started in is gone: the scene still runs, in its own.
    std::error_code noWayBack;
    previous = std::filesystem::current_path(noWayBack).string();
    if (path.empty())
        path = scratch.emplace().path;
    std::error_code notEntered;
    if (!path.empty())
        std::filesystem::current_path(path, notEntered);
    if (notEntered)
        path.clear();
}

HeadlessGameScene::WorkingDirectory::~WorkingDirectory()
{
    std::error_code ignored;
    if (!previous.empty())
        std::filesystem::current_path(previous, ignored);
}

HeadlessGameScene::HeadlessGameScene(const std::string& workDirectory, const std::string& mediaDirectory)
    : work(scratch, workDirectory)
{
    // The game then opens no audio device and loads no sound: headless games are silent and cost nothing to hear.
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    overlaySystem = std::make_unique<Ogre::OverlaySystem>();
    Ogre::ResourceGroupManager& resources = Ogre::ResourceGroupManager::getSingleton();
    resources.addResourceLocation(mediaDirectory.empty() ? DUNESTRIDE_MEDIA_DIR : mediaDirectory, "FileSystem",
                                  "General");
    resources.initialiseAllResourceGroups();
    scene = Ogre::Root::getSingleton().createSceneManager("DefaultSceneManager", "monPremierSceneManager");
    scene->addRenderQueueListener(overlaySystem.get());
}

HeadlessGameScene::~HeadlessGameScene()
{
    Ogre::Root::getSingleton().destroySceneManager(scene);
}
