#pragma once

namespace Ogre
{
class RenderWindow;
}

/// Notices the window manager's request to close the render window (the title bar's close button).
/// The GL render window does not announce WM_DELETE_WINDOW to the window manager and the engine's message
/// pump never recognises the request, so this class announces it itself and reads the request from the
/// window's X event queue before the message pump runs.
class WindowCloseWatcher
{
public:
    explicit WindowCloseWatcher(Ogre::RenderWindow* window);

    WindowCloseWatcher(const WindowCloseWatcher&) = delete;
    WindowCloseWatcher& operator=(const WindowCloseWatcher&) = delete;

    /// Takes the pending close requests off the window's event queue; true once any request has arrived.
    bool poll();

private:
    void* display;          // the X Display of the render window; void* keeps Xlib out of this header
    unsigned long windowId; // X Window id
    unsigned long deleteAtom;
    bool requested;
};
