#pragma once

namespace Ogre
{
class SceneNode;
}

namespace OIS
{
class Keyboard;
class Mouse;
} // namespace OIS

namespace Sarna
{
class JeuTotal;
}

/// The player's hold on the view: the mouse and the arrow, page and Home/C keys fly the top camera, six letter
/// keys turn the light. The camera answers only while the game is played (paused or not): a frame's motion and
/// keys belong to the picture the player saw while giving them, and moving the pointer over the start, won or
/// lost picture must not turn the hidden camera.
class ViewControls
{
public:
    ViewControls(Ogre::SceneNode& cameraNode, Ogre::SceneNode& lightNode);

    /// The frame's motion and keys, after the game's step of the frame: dt in seconds, the camera flying 45 units
    /// a second. The mouse turns the camera only when the pointer stayed over the window (PointerPresence).
    void afterGameStep(const Sarna::JeuTotal& game, const OIS::Mouse& mouse, const OIS::Keyboard& keyboard, float dt,
                       bool pointerStayedInside);

private:
    void moveCamera(const Sarna::JeuTotal& game, const OIS::Mouse& mouse, const OIS::Keyboard& keyboard, float step,
                    bool pointerStayedInside);
    void turnLight(const OIS::Keyboard& keyboard);

    Ogre::SceneNode& cameraNode;
    Ogre::SceneNode& lightNode;
    // Whether the frame drawn last showed the scene rather than a picture; nothing is drawn before the first frame.
    bool sceneWasShown = false;
};
