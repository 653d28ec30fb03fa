#pragma once

#include <OgreConfigOptionMap.h>

/// Size in pixels of the game's render window, taken from the render system's "Video Mode" option.
struct WindowSize
{
    unsigned width;
    unsigned height;
};

/// Reads "Video Mode" as an integer width, one separator word and an integer height ("1024 x 768").
/// A missing option or a part that does not read keeps the defaults 320 x 240 for that part and those
/// after it. The result is clamped to 320 ... 1920 by 240 ... 1200.
WindowSize windowSizeFromOptions(const Ogre::ConfigOptionMap& options);
