#include "support/WindowPicture.h"

#include <Ogre.h>

#include <vector>

namespace WindowPicture
{
Ogre::RenderWindow* open(Ogre::Root& root, const std::string& pluginDirectory, const std::string& title, int width,
                         int height)
{
    root.loadPlugin(pluginDirectory + "/RenderSystem_GL");
    root.loadPlugin(pluginDirectory + "/Codec_FreeImage");
    Ogre::RenderSystem* renderSystem = root.getRenderSystemByName("OpenGL Rendering Subsystem");
    renderSystem->setConfigOption("Fixed Pipeline Enabled", "Yes");
    renderSystem->setConfigOption("Full Screen", "No");
    root.setRenderSystem(renderSystem);
    root.initialise(false);
    Ogre::RenderWindow* window =
        root.createRenderWindow(title, static_cast<unsigned int>(width), static_cast<unsigned int>(height), false);
    window->setAutoUpdated(false);
    return window;
}

Picture capture(Ogre::RenderWindow& window)
{
    const unsigned int width = window.getWidth();
    const unsigned int height = window.getHeight();
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3);
    const Ogre::PixelBox box(width, height, 1, Ogre::PF_BYTE_RGB, pixels.data());
    window.copyContentsToMemory(box, box);
    Picture picture(width, height, 1, 3);
    cimg_forXYC(picture, x, y, c)
    {
        picture(x, y, 0, c) = pixels[(static_cast<std::size_t>(y) * width + x) * 3 + c];
    }
    return picture;
}

bool savePng(const Picture& picture, const std::string& fileName)
{
    const int channels = picture.spectrum();
    std::vector<unsigned char> pixels(static_cast<std::size_t>(picture.width()) * picture.height() * channels);
    cimg_forXYC(picture, x, y, c)
    {
        pixels[(static_cast<std::size_t>(y) * picture.width() + x) * channels + c] = picture(x, y, 0, c);
    }
    try
    {
        Ogre::Image png;
        png.loadDynamicImage(pixels.data(), picture.width(), picture.height(),
                             channels == 3 ? Ogre::PF_BYTE_RGB : Ogre::PF_L8);
        png.save(fileName);
        return true;
    }
    catch (const Ogre::Exception& error)
    {
        Ogre::LogManager::getSingleton().logMessage(fileName + " not written: " + error.getFullDescription());
        return false;
    }
}
} // namespace WindowPicture
