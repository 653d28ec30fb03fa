#include "game/shell/WindowSize.h"

#include <gtest/gtest.h>

namespace
{
Ogre::ConfigOptionMap optionsWithVideoMode(const std::string& videoMode)
{
    Ogre::ConfigOptionMap options;
    Ogre::ConfigOption option;
    option.name = "Video Mode";
    option.currentValue = videoMode;
    option.immutable = false;
    options["Video Mode"] = option;
    return options;
}

void expectSize(const std::string& videoMode, unsigned width, unsigned height)
{
    const WindowSize size = windowSizeFromOptions(optionsWithVideoMode(videoMode));
    EXPECT_EQ(size.width, width) << '"' << videoMode << '"';
    EXPECT_EQ(size.height, height) << '"' << videoMode << '"';
}
} // namespace

TEST(WindowSize, ReadsWidthAndHeightAroundOneSeparatorWord)
{
    expectSize("1024 x 768", 1024, 768);
    expectSize("800 x  600", 800, 600);
    expectSize("1280 by 1024 @ 60", 1280, 1024);
}

TEST(WindowSize, MissingVideoModeGivesTheSmallestWindow)
{
    const WindowSize size = windowSizeFromOptions(Ogre::ConfigOptionMap());
    EXPECT_EQ(size.width, 320u);
    EXPECT_EQ(size.height, 240u);
}

TEST(WindowSize, ClampsToTheSupportedRange)
{
    expectSize("2560 x 1600", 1920, 1200);
    expectSize("300 x 200", 320, 240);
    expectSize("-640 x -480", 320, 240);
}

TEST(WindowSize, UnreadablePartsKeepTheirDefaults)
{
    expectSize("wide x 768", 320, 240);
    expectSize("", 320, 240);
    // Written together, the letter and the height make up the separator word; the height stays unread.
    expectSize("1024x768", 1024, 240);
    expectSize("1024 x tall", 1024, 240);
}

TEST(WindowSize, OutOfRangeNumbersDoNotWrapAround)
{
    expectSize("99999999999 x 768", 320, 240);
}
