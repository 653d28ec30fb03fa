#include "game/shell/ViewControls.h"

#include "game/logic/JeuTotal.h"
#include "game/logic/KeyPresses.h"
#include "game/logic/StartCamera.h"

#include <OIS.h>
#include <Ogre.h>

namespace
{
constexpr float kCameraSpeed = 45.0f;     // world units per second
constexpr float kMouseLookFactor = 1.5f;  // degrees per mouse count and camera step unit
constexpr float kLightTurnDegrees = 0.3f; // per frame, whatever the frame's length
} // namespace

ViewControls::ViewControls(Ogre::SceneNode& camera, Ogre::SceneNode& light) : cameraNode(camera), lightNode(light) {}

void ViewControls::afterGameStep(const Sarna::JeuTotal& game, const OIS::Mouse& mouse, const OIS::Keyboard& keyboard,
                                 float dt, bool pointerStayedInside)
{
    // The wait on the won and lost pictures and the restart after it pass as picture frames too, so the motion
    // gathered while the picture waited for the space bar's release is dropped with them.
    const bool sceneShown = sceneWasShown;
    sceneWasShown = game.getState() == Sarna::JeuTotal::StatePlaying;
    if (sceneShown)
    {
        moveCamera(game, mouse, keyboard, kCameraSpeed * dt, pointerStayedInside);
    }
    turnLight(keyboard);
}

void ViewControls::moveCamera(const Sarna::JeuTotal& game, const OIS::Mouse& mouse, const OIS::Keyboard& keyboard,
                              float step, bool pointerStayedInside)
{
    if (pointerStayedInside)
    {
        const OIS::MouseState& mouseState = mouse.getMouseState();
        const float yawDegrees = -mouseState.X.rel * step * kMouseLookFactor;
        const float pitchDegrees = -mouseState.Y.rel * step * kMouseLookFactor;
        cameraNode.yaw(Ogre::Degree(yawDegrees), Ogre::Node::TS_WORLD);
        cameraNode.pitch(Ogre::Degree(pitchDegrees), Ogre::Node::TS_LOCAL);
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
        if (keyboard.isKeyDown(cameraKey.key))
        {
            cameraNode.translate(cameraKey.direction * step, cameraKey.space);
        }
    }
    // Last, so that whatever the mouse and the keys did in this frame, the camera is back at its start; a tap
    // between two frames counts.
    const Sarna::KeyPresses& presses = game.getKeyPresses();
    if (presses.struck(OIS::KC_HOME) || presses.struck(OIS::KC_C))
    {
        Sarna::placeStartCamera(cameraNode);
    }
}

void ViewControls::turnLight(const OIS::Keyboard& keyboard)
{
    const Ogre::Degree turn(kLightTurnDegrees);
    if (keyboard.isKeyDown(OIS::KC_O))
    {
        lightNode.pitch(turn, Ogre::Node::TS_LOCAL);
    }
    if (keyboard.isKeyDown(OIS::KC_L))
    {
        lightNode.pitch(-turn, Ogre::Node::TS_LOCAL);
    }
    if (keyboard.isKeyDown(OIS::KC_K))
    {
        lightNode.yaw(turn, Ogre::Node::TS_LOCAL);
    }
    if (keyboard.isKeyDown(OIS::KC_M))
    {
        lightNode.yaw(-turn, Ogre::Node::TS_LOCAL);
    }
    if (keyboard.isKeyDown(OIS::KC_I))
    {
        lightNode.roll(turn, Ogre::Node::TS_LOCAL);
    }
    if (keyboard.isKeyDown(OIS::KC_P))
    {
        lightNode.roll(-turn, Ogre::Node::TS_LOCAL);
    }
}
