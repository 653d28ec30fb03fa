// The frame loop's hold on the view: the camera answers the mouse and its keys during play, paused or not, and
// nothing turns it behind the start, won or lost picture.

#include "game/shell/ViewControls.h"

#include "EngineFixture.h"
#include "game/logic/GameStep.h"
#include "game/logic/KeyPresses.h"
#include "game/logic/StartCamera.h"

#include <OIS.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>
#include <Overlay/OgreOverlay.h>

namespace
{

using Sarna::JeuTotal;

// The runner stands where the hero starts: the game is lost two seconds in.
const Trajectory kAtOrigin = standingOffCentre("origin", 0.0f, 0.0f, 30000.0);
constexpr float kFrame = 0.1f;

/// A mouse that a test moves; the motion since the last capture is reported at the next one.
class FakeMouse : public OIS::Mouse
{
public:
    FakeMouse() : OIS::Mouse("fake", false, 0, nullptr) {}

    void move(int dx, int dy)
    {
        pendingX += dx;
        pendingY += dy;
    }

    void setBuffered(bool buffered) override { mBuffered = buffered; }
    void capture() override
    {
        mState.X.rel = pendingX;
        mState.Y.rel = pendingY;
        pendingX = 0;
        pendingY = 0;
    }
    OIS::Interface* queryInterface(OIS::Interface::IType) override { return nullptr; }
    void _initialize() override {}

private:
    int pendingX = 0;
    int pendingY = 0;
};

class ViewControlsTest : public EngineFixture
{
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        Ogre::SceneNode* root = sceneManager->getRootSceneNode();
        cameraNode = root->createChildSceneNode();
        Sarna::placeStartCamera(*cameraNode);
        startPosition = cameraNode->getPosition();
        startOrientation = cameraNode->getOrientation();
        view = std::make_unique<ViewControls>(*cameraNode, *root->createChildSceneNode());
        createGame({kAtOrigin});
    }

    // The game's step and the view's, as the frame loop runs them, with the pointer over the window.
    int viewFrame()
    {
        const int state = Sarna::stepGame(*game, keyboard, &mouse, kFrame);
        view->afterGameStep(*game, mouse, keyboard, kFrame, true);
        return state;
    }

    // The mouse and every camera key in one frame.
    int moveEverything()
    {
        mouse.move(40, 25);
        for (OIS::KeyCode key : {OIS::KC_UP, OIS::KC_LEFT, OIS::KC_PGUP})
            keyboard.press(key);
        const int state = viewFrame();
        for (OIS::KeyCode key : {OIS::KC_UP, OIS::KC_LEFT, OIS::KC_PGUP})
            keyboard.release(key);
        return state;
    }

    bool cameraAtStart() const
    {
        return cameraNode->getPosition() == startPosition && cameraNode->getOrientation() == startOrientation;
    }

    FakeMouse mouse;
    Ogre::SceneNode* cameraNode = nullptr;
    Ogre::Vector3 startPosition;
    Ogre::Quaternion startOrientation;
    std::unique_ptr<ViewControls> view;
};

TEST_F(ViewControlsTest, CameraTurnsDuringPlayOnlyAndNeverBehindAPicture)
{
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(moveEverything(), JeuTotal::StateStart);
    EXPECT_TRUE(cameraAtStart()) << "turned behind the start picture";

    // The pointer moves on the start picture in the very frame whose SPACE starts the game.
    keyboard.tap(OIS::KC_SPACE);
    ASSERT_EQ(moveEverything(), JeuTotal::StatePlaying);
    EXPECT_TRUE(cameraAtStart()) << "the motion made over the start picture turned the camera";

    moveEverything();
    EXPECT_FALSE(cameraAtStart()) << "the camera does not answer during play";
    keyboard.tap(OIS::KC_HOME);
    viewFrame();
    EXPECT_TRUE(cameraAtStart()) << "a tap of Home between two frames is lost";

    keyboard.tap(OIS::KC_TAB);
    viewFrame();
    ASSERT_TRUE(game->isPaused());
    moveEverything();
    EXPECT_FALSE(cameraAtStart()) << "the camera does not answer in a paused game";
    keyboard.tap(OIS::KC_C);
    keyboard.tap(OIS::KC_PAUSE);
    viewFrame();
    ASSERT_TRUE(cameraAtStart());
    ASSERT_FALSE(game->isPaused());

    for (int i = 0; i < 100 && game->getState() != JeuTotal::StateLost; ++i)
        viewFrame();
    ASSERT_EQ(game->getState(), JeuTotal::StateLost);
    for (int i = 0; i < 3; ++i)
        moveEverything();
    ASSERT_TRUE(game->getOverlayLost()->isVisible());
    EXPECT_TRUE(cameraAtStart()) << "turned behind the lost picture";

    // The space bar held while the pointer moves: the motion gathered while the picture waits is dropped too.
    keyboard.press(OIS::KC_SPACE);
    keyboard.releaseAfterCaptures(OIS::KC_SPACE, 3);
    mouse.move(-30, 60);
    ASSERT_EQ(viewFrame(), JeuTotal::StateRestart);
    mouse.move(-30, 60);
    ASSERT_EQ(moveEverything(), JeuTotal::StateStart);
    EXPECT_TRUE(cameraAtStart()) << "the motion made while the lost picture waited turned the camera";
}

TEST_F(ViewControlsTest, EscapeTappedBetweenTwoFramesIsSeenByTheFrameLoop)
{
    keyboard.tap(OIS::KC_ESCAPE);
    viewFrame();
    EXPECT_TRUE(game->getKeyPresses().struck(OIS::KC_ESCAPE));
    viewFrame();
    EXPECT_FALSE(game->getKeyPresses().struck(OIS::KC_ESCAPE)) << "a press counts in its own frame only";
}

} // namespace
