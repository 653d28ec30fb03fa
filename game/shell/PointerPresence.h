#pragma once

namespace Ogre
{
class RenderWindow;
}

/// Whether the pointer stays over the render window, asked of the X server once a frame. The input system
/// follows the pointer only while it is over the window, and reports the jump between where it left the window
/// and where it came back as one motion; mouse look takes a frame's motion only when the pointer was over the
/// window at this asking and at the one before, so that the motion cannot hold such a jump.
class PointerPresence
{
public:
    explicit PointerPresence(Ogre::RenderWindow* window);

    PointerPresence(const PointerPresence&) = delete;
    PointerPresence& operator=(const PointerPresence&) = delete;

    /// Asks where the pointer is; call it once a frame, just before the mouse is captured. Without an X window
    /// to ask, the pointer always counts as inside.
    bool stayedInside();

private:
    bool isInside() const;

    void* display;          // the X Display of the render window; void* keeps Xlib out of this header
    unsigned long windowId; // X Window id
    bool wasInside = false;
};
