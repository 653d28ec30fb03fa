#pragma once

#include <CImg.h>

#include <string>

namespace Ogre
{
class RenderWindow;
class Root;
} // namespace Ogre

/// What the programs that draw with the real OpenGL render system under Xvfb share: a window of the engine's
/// fixed-function GL path, its pixels as an image, and images written as PNG.
namespace WindowPicture
{
using Picture = cimg_library::CImg<unsigned char>;

/// Loads the GL render system and the FreeImage codec (which reads the same files as the game's codec and stays
/// clean in sanitizer builds) from pluginDirectory, initialises the root and opens a window of the given size.
Ogre::RenderWindow* open(Ogre::Root& root, const std::string& pluginDirectory, const std::string& title, int width,
                         int height);

/// The window's RGB pixels; read before the buffers are swapped.
Picture capture(Ogre::RenderWindow& window);

/// Writes an RGB or grey image as PNG through the engine's image codec; false, with the reason in the engine's
/// log, when it cannot.
bool savePng(const Picture& picture, const std::string& fileName);
} // namespace WindowPicture
