#pragma once

#include "game/logic/StartView.h"

#include <OgrePrerequisites.h>
#include <OgreSharedPtr.h>

#include <memory>

namespace Ogre
{
class OverlaySystem;
class RenderWindow;
class Root;
class SceneManager;
class SceneNode;
class Viewport;
} // namespace Ogre

/// Ways of drawing the scene's picture for less work than its plain settings ask for. Each one leaves the picture
/// as the plain settings draw it; the game takes them all, the frame benchmark's reference none.
struct RenderShortcuts
{
    /// The sky box drawn after the solid objects instead of first: the depth test then skips the sky wherever the
    /// ground hides it, which is the whole picture while the camera looks down.
    bool skyAfterSolids = true;
    /// The shadow texture applied in the ground's own pass instead of in a second, blended pass over the ground.
    bool shadowsInGroundPass = true;
    /// The sand sampled bilinearly: its texture has a single level, which trilinear filtering samples the same
    /// way, only after working out a level of detail for every pixel.
    bool sandBilinear = true;
    /// The whole window cleared at once instead of the viewport alone: the viewport's background colour never
    /// shows, as the sky box surrounds the camera, and a clear of part of the window costs a pass over its pixels
    /// where a clear of all of it costs almost nothing.
    bool wholeWindowClear = true;

    static RenderShortcuts all() { return {}; }
    static RenderShortcuts none() { return {false, false, false, false}; }
};

/// The game's fixed scene: a scene manager with texture shadows and the overlays, the top camera seen through
/// the centred viewport of the window, the sand ground, the evening sky box, ambient light and one directional
/// light. It is built in two steps around the characters, which the controller makes in between; the scene
/// objects belong to the engine, and the shadow camera set-up is released with this object.
class GameScene
{
public:
    /// Scene manager, shadows, camera and viewport; the window stops being updated by the root.
    GameScene(Ogre::Root* root, Ogre::RenderWindow* window, Ogre::OverlaySystem* overlaySystem,
              RenderShortcuts shortcuts = RenderShortcuts::all());
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

    Ogre::SceneManager* getSceneManager() const { return sceneManager; }
    Ogre::SceneNode* getCameraNode() const { return cameraNode; }
    Ogre::SceneNode* getLightNode() const { return lightNode; }
    Ogre::Viewport* getViewport() const { return viewport; }

private:
    void setupShadows();
    void createCameraAndViewport();
    void buildGround();
    static void addShadowToGroundPass(Ogre::Pass& groundPass);
    static void sampleSingleLevelTexturesBilinearly(Ogre::Pass& pass);
    void createLight();

    Ogre::Root* root;
    Ogre::RenderWindow* window;
    RenderShortcuts shortcuts;
    Ogre::SceneManager* sceneManager = nullptr;
    Ogre::ShadowCameraSetupPtr shadowCameraSetup;
    Ogre::Viewport* viewport = nullptr;
    Ogre::SceneNode* cameraNode = nullptr;
    Ogre::SceneNode* lightNode = nullptr;
    class CameraViewBeforeGround;
    std::unique_ptr<CameraViewBeforeGround> cameraViewBeforeGround;
    class WholeWindowClear;
    std::unique_ptr<WholeWindowClear> wholeWindowClear;
};
