#include "EngineFixture.h"
#include "game/logic/RunningMan.h"

#include <OgreMaterialManager.h>
#include <OgrePass.h>
#include <OgreSceneManager.h>
#include <OgreTechnique.h>
#include <Overlay/OgreOverlay.h>
#include <Overlay/OgreOverlayContainer.h>
#include <Overlay/OgreOverlayManager.h>

namespace
{

using Sarna::JeuTotal;

// A runner standing far from the hero for a second of its life.
const Trajectory kFarAway = standingOffCentre("far", 100.0f, 0.0f, 300.0);

class ControllerScreens : public EngineFixture
{
protected:
    void expectPictures(bool debut, bool win, bool lost)
    {
        EXPECT_EQ(game->getOverlayDebut()->isVisible(), debut);
        EXPECT_EQ(game->getOverlayWin()->isVisible(), win);
        EXPECT_EQ(game->getOverlayLost()->isVisible(), lost);
    }
};

TEST_F(ControllerScreens, StartScreenWaitsForSpaceAndPlayStartsInThatFrame)
{
    createGame({kFarAway});
    expectPictures(true, false, false);
    EXPECT_EQ(frame(0.1f), JeuTotal::StateStart);
    EXPECT_EQ(game->getElapsed(), 0.0);

    keyboard.press(OIS::KC_Y);
    EXPECT_EQ(startPlaying(0.1f), JeuTotal::StatePlaying);
    expectPictures(false, false, false);
    EXPECT_DOUBLE_EQ(game->getElapsed(), 0.1f);
    EXPECT_FLOAT_EQ(game->getHeroNode()->getPosition().z, 2.5f) << "the hero already moved in the first frame";
    EXPECT_NE(game->getGroup(), nullptr) << "the first burst is planned in the first playing frame";
}

TEST_F(ControllerScreens, WonScreenWaitsForReleaseThenRestartsWithFreshGame)
{
    createGame({kFarAway});
    startPlaying(0.5f);
    runUntil([&] { return game->getState() != JeuTotal::StatePlaying; }, 0.5f, 400);
    ASSERT_EQ(game->getState(), JeuTotal::StateWon);
    EXPECT_EQ(game->getElapsed(), 180.0);

    EXPECT_EQ(frame(0.5f), JeuTotal::StateWon) << "no key: the won screen stays";
    expectPictures(false, true, false);
    const int spawnCounter = JeuTotal::spawnCounter;

    keyboard.press(OIS::KC_SPACE);
    keyboard.releaseAfterCaptures(OIS::KC_SPACE, 4); // the frame's own capture, then three polls
    const int capturesBefore = keyboard.captureCount();
    EXPECT_EQ(frame(0.5f), JeuTotal::StateRestart);
    EXPECT_EQ(keyboard.captureCount() - capturesBefore, 4) << "the wait returns at the first poll that sees the key up";
    EXPECT_FALSE(keyboard.isKeyDown(OIS::KC_SPACE));
    expectPictures(false, false, false);

    EXPECT_EQ(frame(0.5f), JeuTotal::StateStart);
    EXPECT_EQ(game->getElapsed(), 0.0);
    EXPECT_EQ(game->getRunners().size(), 0u);
    EXPECT_EQ(game->getGroup(), nullptr);
    EXPECT_EQ(JeuTotal::spawnCounter, spawnCounter) << "a restart keeps the spawn counter";
    ASSERT_NE(game->getHero(), nullptr);
    EXPECT_EQ(game->getHero()->getState(), Sarna::RunningMan::Running);
    EXPECT_EQ(game->getHeroNode()->getPosition(), Ogre::Vector3(0.0f, 2.5f, 0.0f));

    EXPECT_EQ(frame(0.5f), JeuTotal::StateStart) << "the start screen needs a new press";
    expectPictures(true, false, false);
}

// A tap made and let go between two frames, as a light touch at a low frame rate or a tool's key is.
TEST_F(ControllerScreens, SpaceTappedBetweenFramesStartsAndLeavesThePictures)
{
    createGame({standingOffCentre("origin", 0.0f, 0.0f, 30000.0)});
    keyboard.tap(OIS::KC_SPACE);
    EXPECT_EQ(frame(0.1f), JeuTotal::StatePlaying);
    runUntil([&] { return game->getState() == JeuTotal::StateLost; }, 0.1f, 100);
    ASSERT_EQ(frame(0.1f), JeuTotal::StateLost);

    keyboard.tap(OIS::KC_SPACE);
    const int capturesBefore = keyboard.captureCount();
    EXPECT_EQ(frame(0.1f), JeuTotal::StateRestart);
    EXPECT_EQ(keyboard.captureCount() - capturesBefore, 2) << "the key is already up at the wait's first poll";
    EXPECT_EQ(frame(0.1f), JeuTotal::StateStart);
    EXPECT_EQ(frame(0.1f), JeuTotal::StateStart) << "the tap that left the lost picture also left the start picture";
}

TEST_F(ControllerScreens, EachScreenIsOneOpaquePictureOverTheWholeView)
{
    createGame({kFarAway});
    const struct
    {
        const Ogre::Overlay* overlay;
        const char* name;
        const char* material;
        const char* image;
    } screens[] = {{game->getOverlayWin(), "Overlay/Win", "Win", "Win.jpg"},
                   {game->getOverlayLost(), "Overlay/Lost", "Lost", "Lost.jpg"},
                   {game->getOverlayDebut(), "Overlay/Debut", "Debut", "Debut.jpg"}};
    for (const auto& screen : screens)
    {
        Ogre::Overlay* overlay = Ogre::OverlayManager::getSingleton().getByName(screen.name);
        ASSERT_EQ(overlay, screen.overlay);
        Ogre::OverlayContainer* panel = overlay->getChild(std::string(screen.name) + "/SuperContainer");
        ASSERT_NE(panel, nullptr) << screen.name;
        EXPECT_EQ(panel->getTypeName(), "Panel");
        EXPECT_EQ(panel->getParameter("transparent"), "false");
        EXPECT_TRUE(panel->isVisible());
        EXPECT_EQ(panel->getWidth(), 1.0f);
        EXPECT_EQ(panel->getHeight(), 1.0f);
        EXPECT_EQ(panel->getMaterialName(), screen.material);

        Ogre::MaterialPtr material = Ogre::MaterialManager::getSingleton().getByName(screen.material);
        ASSERT_TRUE(material) << screen.material;
        const Ogre::Pass* pass = material->getTechnique(0)->getPass(0);
        EXPECT_FALSE(pass->getDepthWriteEnabled());
        ASSERT_EQ(pass->getNumTextureUnitStates(), 1u);
        EXPECT_EQ(pass->getTextureUnitState(0)->getTextureName(), screen.image);
    }
}

TEST_F(ControllerScreens, EmptyLibraryShowsOneMessageAndEndsAtFirstUpdate)
{
    createGame({});
    ASSERT_EQ(messageBoxes.size(), 1u);
    EXPECT_EQ(messageBoxes[0].text, "TAILLE LIBRARY TRAJECTOIRES = 0!");
    EXPECT_EQ(messageBoxes[0].caption, "Probleme!");
    EXPECT_EQ(messageBoxes[0].type, MB_OK);
    // Construction still completes.
    EXPECT_NE(game->getHero(), nullptr);
    expectPictures(true, false, false);

    keyboard.press(OIS::KC_SPACE);
    EXPECT_EQ(frame(0.1f), 0);
    EXPECT_EQ(game->getState(), JeuTotal::StateStart);
    EXPECT_EQ(messageBoxes.size(), 1u);
}

TEST_F(ControllerScreens, MissingLibraryFileCountsAsEmpty)
{
    game = std::make_unique<JeuTotal>(sceneManager, &keyboard);
    EXPECT_EQ(messageBoxes.size(), 1u);
    EXPECT_EQ(frame(0.1f), 0);
}

TEST_F(ControllerScreens, LibraryIsCentredOnTheDrawingOrigin)
{
    createGame({standingOffCentre("a", 0.0f, 0.0f, 100.0), standingOffCentre("b", -30.0f, 40.0f, 100.0)});
    ASSERT_TRUE(messageBoxes.empty());
    const Trajectory a = game->getLibrary().getTraj(0);
    const Trajectory b = game->getLibrary().getTraj(1);
    EXPECT_EQ(a.getTrackPos().front().px, 0.0f);
    EXPECT_EQ(a.getTrackPos().front().py, 0.0f);
    EXPECT_EQ(b.getTrackPos().front().px, -30.0f);
    EXPECT_EQ(b.getTrackPos().front().py, 40.0f);
}

TEST_F(ControllerScreens, DestroyedControllerLeavesNothingInTheScene)
{
    const std::size_t entitiesBefore = entityCount();
    const std::size_t nodesBefore = rootChildCount();
    createGame({kFarAway, standingOffCentre("near", 10.0f, 10.0f, 3000.0)});
    startPlaying(0.1f);
    runUntil([&] { return game->getRunners().size() >= 3; }, 0.1f, 100);
    ASSERT_GE(game->getRunners().size(), 3u);
    ASSERT_TRUE(sceneManager->hasSceneNode("Hero"));

    game.reset();
    EXPECT_EQ(entityCount(), entitiesBefore);
    EXPECT_EQ(rootChildCount(), nodesBefore);
    EXPECT_FALSE(sceneManager->hasSceneNode("Hero"));
    EXPECT_FALSE(sceneManager->hasEntity("Hero"));
    EXPECT_EQ(Sarna::TimedObject::registeredByNumber(), 0u);
    EXPECT_EQ(Sarna::TimedObject::registeredByObject(), 0u);
}

} // namespace
