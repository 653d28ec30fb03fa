#include "EngineFixture.h"

#include "game/logic/GameStep.h"
#include "support/LibraryFile.h"

#include <OgreSceneManager.h>
#include <OgreSceneNode.h>

#include <filesystem>
#include <string>

void EngineFixture::SetUp()
{
    scene = std::make_unique<HeadlessGameScene>();
    ASSERT_FALSE(scene->workDirectory().empty()) << "no scratch directory for the test";
    sceneManager = scene->sceneManager();
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
    // The game's objects live in the scene: they go first.
    game.reset();
    platform::setMessageBoxResponder(nullptr);
    sceneManager = nullptr;
    scene.reset();
}

void EngineFixture::createGame(const std::vector<Trajectory>& trajectories)
{
    ASSERT_TRUE(writeLibraryFile(Sarna::JeuTotal::kLibraryFile, trajectories));
    game = std::make_unique<Sarna::JeuTotal>(sceneManager, &keyboard);
}

void EngineFixture::createGameOnShippedLibrary()
{
    std::filesystem::copy_file(std::string(DUNESTRIDE_RUN_DIR "/") + Sarna::JeuTotal::kLibraryFile,
                               Sarna::JeuTotal::kLibraryFile);
    game = std::make_unique<Sarna::JeuTotal>(sceneManager, &keyboard);
}

int EngineFixture::frame(float dt)
{
    return Sarna::stepGame(*game, keyboard, nullptr, dt);
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
