#include "HeadlessGameScene.h"

#include <OgreResourceGroupManager.h>
#include <OgreRoot.h>
#include <OgreSceneManager.h>
#include <Overlay/OgreOverlaySystem.h>

#include <cassert>
#include <cstdlib>
#include <filesystem>

namespace
{
std::string enterScratchDirectory()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "dunestride-bench-XXXXXX").string();
    [[maybe_unused]] const char* made = mkdtemp(&pattern[0]);
    assert(made != nullptr);
    std::filesystem::current_path(pattern);
    return pattern;
}
} // namespace

HeadlessGameScene::HeadlessGameScene()
    : previousDirectory(std::filesystem::current_path().string()), workDirectory(enterScratchDirectory())
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
    std::filesystem::current_path(previousDirectory);
    std::error_code ignored;
    std::filesystem::remove_all(workDirectory, ignored);
}
