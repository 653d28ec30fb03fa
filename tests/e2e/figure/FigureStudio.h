#pragma once

#include "engine/HeadlessEngine.h"
#include "support/WindowPicture.h"

#include <string>

namespace Ogre
{
class AnimationState;
class Entity;
class RenderWindow;
class SceneManager;
class SceneNode;
class Viewport;
} // namespace Ogre

/// Renders the game's running man with the OpenGL render system (fixed-function pipeline) in a small window,
/// one pose at a time: either alone on a flat background, for measuring, or in the game's own setting of sand,
/// evening sky and texture shadows, for looking at.
class FigureStudio
{
public:
    using Frame = WindowPicture::Picture;
    static constexpr int kWidth = 280;
    static constexpr int kHeight = 360;
    /// Background of the measuring frames.
    static constexpr unsigned char kBackground[3] = {255, 0, 255};

    FigureStudio(const std::string& pluginDirectory, const std::string& mediaDirectory);

    FigureStudio(const FigureStudio&) = delete;
    FigureStudio& operator=(const FigureStudio&) = delete;

    /// False when the engine or the data could not be brought up; the reason is in the engine log.
    bool isReady() const { return ready; }
    /// The pose at time seconds of the animation, as RGB pixels of the window.
    Frame render(const std::string& animation, float time, bool inSetting);
    /// Writes an RGB image as PNG through the engine's image codec.
    static bool savePng(const Frame& image, const std::string& fileName);

private:
    void buildScene();
    void showSetting(bool inSetting);
    Frame capture();

    HeadlessEngine engine;
    Ogre::RenderWindow* window = nullptr;
    Ogre::SceneManager* sceneManager = nullptr;
    Ogre::Viewport* viewport = nullptr;
    Ogre::Entity* figure = nullptr;
    Ogre::SceneNode* groundNode = nullptr;
    Ogre::SceneNode* cameraNode = nullptr;
    bool ready = false;
};
