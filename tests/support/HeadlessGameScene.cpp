#include "support/HeadlessGameScene.h"

#include <OgreResourceGroupManager.h>
#include <OgreRoot.h>
#include <OgreSceneManager.h>
#include <Overlay/OgreOverlaySystem.h>

#include <cassert>
#include <filesystem>

namespace
{
// The working directory for the game, entered before the engine starts so that anything it writes lands there.
std::string enter(std::optional<TempDir>& scratch, const std::string& workDirectory)
{
    std::string previous = std::filesystem::current_path().string();
    if (workDirectory.empty())
    {
        scratch.emplace();
        assert(!scratch->path.empty());
        std::filesystem::current_path(scratch->path);
    }
    else
    {
        std::filesystem::current_path(workDirectory);
    }
    return previous;
}
} // namespace

HeadlessGameScene::HeadlessGameScene(const std::string& workDirectory)
    : previousDirectory(enter(scratch, workDirectory))
{
    overlaySystem = std::make_unique<Ogre::OverlaySystem>();
    Ogre::ResourceGroupManager& resources = Ogre::ResourceGroupManager::getSingleton();
    resources.addResourceLocation(DUNESTRIDE_MEDIA_DIR, "FileSystem", "General");
    resources.initialiseAllResourceGroups();
    scene = Ogre::Root::getSingleton().createSceneManager("DefaultSceneManager", "monPremierSceneManager");
    scene->addRenderQueueListener(overlaySystem.get());
}

HeadlessGameScene::~HeadlessGameScene()
{
    Ogre::Root::getSingleton().destroySceneManager(scene);
    overlaySystem.reset();
    // Leave the working directory before a scratch directory is removed with its member.
    std::filesystem::current_path(previousDirectory);
}
