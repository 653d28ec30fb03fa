#include "game/logic/PlayTimeDisplay.h"

#include "game/logic/GameWorld.h"
#include "game/logic/TextPanel.h"

#include <OgreLogManager.h>
#include <OgreResourceGroupManager.h>
#include <Overlay/OgreFont.h>
#include <Overlay/OgreFontManager.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Sarna
{

namespace
{
const char* const kFontName = "PlayTime";
constexpr float kFontPoints = 17.0f; // at 72 dots per inch: glyphs as tall as the panel's 20-pixel lines
constexpr unsigned kFontResolution = 72;
constexpr unsigned short kClockZOrder = 200;  // above the scene's own overlays
constexpr unsigned short kResultZOrder = 300; // above the won and lost pictures
constexpr unsigned short kPausedZOrder = 300;
// Play time is summed from frame times; this much below a tenth still counts as that tenth.
constexpr double kTenthTolerance = 1e-6;
constexpr long kWinningTenths = static_cast<long>(kWinningPlayTime * 10.0);

bool fontAvailable()
{
    Ogre::ResourceGroupManager& resources = Ogre::ResourceGroupManager::getSingleton();
    return resources.resourceGroupExists(PlayTimeDisplay::kFontGroup) &&
           resources.resourceExists(PlayTimeDisplay::kFontGroup, PlayTimeDisplay::kFontFile);
}

// The engine renders the glyphs when the text is first drawn, not here: a display without a render system
// (the engine tests) never needs them.
void declareFont()
{
    Ogre::FontManager& fonts = Ogre::FontManager::getSingleton();
    if (fonts.resourceExists(kFontName, PlayTimeDisplay::kFontGroup))
    {
        return;
    }
    Ogre::FontPtr font = fonts.create(kFontName, PlayTimeDisplay::kFontGroup);
    font->setType(Ogre::FT_TRUETYPE);
    font->setSource(PlayTimeDisplay::kFontFile);
    font->setTrueTypeSize(kFontPoints);
    font->setTrueTypeResolution(kFontResolution);
    // Printable ASCII; the blank has no glyph, the text element leaves a gap for it.
    font->addCodePointRange(Ogre::Font::CodePointRange(33, 126));
}

long tenths(double seconds)
{
    return std::clamp(static_cast<long>(std::floor(seconds * 10.0 + kTenthTolerance)), 0L, kWinningTenths);
}

// One line: a label, then the time right-aligned, so that the lines of a panel line up in a monospaced font.
std::string line(const char* label, long timeTenths)
{
    char text[40];
    std::snprintf(text, sizeof(text), "%-9s%3ld.%ld s", label, timeTenths / 10, timeTenths % 10);
    return text;
}
} // namespace

PlayTimeDisplay::PlayTimeDisplay()
{
    if (!fontAvailable())
    {
        Ogre::LogManager::getSingleton().logMessage(std::string("font ") + kFontFile + " not found in group " +
                                                        kFontGroup + ": the play time is not shown",
                                                    Ogre::LML_NORMAL, false);
        return;
    }
    declareFont();
    clock = std::make_unique<TextPanel>(kClockOverlay, kClockZOrder, TextPanel::Anchor::TopLeft, kFontName, kFontGroup);
    result =
        std::make_unique<TextPanel>(kResultOverlay, kResultZOrder, TextPanel::Anchor::TopCentre, kFontName, kFontGroup);
    pausedNotice =
        std::make_unique<TextPanel>(kPausedOverlay, kPausedZOrder, TextPanel::Anchor::TopCentre, kFontName, kFontGroup);
}

PlayTimeDisplay::~PlayTimeDisplay() = default;

void PlayTimeDisplay::showClock(double elapsed)
{
    if (clock)
    {
        result->hide();
        pausedNotice->hide();
        clock->show(clockText(elapsed));
    }
}

void PlayTimeDisplay::showPaused(double elapsed)
{
    if (clock)
    {
        result->hide();
        clock->show(clockText(elapsed));
        pausedNotice->show(kPausedText);
    }
}

void PlayTimeDisplay::setResult(double survived, double best, bool newBest)
{
    resultShown = resultText(survived, best, newBest);
}

void PlayTimeDisplay::showResult()
{
    if (result)
    {
        clock->hide();
        pausedNotice->hide();
        result->show(resultShown);
    }
}

void PlayTimeDisplay::hide()
{
    if (clock)
    {
        clock->hide();
        result->hide();
        pausedNotice->hide();
    }
}

std::string PlayTimeDisplay::clockText(double elapsed)
{
    const long survived = tenths(elapsed);
    return line("Survived", survived) + "\n" + line("To win", kWinningTenths - survived);
}

std::string PlayTimeDisplay::resultText(double survived, double best, bool newBest)
{
    return line("Survived", tenths(survived)) + "\n" + line(newBest ? "New best" : "Best", tenths(best));
}

} // namespace Sarna
