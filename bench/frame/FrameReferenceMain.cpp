// The bare-engine reference of the frame benchmark: the game's engine set-up, scene and data with a fixed crowd of
// running figures on the library's paths, and no game logic, input or overlays shown. Runs in a folder holding
// the game's "ogre.cfg", "plugins.cfg" and "resources.cfg" (the render system's options are read from
// "ogre.cfg" without a dialog) and stops after the given number of seconds. The scene is drawn with its plain
// settings, or with the drawing shortcuts named (a comma-separated list of "sky", "shadows", "clear" and "filter", or
// "all", the game's choice), to measure each on its own.
//
// Usage: frame_reference LIBRARY RUNNERS SECONDS [SHORTCUTS]

#include "ReferenceCrowd.h"
#include "engine/HeadlessEngine.h"
#include "game/shell/EngineConfigLists.h"
#include "game/shell/GameScene.h"
#include "game/shell/WindowSize.h"
#include "trajectory/KelTrajectoryLibrary.h"

#include <Bites/OgreWindowEventUtilities.h>
#include <Ogre.h>
#include <Overlay/OgreOverlaySystem.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

namespace
{
struct Arguments
{
    std::string library;
    int runners = 0;
    double seconds = 0.0;
    RenderShortcuts shortcuts = RenderShortcuts::none();
};

bool readShortcuts(const std::string& list, RenderShortcuts& shortcuts)
{
    if (list == "all")
    {
        shortcuts = RenderShortcuts::all();
        return true;
    }
    std::istringstream names(list);
    std::string name;
    while (std::getline(names, name, ','))
    {
        if (name == "sky")
            shortcuts.skyAfterSolids = true;
        else if (name == "shadows")
            shortcuts.shadowsInGroundPass = true;
        else if (name == "filter")
            shortcuts.sandBilinear = true;
        else if (name == "clear")
            shortcuts.wholeWindowClear = true;
        else if (name != "none")
            return false;
    }
    return true;
}

bool readArguments(int argc, char** argv, Arguments& arguments)
{
    if (argc != 4 && argc != 5)
        return false;
    arguments.library = argv[1];
    arguments.runners = std::atoi(argv[2]);
    arguments.seconds = std::atof(argv[3]);
    if (argc == 5 && !readShortcuts(argv[4], arguments.shortcuts))
        return false;
    return arguments.runners >= 0 && arguments.seconds > 0.0;
}

Ogre::RenderWindow* openWindow(Ogre::Root& root)
{
    for (const std::string& plugin : pluginNamesInFile("plugins.cfg"))
        root.loadPlugin(plugin);
    if (!root.restoreConfig())
        return nullptr;
    root.initialise(false);
    const WindowSize size = windowSizeFromOptions(root.getRenderSystem()->getConfigOptions());
    Ogre::RenderWindow* window = root.createRenderWindow("frame reference", size.width, size.height, false);
    OgreBites::WindowEventUtilities::_addRenderWindow(window);
    return window;
}

void loadResources()
{
    // As the game does: no mipmaps.
    Ogre::TextureManager::getSingleton().setDefaultNumMipmaps(0);
    auto& groups = Ogre::ResourceGroupManager::getSingleton();
    for (const ResourceLocation& location : resourceLocationsInFile("resources.cfg"))
        groups.addResourceLocation(location.location, location.archiveType, location.group, false);
    groups.initialiseAllResourceGroups();
}

void run(Ogre::Root& root, Ogre::RenderWindow* window, Ogre::OverlaySystem* overlays, const Arguments& arguments)
{
    KelTrajectoryLibrary library;
    library.parseFileForTraj(arguments.library);
    GameScene scene(&root, window, overlays, arguments.shortcuts);
    ReferenceCrowd crowd(scene.getSceneManager(), library, arguments.runners);
    scene.completeAroundCharacters();

    Ogre::Timer* timer = root.getTimer();
    timer->reset();
    unsigned long last = timer->getMilliseconds();
    while (timer->getMilliseconds() < arguments.seconds * 1000.0 && !window->isClosed())
    {
        OgreBites::WindowEventUtilities::messagePump();
        window->setVisible(true);
        const unsigned long now = timer->getMilliseconds();
        crowd.advance(static_cast<float>((now - last) / 1000.0));
        last = now;
        scene.renderFrame();
    }
}
} // namespace

int main(int argc, char** argv)
{
    Arguments arguments;
    if (!readArguments(argc, argv, arguments))
    {
        std::fprintf(stderr, "usage: %s LIBRARY RUNNERS SECONDS [none|all|sky,shadows,clear,filter]\n", argv[0]);
        return 2;
    }
    HeadlessEngine engine("reference.log", false, HeadlessEngine::Buffers::RenderSystem, "ogre.cfg");
    Ogre::Root& root = engine.getRoot();
    // Declared after the engine, so that it goes first: it still uses the root's managers.
    auto overlays = std::make_unique<Ogre::OverlaySystem>();
    int status = 0;
    try
    {
        Ogre::RenderWindow* window = openWindow(root);
        if (window == nullptr)
        {
            std::fprintf(stderr, "no render system configured in ogre.cfg\n");
            status = 1;
        }
        else
        {
            loadResources();
            run(root, window, overlays.get(), arguments);
            OgreBites::WindowEventUtilities::_removeRenderWindow(window);
        }
    }
    catch (const Ogre::Exception& error)
    {
        std::fprintf(stderr, "%s\n", error.getFullDescription().c_str());
        status = 1;
    }
    return status;
}
