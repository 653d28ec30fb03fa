#include "game/shell/runScene.h"

#include "PointerPresence.h"
#include "game/logic/GameStep.h"
#include "game/logic/JeuTotal.h"
#include "game/shell/AppliOgreFromScratch.h"
#include "game/shell/GameScene.h"
#include "platform/TerminationSignals.h"

#include <Bites/OgreWindowEventUtilities.h>
#include <OIS.h>
#include <Ogre.h>

#include <cstdint>
#include <memory>

namespace
{
constexpr float kCameraSpeed = 45.0f;     // world units per second
constexpr float kMouseLookFactor = 1.5f;  // degrees per mouse count and camera step unit
constexpr float kLightTurnDegrees = 0.3f; // per frame, whatever the frame's length
constexpr double kMillisecondsPerSecond = 1000.0;

// Milliseconds since the last reading, as seconds; a reading below the last one counts from 0.
float frameSeconds(Ogre::Timer* timer, std::uint32_t& lastTime)
{
    const std::uint32_t now = static_cast<std::uint32_t>(timer->getMilliseconds());
    if (now < lastTime)
    {
        lastTime = 0;
    }
    const std::uint32_t delta = now - lastTime;
    lastTime = now;
    return static_cast<float>(delta / kMillisecondsPerSecond);
}

// The pointer's motion turns the camera only while the pointer stays over the window (PointerPresence).
void moveCamera(Ogre::SceneNode* cameraNode, const OIS::Mouse* mouse, const OIS::Keyboard* keyboard, float step,
                bool pointerStayedInside)
{
    if (pointerStayedInside)
    {
        const OIS::MouseState& mouseState = mouse->getMouseState();
        const float yawDegrees = -mouseState.X.rel * step * kMouseLookFactor;
        const float pitchDegrees = -mouseState.Y.rel * step * kMouseLookFactor;
        cameraNode->yaw(Ogre::Degree(yawDegrees), Ogre::Node::TS_WORLD);
        cameraNode->pitch(Ogre::Degree(pitchDegrees), Ogre::Node::TS_LOCAL);
    }

    struct CameraKey
    {
        OIS::KeyCode key;
        Ogre::Vector3 direction;
        Ogre::Node::TransformSpace space;
    };
    static const CameraKey cameraKeys[] = {
        {OIS::KC_UP, Ogre::Vector3(0, 0, -1), Ogre::Node::TS_LOCAL},
        {OIS::KC_DOWN, Ogre::Vector3(0, 0, 1), Ogre::Node::TS_LOCAL},
        {OIS::KC_LEFT, Ogre::Vector3(-1, 0, 0), Ogre::Node::TS_LOCAL},
        {OIS::KC_RIGHT, Ogre::Vector3(1, 0, 0), Ogre::Node::TS_LOCAL},
        {OIS::KC_PGUP, Ogre::Vector3(0, 1, 0), Ogre::Node::TS_WORLD},
        {OIS::KC_PGDOWN, Ogre::Vector3(0, -1, 0), Ogre::Node::TS_WORLD},
    };
    for (const CameraKey& cameraKey : cameraKeys)
    {
        if (keyboard->isKeyDown(cameraKey.key))
        {
            cameraNode->translate(cameraKey.direction * step, cameraKey.space);
        }
    }
    // Last, so that whatever the mouse and the keys did in this frame, the camera is back at its start.
    if (keyboard->isKeyDown(OIS::KC_HOME) || keyboard->isKeyDown(OIS::KC_C))
    {
        GameScene::placeCamera(*cameraNode);
    }
}

void turnLight(Ogre::SceneNode* lightNode, const OIS::Keyboard* keyboard)
{
    const Ogre::Degree turn(kLightTurnDegrees);
    if (keyboard->isKeyDown(OIS::KC_O))
    {
        lightNode->pitch(turn, Ogre::Node::TS_LOCAL);
    }
    if (keyboard->isKeyDown(OIS::KC_L))
    {
        lightNode->pitch(-turn, Ogre::Node::TS_LOCAL);
    }
    if (keyboard->isKeyDown(OIS::KC_K))
    {
        lightNode->yaw(turn, Ogre::Node::TS_LOCAL);
    }
    if (keyboard->isKeyDown(OIS::KC_M))
    {
        lightNode->yaw(-turn, Ogre::Node::TS_LOCAL);
    }
    if (keyboard->isKeyDown(OIS::KC_I))
    {
        lightNode->roll(turn, Ogre::Node::TS_LOCAL);
    }
    if (keyboard->isKeyDown(OIS::KC_P))
    {
        lightNode->roll(-turn, Ogre::Node::TS_LOCAL);
    }
}

void runFrameLoop(AppliOgreFromScratch& appli, Sarna::JeuTotal& controller, GameScene& scene, std::uint32_t lastTime)
{
    Ogre::Root* root = appli.getRoot();
    Ogre::RenderWindow* window = appli.getWindow();
    OIS::Keyboard* keyboard = appli.getKeyboard();
    OIS::Mouse* mouse = appli.getMouse();
    PointerPresence pointer(window);
    bool windowClosed = false;
    while (true)
    {
        windowClosed = appli.pollCloseRequest();
        OgreBites::WindowEventUtilities::messagePump();
        window->setVisible(true);
        const float dt = frameSeconds(root->getTimer(), lastTime);
        const bool pointerStayedInside = pointer.stayedInside();
        bool stop = Sarna::stepGame(controller, *keyboard, mouse, dt) == 0;
        // A termination signal ends the game as Escape does.
        if (keyboard->isKeyDown(OIS::KC_ESCAPE) || platform::terminationRequested())
        {
            stop = true;
        }

        const float step = kCameraSpeed * dt;
        moveCamera(scene.getCameraNode(), mouse, keyboard, step, pointerStayedInside);
        turnLight(scene.getLightNode(), keyboard);
        scene.renderFrame();

        if (stop || windowClosed || window->isClosed())
        {
            return;
        }
    }
}
} // namespace

void runScene(AppliOgreFromScratch& appli)
{
    GameScene scene(appli.getRoot(), appli.getWindow(), appli.getOverlaySystem());

    Ogre::Root* root = appli.getRoot();
    root->clearEventTimes();
    const std::uint32_t firstTime = static_cast<std::uint32_t>(root->getTimer()->getMilliseconds());

    auto controller = std::make_unique<Sarna::JeuTotal>(scene.getSceneManager(), appli.getKeyboard());
    scene.completeAroundCharacters();
    runFrameLoop(appli, *controller, scene, firstTime);
}
