#include "EngineFixture.h"

#include <OgreSceneNode.h>

#include <vector>

namespace
{

using Sarna::JeuTotal;

// Runners circling far from the hero's start: they move in every frame and never catch him.
const Trajectory kCircling = circlingTrajectory("circling", 360, 10.0, 250.0f, 350.0f, 200.0f);

constexpr float kQuarter = 0.25f;
constexpr int kTenSeconds = 40; // frames of a quarter second

class Pause : public EngineFixture
{
protected:
    // Pressed and let go between two frames, then a frame.
    void tap(OIS::KeyCode key)
    {
        keyboard.tap(key);
        frame(kQuarter);
    }

    std::vector<Ogre::Vector3> runnerPlaces() const
    {
        std::vector<Ogre::Vector3> places;
        for (std::size_t i = 0; i < game->getRunners().size(); ++i)
        {
            places.push_back(runner(i).getNode()->getPosition());
        }
        return places;
    }

    void runQuarters(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            frame(kQuarter);
        }
    }
};

TEST_F(Pause, TenSecondsPausedMoveNeitherClockNorRunners)
{
    createGame({kCircling});
    tap(OIS::KC_TAB);
    EXPECT_FALSE(game->isPaused()) << "the start picture cannot be paused";

    startPlaying(kQuarter);
    runQuarters(12);
    tap(OIS::KC_PAUSE);
    ASSERT_TRUE(game->isPaused());
    const double clock = game->getElapsed();
    const std::vector<Ogre::Vector3> places = runnerPlaces();
    ASSERT_FALSE(places.empty());

    runQuarters(kTenSeconds);
    EXPECT_EQ(game->getElapsed(), clock);
    EXPECT_EQ(runnerPlaces(), places);

    tap(OIS::KC_TAB);
    EXPECT_FALSE(game->isPaused());
    EXPECT_EQ(game->getElapsed(), clock + kQuarter) << "the frame that resumes plays again";
    EXPECT_NE(runnerPlaces(), places);
}

TEST_F(Pause, GamePausedAt179SecondsNeedsOneMoreSecondOfPlayToWin)
{
    createGame({kCircling});
    startPlaying(kQuarter);
    runUntil([&] { return game->getElapsed() >= 179.0; }, kQuarter, 1000);
    keyboard.press(OIS::KC_TAB);
    frame(kQuarter);
    ASSERT_TRUE(game->isPaused());
    ASSERT_EQ(game->getElapsed(), 179.0) << "the frame that pauses does not play";

    runQuarters(kTenSeconds);
    keyboard.release(OIS::KC_TAB);
    frame(kQuarter);
    EXPECT_EQ(game->getState(), JeuTotal::StatePlaying);
    EXPECT_TRUE(game->isPaused()) << "held for ten seconds, the key paused once";

    tap(OIS::KC_TAB);
    runQuarters(2);
    EXPECT_EQ(game->getState(), JeuTotal::StatePlaying) << "three quarters of a second played";
    frame(kQuarter);
    EXPECT_EQ(game->getState(), JeuTotal::StateWon);
}

} // namespace
