#include "game/headless/HeadlessGameScene.h"

#include <OgreResourceGroupManager.h>
#include <OgreRoot.h>
#include <OgreSceneManager.h>
#include <Overlay/OgreOverlaySystem.h>

#include <cstdlib>
#include <filesystem>

HeadlessGameScene::ScratchDirectory::ScratchDirectory()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "dunestride-headless-XXXXXX").string();
    path = mkdtemp(&pattern[0]) ? pattern : std::string();
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
    : previous(std::filesystem::current_path().string()), path(given)
{
    if (path.empty())
        path = scratch.emplace().path;
    if (!path.empty())
        std::filesystem::current_path(path);
}

HeadlessGameScene::WorkingDirectory::~WorkingDirectory()
{
    std::error_code ignored;
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
