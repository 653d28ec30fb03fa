#pragma once

#include "FakeKeyboard.h"
#include "LibraryFile.h"
#include "game/logic/JeuTotal.h"
#include "game/logic/RunningManTraj.h"
#include "platform/MessageBoxSeam.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace Ogre
{
class DefaultHardwareBufferManager;
class DefaultTextureManager;
class LogManager;
class OverlaySystem;
class Root;
class SceneManager;
} // namespace Ogre

/// Starts the real engine without a render system (software buffers and textures), with the game data as the
/// "General" resource location and the overlay system on the scene manager, in a fresh working directory of its
/// own. Message boxes are answered OK and recorded. Everything is torn down after each test.
class EngineFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    /// Writes "library1.xml" and builds the controller on it.
    void createGame(const std::vector<TestTrajectory>& trajectories);
    /// Builds the controller on a copy of the library the build generates for the game.
    void createGameOnShippedLibrary();
    /// One pass of the frame loop as the shell runs it: capture, update, updateOwned. Returns update's result.
    int frame(float dt);
    /// Presses the space bar for one frame of dt seconds, which starts the game.
    int startPlaying(float dt);
    /// Runs frames of dt until the condition holds or maxFrames have passed; returns the frames run.
    template <typename Condition>
    int runUntil(Condition condition, float dt, int maxFrames);

    const Sarna::RunningManTraj& runner(std::size_t index) const;
    std::size_t entityCount() const;
    std::size_t rootChildCount() const;

    Ogre::SceneManager* sceneManager = nullptr;
    FakeKeyboard keyboard;
    std::unique_ptr<Sarna::JeuTotal> game;
    std::vector<platform::MessageBoxRequest> messageBoxes;

private:
    std::string previousDirectory;
    std::string workDirectory;
    Ogre::LogManager* logManager = nullptr;
    Ogre::Root* root = nullptr;
    Ogre::DefaultHardwareBufferManager* bufferManager = nullptr;
    Ogre::DefaultTextureManager* textureManager = nullptr;
    Ogre::OverlaySystem* overlaySystem = nullptr;
};

template <typename Condition>
int EngineFixture::runUntil(Condition condition, float dt, int maxFrames)
{
    int frames = 0;
    while (!condition() && frames < maxFrames)
    {
        frame(dt);
        ++frames;
    }
    return frames;
}
