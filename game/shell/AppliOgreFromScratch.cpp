#include "game/shell/AppliOgreFromScratch.h"

#include "ShellLog.h"
#include "WindowCloseWatcher.h"
#include "game/shell/EngineConfigLists.h"
#include "game/shell/WindowSize.h"

#include <Bites/OgreBitesConfigDialog.h>
#include <Bites/OgreWindowEventUtilities.h>
#include <OIS.h>
#include <Ogre.h>
#include <Overlay/OgreOverlaySystem.h>

#include <sstream>

namespace
{
// OIS on X11 grabs the session's keyboard and confines the pointer unless told otherwise; the game's
// message boxes and the player's other windows must keep their input, and mouse look needs only the
// relative motion, which OIS reports without the grab.
OIS::ParamList inputParameters(const std::string& windowHandle)
{
    OIS::ParamList parameters;
    parameters.insert(std::make_pair(std::string("WINDOW"), windowHandle));
    parameters.insert(std::make_pair(std::string("x11_keyboard_grab"), std::string("false")));
    parameters.insert(std::make_pair(std::string("x11_mouse_grab"), std::string("false")));
    parameters.insert(std::make_pair(std::string("x11_mouse_hide"), std::string("false")));
    return parameters;
}
} // namespace

AppliOgreFromScratch::AppliOgreFromScratch()
    : root(nullptr), window(nullptr), inputManager(nullptr), mouse(nullptr), keyboard(nullptr), overlaySystem(nullptr)
{
}

AppliOgreFromScratch::~AppliOgreFromScratch()
{
    destroyInput();
    logShellLine("*** end Destruction AppliOgreFromScratch!***");
    destroyRoot();
}

void AppliOgreFromScratch::destroyInput()
{
    if (inputManager == nullptr)
    {
        return;
    }
    inputManager->destroyInputObject(mouse);
    inputManager->destroyInputObject(keyboard);
    mouse = nullptr;
    keyboard = nullptr;
    OIS::InputManager::destroyInputSystem(inputManager);
    inputManager = nullptr;
}

void AppliOgreFromScratch::destroyRoot()
{
    closeWatcher.reset();
    if (window != nullptr)
    {
        OgreBites::WindowEventUtilities::_removeRenderWindow(window);
        window = nullptr;
    }
    // The overlay system must go before the root, whose managers it still uses.
    delete overlaySystem;
    overlaySystem = nullptr;
    delete root;
    root = nullptr;
}

void AppliOgreFromScratch::setupLog(std::string logFileName)
{
    Ogre::LogManager* logManager = new Ogre::LogManager();
    logManager->createLog(logFileName, true, true, false);
    logShellLine("*** LogManager constructed!***");
}

void AppliOgreFromScratch::setupRoot()
{
    logShellLine("*** root construction!***");
    if (root != nullptr)
    {
        destroyRoot();
    }
    root = new Ogre::Root("", "ogre.cfg", "");
    overlaySystem = new Ogre::OverlaySystem();
}

void AppliOgreFromScratch::loadPlugins(std::string pluginListFileName)
{
    logShellLine("*** chargement des plugins !***");
    for (const std::string& pluginName : pluginNamesInFile(pluginListFileName))
    {
        root->loadPlugin(pluginName);
    }
}

bool AppliOgreFromScratch::setupWindow(std::string title)
{
    logShellLine("*** building the window !***");
    if (!confirmSettings())
    {
        return false;
    }
    root->initialise(false, title, "");
    const WindowSize size = windowSizeFromOptions(root->getRenderSystem()->getConfigOptions());
    // Always windowed, whatever the dialog's full-screen option says.
    window = root->createRenderWindow(title, size.width, size.height, false);
    window->setDeactivateOnFocusChange(false);
    OgreBites::WindowEventUtilities::_addRenderWindow(window);
    closeWatcher = std::make_unique<WindowCloseWatcher>(window);
    return true;
}

bool AppliOgreFromScratch::confirmSettings()
{
    try
    {
        return root->showConfigDialog(OgreBites::getNativeConfigDialog());
    }
    catch (Ogre::IOException&)
    {
        // The engine's only write here is the save of the settings, once the dialog was confirmed and the render
        // system chosen; when only that save failed, the game can play with them.
        if (root->getRenderSystem() == nullptr)
        {
            throw;
        }
        logShellLine("ogre.cfg cannot be written: the settings of this run are kept in memory only");
        return true;
    }
}

void AppliOgreFromScratch::setupResources(std::string resourceListFileName)
{
    logShellLine("*** declaration of the datas!***");
    Ogre::TextureManager::getSingleton().setDefaultNumMipmaps(0);
    Ogre::ResourceGroupManager& resourceGroups = Ogre::ResourceGroupManager::getSingleton();
    for (const ResourceLocation& location : resourceLocationsInFile(resourceListFileName))
    {
        resourceGroups.addResourceLocation(location.location, location.archiveType, location.group, false);
    }
    logShellLine("*** initialisation of the declared datas !***");
    resourceGroups.initialiseAllResourceGroups();
}

void AppliOgreFromScratch::setupInput()
{
    logShellLine("*** creation of the input/output system ***");
    if (window == nullptr)
    {
        return;
    }
    std::size_t windowHandle = 0;
    window->getCustomAttribute("WINDOW", &windowHandle);
    std::ostringstream handleText;
    handleText << windowHandle;

    OIS::ParamList parameters = inputParameters(handleText.str());
    inputManager = OIS::InputManager::createInputSystem(parameters);
    keyboard = static_cast<OIS::Keyboard*>(inputManager->createInputObject(OIS::OISKeyboard, false));
    mouse = static_cast<OIS::Mouse*>(inputManager->createInputObject(OIS::OISMouse, false));

    const OIS::MouseState& mouseState = mouse->getMouseState();
    mouseState.width = static_cast<int>(window->getWidth());
    mouseState.height = static_cast<int>(window->getHeight());
}

bool AppliOgreFromScratch::pollCloseRequest()
{
    return closeWatcher != nullptr && closeWatcher->poll();
}
