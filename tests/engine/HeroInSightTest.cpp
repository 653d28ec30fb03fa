// The hero stays where the player sees him: his whole figure, head included, inside what the top camera shows from
// its start place, found by the engine's own rays through the viewport's corners; and on the ground.
#include "EngineFixture.h"
#include "game/headless/VisibleGround.h"
#include "game/logic/GameWorld.h"
#include "game/logic/StartView.h"

#include <OgreCamera.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>

#include <fstream>
#include <sstream>
#include <string>

namespace
{

constexpr float kFrame = 1.0f / 30.0f;
constexpr int kTwentySeconds = 20 * 30;
// Runners stand far off the ground for a moment and are gone.
const Trajectory kFarAway = standingOffCentre("far", 1000.0f, 0.0f, 300.0);

class HeroInSight : public EngineFixture
{
protected:
    /// The top camera as the game's scene makes it, its aspect ratio set by its viewport, before the game.
    void createTopCamera(float aspectRatio)
    {
        sceneManager->createCamera(Sarna::kTopCameraName)->setAspectRatio(aspectRatio);
    }

    Ogre::Vector3 hero() const { return game->getHeroNode()->getPosition(); }

    /// Up to the top edge, down to the bottom one, then along it to the left and the right edges: every edge is
    /// reached, and none is crossed.
    void holdEachKey(float aspectRatio)
    {
        startPlaying(kFrame);
        VisibleGround atHead = VisibleGround::ofGameCamera(sceneManager, aspectRatio, Sarna::kFigureHeight);
        // The rays and the game's bounds round differently in the last bits.
        constexpr float kRounding = 1e-3f;
        atHead = {atHead.minX - kRounding, atHead.maxX + kRounding, atHead.minZ - kRounding, atHead.maxZ + kRounding};
        // An edge is reached when the hero stops within one frame's step of it.
        const float reached = 25.0f * kFrame + kRounding;
        hold(OIS::KC_Y, atHead);
        EXPECT_NEAR(hero().z + Sarna::kFigureRadius, atHead.maxZ, reached);
        hold(OIS::KC_H, atHead);
        EXPECT_NEAR(hero().z - Sarna::kFigureRadius, atHead.minZ, reached);
        hold(OIS::KC_G, atHead);
        EXPECT_NEAR(hero().x + Sarna::kFigureRadius, atHead.maxX, reached);
        hold(OIS::KC_J, atHead);
        EXPECT_NEAR(hero().x - Sarna::kFigureRadius, atHead.minX, reached);
        EXPECT_EQ(game->getState(), Sarna::JeuTotal::StatePlaying);
    }

    /// Holds the key for 20 s; the figure, as wide as two radii, must stay inside the picture at head height.
    void hold(OIS::KeyCode key, const VisibleGround& atHead)
    {
        keyboard.press(key);
        for (int i = 0; i < kTwentySeconds; ++i)
        {
            frame(kFrame);
            const Ogre::Vector3 at = hero();
            ASSERT_TRUE(atHead.contains(at.x - Sarna::kFigureRadius, at.z - Sarna::kFigureRadius) &&
                        atHead.contains(at.x + Sarna::kFigureRadius, at.z + Sarna::kFigureRadius))
                << "key " << key << " after " << (i + 1) * kFrame << " s: hero at " << at;
        }
        keyboard.release(key);
    }
};

TEST_F(HeroInSight, StartViewIsTheEnginesDefaultCameraInTheShippedWindow)
{
    EXPECT_FLOAT_EQ(sceneManager->createCamera("probe")->getFOVy().valueDegrees(), Sarna::kCameraFieldOfViewDegrees);
    std::ifstream config(DUNESTRIDE_RUN_DIR "/ogre.cfg");
    std::stringstream text;
    text << config.rdbuf();
    EXPECT_NE(text.str().find("Video Mode=" + std::to_string(Sarna::kShippedWindowWidth) + " x " +
                              std::to_string(Sarna::kShippedWindowHeight) + "\n"),
              std::string::npos);
}

TEST_F(HeroInSight, HoldingEachKeyKeepsHimInTheShippedWindowsPicture)
{
    // No top camera: the game is seen through the shipped window.
    createGame({kFarAway});
    holdEachKey(Sarna::kShippedViewportAspectRatio);
}

TEST_F(HeroInSight, HoldingEachKeyKeepsHimInTheTopCamerasPicture)
{
    createTopCamera(4.0f / 3.0f);
    createGame({kFarAway});
    holdEachKey(4.0f / 3.0f);
}

TEST_F(HeroInSight, AVeryWideWindowShowsMoreThanTheGroundAndHeStopsAtItsEdges)
{
    // The ground is 200 units wide; the hero's centre stays 0.6 units (half his width) inside its edges.
    createTopCamera(6.0f);
    createGame({kFarAway});
    keyboard.press(OIS::KC_G);
    startPlaying(kFrame);
    runUntil([] { return false; }, kFrame, 5 * 30);
    EXPECT_EQ(hero().x, 99.4f);
    keyboard.releaseAll();
    keyboard.press(OIS::KC_J);
    runUntil([] { return false; }, kFrame, 10 * 30);
    EXPECT_EQ(hero().x, -99.4f);
}

} // namespace
