#include "EngineFixture.h"
#include "game/logic/RunningMan.h"

#include <OgreAnimationState.h>
#include <OgreEntity.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>
#include <Overlay/OgreOverlay.h>

namespace
{

using Sarna::JeuTotal;
using Sarna::RunningMan;

// Every runner stands at the world origin, where the hero starts, for 100 s.
const Trajectory kAtOrigin = standingOffCentre("origin", 0.0f, 0.0f, 30000.0);

class Catching : public EngineFixture
{
protected:
    float heroDyingLength() const { return game->getHero()->getEntity()->getAnimationState("Dying")->getLength(); }
    int heroState() const { return game->getHero()->getState(); }

    // Steps the hero along +x in the first playing frame (25 units per second), then waits until the first
    // burst runner stands at the origin.
    void startWithHeroAt(float firstFrame)
    {
        keyboard.press(OIS::KC_G);
        startPlaying(firstFrame);
        keyboard.release(OIS::KC_G);
        frame(0.1f);
        ASSERT_EQ(game->getRunners().size(), 1u);
        ASSERT_EQ(runner(0).getNode()->getPosition(), Ogre::Vector3(0.0f, 2.5f, 0.0f));
    }
};

TEST_F(Catching, ExactlyTwoAndAHalfUnitsIsNoCatch)
{
    createGame({kAtOrigin});
    startWithHeroAt(0.1f);
    ASSERT_EQ(game->getHeroNode()->getPosition(), Ogre::Vector3(2.5f, 2.5f, 0.0f));
    frame(0.1f);
    EXPECT_EQ(heroState(), RunningMan::Running);
    EXPECT_EQ(game->getRunners().size(), 1u);
}

TEST_F(Catching, CloserThanTwoAndAHalfUnitsKillsRunnerAndHero)
{
    createGame({kAtOrigin});
    startWithHeroAt(0.0996f);
    ASSERT_NEAR(game->getHeroNode()->getPosition().x, 2.49f, 1e-5f);
    const std::string catcher = runner(0).getMan()->getEntity()->getName();
    frame(0.1f);
    EXPECT_EQ(heroState(), RunningMan::Dying);
    EXPECT_TRUE(game->getRunners().empty()) << "the catching runner vanishes in the same frame";
    EXPECT_FALSE(sceneManager->hasEntity(catcher));
    EXPECT_EQ(rootChildCount(), 1u);
    EXPECT_EQ(game->getState(), JeuTotal::StatePlaying);
}

TEST_F(Catching, TwoRunnersReachingTheHeroTogetherAreBothKilled)
{
    createGame({kAtOrigin});
    startWithHeroAt(0.1f);
    runUntil([&] { return game->getRunners().size() == 2; }, 0.1f, 10);
    ASSERT_EQ(game->getRunners().size(), 2u);
    const std::string first = runner(0).getMan()->getEntity()->getName();
    const std::string second = runner(1).getMan()->getEntity()->getName();

    keyboard.press(OIS::KC_J);
    frame(0.1f);
    ASSERT_EQ(game->getHeroNode()->getPosition(), Ogre::Vector3(0.0f, 2.5f, 0.0f));
    EXPECT_FALSE(sceneManager->hasEntity(first));
    EXPECT_FALSE(sceneManager->hasEntity(second));
    EXPECT_EQ(heroState(), RunningMan::Dying);
    EXPECT_FLOAT_EQ(game->getHero()->getAnimationState()->getTimePosition(), 0.1f)
        << "the second catch must not restart the dying animation";
}

TEST_F(Catching, GameIsLostOnlyAfterTheDyingAnimationEnded)
{
    createGame({kAtOrigin});
    startPlaying(0.1f);
    runUntil([&] { return heroState() == RunningMan::Dying; }, 0.1f, 10);
    ASSERT_EQ(heroState(), RunningMan::Dying);
    const float dyingLength = heroDyingLength();

    // Runners keep coming and dying on the hero meanwhile; the keys still move it.
    keyboard.press(OIS::KC_Y);
    int frames = 0;
    while (game->getHero() != nullptr && frames < 1000)
    {
        EXPECT_EQ(frame(0.1f), JeuTotal::StatePlaying);
        ++frames;
    }
    EXPECT_NEAR(frames * 0.1f, dyingLength, 0.1f + 1e-4f);
    EXPECT_EQ(game->getState(), JeuTotal::StatePlaying) << "the hero was deleted after the frame's update";
    EXPECT_FALSE(sceneManager->hasEntity("Hero"));
    EXPECT_GT(game->getHeroNode()->getPosition().z, 0.0f);

    const std::size_t runnersBefore = game->getRunners().size();
    EXPECT_EQ(frame(0.1f), JeuTotal::StateLost);
    EXPECT_LE(game->getRunners().size(), runnersBefore + 2);

    // The lost screen shows from the next frame on; behind it runners go on and finish, but none is added.
    const std::size_t onLostScreen = game->getRunners().size();
    EXPECT_EQ(frame(0.1f), JeuTotal::StateLost);
    EXPECT_TRUE(game->getOverlayLost()->isVisible());
    EXPECT_LE(game->getRunners().size(), onLostScreen);
}

TEST_F(Catching, CaughtHalfASecondBeforeTheEndIsStillAWin)
{
    // Runners stand 12 units along +x; one step of G in half a second brings the hero within 0.5 of them.
    createGame({standingOffCentre("ahead", 40.0f, 0.0f, 10000.0)});
    startPlaying(0.5f);
    runUntil([&] { return game->getElapsed() >= 179.0; }, 0.5f, 400);
    ASSERT_EQ(game->getElapsed(), 179.0);
    ASSERT_EQ(heroState(), RunningMan::Running);
    ASSERT_GT(heroDyingLength(), 0.5f) << "the dying animation must last past the end of play";

    keyboard.press(OIS::KC_G);
    EXPECT_EQ(frame(0.5f), JeuTotal::StatePlaying);
    keyboard.release(OIS::KC_G);
    ASSERT_NE(game->getHero(), nullptr);
    ASSERT_EQ(heroState(), RunningMan::Dying);

    EXPECT_EQ(frame(0.5f), JeuTotal::StateWon);
    EXPECT_EQ(game->getElapsed(), 180.0);
    EXPECT_EQ(frame(0.5f), JeuTotal::StateWon);
    EXPECT_EQ(game->getElapsed(), 180.0) << "play time stands still on the won screen";
    EXPECT_TRUE(game->getOverlayWin()->isVisible());
    EXPECT_FALSE(game->getOverlayLost()->isVisible());
}

TEST_F(Catching, HeroWalksTwentyFiveUnitsPerSecondOnEachAxis)
{
    createGame({standingOffCentre("far", 150.0f, 0.0f, 300.0)});
    keyboard.press(OIS::KC_Y);
    keyboard.press(OIS::KC_G);
    startPlaying(0.2f);
    EXPECT_EQ(game->getHeroNode()->getPosition(), Ogre::Vector3(5.0f, 2.5f, 5.0f)) << "Y and G add up";

    keyboard.press(OIS::KC_H);
    keyboard.press(OIS::KC_J);
    frame(0.2f);
    EXPECT_EQ(game->getHeroNode()->getPosition(), Ogre::Vector3(5.0f, 2.5f, 5.0f)) << "opposite keys cancel";

    keyboard.releaseAll();
    keyboard.press(OIS::KC_H);
    keyboard.press(OIS::KC_J);
    frame(0.2f);
    EXPECT_EQ(game->getHeroNode()->getPosition(), Ogre::Vector3(0.0f, 2.5f, 0.0f));
    EXPECT_EQ(game->getHeroNode()->getOrientation(), Ogre::Quaternion::IDENTITY) << "the hero is never turned";
}

} // namespace
