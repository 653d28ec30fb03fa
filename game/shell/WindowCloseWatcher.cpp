#include "WindowCloseWatcher.h"

#include <OgreRenderWindow.h>
#include <X11/Xlib.h>

WindowCloseWatcher::WindowCloseWatcher(Ogre::RenderWindow* window)
    : display(nullptr), windowId(0), deleteAtom(0), requested(false)
{
    Display* xDisplay = nullptr;
    Window xWindow = 0;
    window->getCustomAttribute("XDISPLAY", &xDisplay);
    window->getCustomAttribute("WINDOW", &xWindow);
    if (xDisplay == nullptr || xWindow == 0)
    {
        return;
    }
    Atom wmDelete = XInternAtom(xDisplay, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(xDisplay, xWindow, &wmDelete, 1);
    display = xDisplay;
    windowId = xWindow;
    deleteAtom = wmDelete;
}

bool WindowCloseWatcher::poll()
{
    if (display == nullptr)
    {
        return requested;
    }
    Display* xDisplay = static_cast<Display*>(display);
    XEvent event;
    while (XCheckTypedWindowEvent(xDisplay, windowId, ClientMessage, &event))
    {
        if (event.xclient.format == 32 && static_cast<unsigned long>(event.xclient.data.l[0]) == deleteAtom)
        {
            requested = true;
        }
    }
    return requested;
}
