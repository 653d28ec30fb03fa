#pragma once

#include "game/headless/FakeKeyboard.h"
#include "game/headless/HeadlessGameScene.h"
#include "game/logic/JeuTotal.h"
#include "game/logic/RunningManTraj.h"
#include "platform/MessageBoxSeam.h"
#include "support/TestTrajectories.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace Ogre
{
class SceneManager;
}

/// The game's scene on the real engine without a render system (HeadlessGameScene), in a fresh working directory
/// of its own, for one test. Message boxes are answered OK and recorded.
class EngineFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    /// Writes "library1.xml" and builds the controller on it.
    void createGame(const std::vector<Trajectory>& trajectories);
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
    std::unique_ptr<HeadlessGameScene> scene;
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
