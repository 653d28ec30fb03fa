#include "PointerPresence.h"

#include <OgreRenderWindow.h>
#include <X11/Xlib.h>

PointerPresence::PointerPresence(Ogre::RenderWindow* window) : display(nullptr), windowId(0)
{
    Display* xDisplay = nullptr;
    Window xWindow = 0;
    window->getCustomAttribute("XDISPLAY", &xDisplay);
    window->getCustomAttribute("WINDOW", &xWindow);
    if (xDisplay != nullptr && xWindow != 0)
    {
        display = xDisplay;
        windowId = xWindow;
    }
}

bool PointerPresence::stayedInside()
{
    const bool inside = isInside();
    const bool stayed = inside && wasInside;
    wasInside = inside;
    return stayed;
}

bool PointerPresence::isInside() const
{
    if (display == nullptr)
    {
        return true;
    }
    Display* xDisplay = static_cast<Display*>(display);
    Window rootWindow = 0;
    Window childWindow = 0;
    int rootX = 0;
    int rootY = 0;
    int x = 0;
    int y = 0;
    unsigned int buttons = 0;
    if (!XQueryPointer(xDisplay, windowId, &rootWindow, &childWindow, &rootX, &rootY, &x, &y, &buttons))
    {
        return false; // on another screen
    }
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(xDisplay, windowId, &attributes))
    {
        return false;
    }
    return x >= 0 && y >= 0 && x < attributes.width && y < attributes.height;
}
