#include "game/shell/WindowSize.h"

#include <algorithm>
#include <sstream>

namespace
{
constexpr int kMinWidth = 320;
constexpr int kMaxWidth = 1920;
constexpr int kMinHeight = 240;
constexpr int kMaxHeight = 1200;

void readVideoMode(const std::string& videoMode, int& width, int& height)
{
    // A failed extraction would store 0, so each value goes through a temporary and is kept only when read.
    std::istringstream stream(videoMode);
    int readWidth = 0;
    if (!(stream >> readWidth))
    {
        return;
    }
    width = readWidth;
    std::string separator;
    int readHeight = 0;
    if (stream >> separator >> readHeight)
    {
        height = readHeight;
    }
}
} // namespace

WindowSize windowSizeFromOptions(const Ogre::ConfigOptionMap& options)
{
    int width = kMinWidth;
    int height = kMinHeight;
    const auto videoMode = options.find("Video Mode");
    if (videoMode != options.end())
    {
        readVideoMode(videoMode->second.currentValue, width, height);
    }
    width = std::clamp(width, kMinWidth, kMaxWidth);
    height = std::clamp(height, kMinHeight, kMaxHeight);
    return {static_cast<unsigned>(width), static_cast<unsigned>(height)};
}
