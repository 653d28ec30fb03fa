#pragma once

#include <memory>
#include <string>

namespace Ogre
{
class OverlaySystem;
class RenderWindow;
class Root;
} // namespace Ogre

namespace OIS
{
class InputManager;
class Keyboard;
class Mouse;
} // namespace OIS

class WindowCloseWatcher;

/// The game's application shell: brings up the engine log, the engine root with its plug-ins, the render
/// window, the resources and the unbuffered keyboard and mouse, each step logging one progress line, and
/// tears them down in reverse order. The log manager is not owned: WinMain deletes it after this object.
class AppliOgreFromScratch
{
public:
    AppliOgreFromScratch();
    virtual ~AppliOgreFromScratch();

    AppliOgreFromScratch(const AppliOgreFromScratch&) = delete;
    AppliOgreFromScratch& operator=(const AppliOgreFromScratch&) = delete;

    void setupLog(std::string logFileName);
    void setupRoot();
    void loadPlugins(std::string pluginListFileName);
    /// Returns false when the configuration dialog was cancelled; nothing is created then. Confirmed settings
    /// that cannot be saved to "ogre.cfg" (a folder the game cannot write) stand for this run.
    bool setupWindow(std::string title);
    void setupResources(std::string resourceListFileName);
    void setupInput();

    Ogre::Root* getRoot() const { return root; }
    Ogre::RenderWindow* getWindow() const { return window; }
    OIS::Mouse* getMouse() const { return mouse; }
    OIS::Keyboard* getKeyboard() const { return keyboard; }
    /// Draws the overlays; every scene manager that shows them needs it as a render queue listener.
    Ogre::OverlaySystem* getOverlaySystem() const { return overlaySystem; }
    /// Reads the window manager's close requests that arrived since the last call; true once one has come.
    bool pollCloseRequest();

private:
    bool confirmSettings();
    void destroyInput();
    void destroyRoot();

    Ogre::Root* root;
    Ogre::RenderWindow* window;
    OIS::InputManager* inputManager;
    OIS::Mouse* mouse;
    OIS::Keyboard* keyboard;
    Ogre::OverlaySystem* overlaySystem;
    std::unique_ptr<WindowCloseWatcher> closeWatcher;
};
