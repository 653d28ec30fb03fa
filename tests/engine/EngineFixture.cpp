#include "EngineFixture.h"

#include "game/logic/RunningManTraj.h"

#include <OgreDefaultHardwareBufferManager.h>
#include <OgreLogManager.h>
#include <OgreMaterialManager.h>
#include <OgreResourceGroupManager.h>
#include <OgreRoot.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>
#include <OgreTextureManager.h>
#include <Overlay/OgreOverlaySystem.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

void EngineFixture::SetUp()
{
    previousDirectory = std::filesystem::current_path().string();
    std::string pattern = (std::filesystem::temp_directory_path() / "dunestride-engine-XXXXXX").string();
    ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
    workDirectory = pattern;
    std::filesystem::current_path(workDirectory);

    logManager = new Ogre::LogManager();
    logManager->createLog("engine-test.log", true, false, false);
    root = new Ogre::Root("", "", "");
    bufferManager = new Ogre::DefaultHardwareBufferManager();
    textureManager = new Ogre::DefaultTextureManager();
    Ogre::MaterialManager::getSingleton().initialise();
    overlaySystem = new Ogre::OverlaySystem();

    Ogre::ResourceGroupManager& resources = Ogre::ResourceGroupManager::getSingleton();
    resources.addResourceLocation(DUNESTRIDE_MEDIA_DIR, "FileSystem", "General");
    resources.initialiseAllResourceGroups();

    sceneManager = root->createSceneManager("DefaultSceneManager", "monPremierSceneManager");
    sceneManager->addRenderQueueListener(overlaySystem);

    platform::setMessageBoxResponder(
        [this](const platform::MessageBoxRequest& request)
        {
            messageBoxes.push_back(request);
            return IDOK;
        });
    Sarna::JeuTotal::spawnCounter = 0;
}

void EngineFixture::TearDown()
{
    game.reset();
    platform::setMessageBoxResponder(nullptr);
    if (root != nullptr)
    {
        root->destroySceneManager(sceneManager);
    }
    // Order matters: the texture manager needs the resource system that the root owns.
    delete overlaySystem;
    delete textureManager;
    delete root;
    delete bufferManager;
    delete logManager;

    std::filesystem::current_path(previousDirectory);
    std::error_code ignored;
    std::filesystem::remove_all(workDirectory, ignored);
}

void EngineFixture::createGame(const std::vector<TestTrajectory>& trajectories)
{
    writeLibraryFile(trajectories);
    game = std::make_unique<Sarna::JeuTotal>(sceneManager, &keyboard);
}

void EngineFixture::createGameOnShippedLibrary()
{
    std::filesystem::copy_file(DUNESTRIDE_RUN_DIR "/library1.xml", "library1.xml");
    game = std::make_unique<Sarna::JeuTotal>(sceneManager, &keyboard);
}

int EngineFixture::frame(float dt)
{
    keyboard.capture();
    const int result = game->update(dt);
    game->updateOwned(dt);
    return result;
}

int EngineFixture::startPlaying(float dt)
{
    keyboard.press(OIS::KC_SPACE);
    const int result = frame(dt);
    keyboard.release(OIS::KC_SPACE);
    return result;
}

const Sarna::RunningManTraj& EngineFixture::runner(std::size_t index) const
{
    return dynamic_cast<const Sarna::RunningManTraj&>(*game->getRunners().at(index));
}

std::size_t EngineFixture::entityCount() const
{
    return sceneManager->getMovableObjects("Entity").size();
}

std::size_t EngineFixture::rootChildCount() const
{
    return sceneManager->getRootSceneNode()->numChildren();
}
