#pragma once

#include "game/logic/StartView.h"

#include <OgrePrerequisites.h>
#include <OgreSharedPtr.h>

namespace Ogre
{
class OverlaySystem;
class RenderWindow;
class Root;
class SceneManager;
class SceneNode;
class Viewport;
} // namespace Ogre

/// The game's fixed scene: a scene manager with texture shadows and the overlays, the top camera seen through
/// the centred viewport of the window, the sand ground, the evening sky box, ambient light and one directional
/// light. It is built in two steps around the characters, which the controller makes in between; the scene
/// objects belong to the engine, and the shadow camera set-up is released with this object.
class GameScene
{
public:
    /// Scene manager, shadows, camera and viewport; the window stops being updated by the root.
    GameScene(Ogre::Root* root, Ogre::RenderWindow* window, Ogre::OverlaySystem* overlaySystem);
    ~GameScene();

    GameScene(const GameScene&) = delete;
    GameScene& operator=(const GameScene&) = delete;

    /// Ground, sky box, ambient light and light, then the camera put in its place looking straight down.
    void completeAroundCharacters();

    /// Draws the viewport, swaps the window's buffers and lets the root raise its frame events.
    void renderFrame();

    /// The part of the window the viewport covers, in shares of its width and height: the middle 60 % of the width.
    static constexpr float kViewportLeft = 0.2f;
    static constexpr float kViewportTop = 0.0f;
    static constexpr float kViewportWidth = Sarna::kViewportWidthShare;
    static constexpr float kViewportHeight = Sarna::kViewportHeightShare;

    /// Puts the top camera's node in its start place, 65 units above the ground and 20 towards +z, looking straight
    /// down with world +z at the top of the picture, whatever was done to it before.
    static void placeCamera(Ogre::SceneNode& node);

    Ogre::SceneManager* getSceneManager() const { return sceneManager; }
    Ogre::SceneNode* getCameraNode() const { return cameraNode; }
    Ogre::SceneNode* getLightNode() const { return lightNode; }

private:
    void setupShadows();
    void createCameraAndViewport();
    void buildGround();
    void createLight();

    Ogre::Root* root;
    Ogre::RenderWindow* window;
    Ogre::SceneManager* sceneManager = nullptr;
    Ogre::ShadowCameraSetupPtr shadowCameraSetup;
    Ogre::Viewport* viewport = nullptr;
    Ogre::SceneNode* cameraNode = nullptr;
    Ogre::SceneNode* lightNode = nullptr;
};
